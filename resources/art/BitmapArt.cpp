#include "BitmapArt.h"

#include "ArtKit.h"
#include "ArtPalette.h"
#include "Pictograms.h"
#include "ScreenArt.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <cmath>
#include <numbers>

namespace art {
namespace {

QImage solid(QRgb colour) {
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

QImage videoFrame() {
    const int w = 658, h = 498;
    QImage img = canvas(w, h, paper());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF outer(0.5, 0.5, w - 1.0, h - 1.0);
    p.setPen(QPen(line(), 1));
    p.setBrush(white());
    p.drawRoundedRect(outer, 9, 9);
    // Inner accent line right at the video's edge.
    p.setPen(QPen(accentSoft(), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(8, 8, w - 16, h - 16));
    // The inside shows while no video runs, under the waiting animation and
    // the camera notice, which both sit on the panel grey.
    p.fillRect(QRect(9, 9, w - 18, h - 18), paper());
    return img;
}

QImage cameraMissing() {
    const int w = 260, h = 180;
    QImage img = canvas(w, h, paper());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(white());
    p.drawEllipse(QPointF(w / 2.0, 88), 80, 80);
    drawGlyph(p, Glyph::Camera, QRectF(w / 2.0 - 52, 36, 104, 104), inkFaint(), 6);
    // The accent badge says the camera is not there.
    const QPointF badge(174, 126);
    p.setPen(QPen(white(), 3));
    p.setBrush(accent());
    p.drawEllipse(badge, 20, 20);
    drawGlyph(p, Glyph::Cross, QRectF(badge.x() - 15, badge.y() - 15, 30, 30), white(), 12);
    return img;
}

QImage pointer() {
    QImage img = canvas(20, 22, white());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath pin;
    pin.addEllipse(QPointF(10, 8), 7.5, 7.5);
    QPainterPath tip;
    tip.moveTo(4.2, 12.5);
    tip.lineTo(10, 21.5);
    tip.lineTo(15.8, 12.5);
    tip.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(accent());
    p.drawPath(pin.united(tip));
    p.setBrush(white());
    p.drawEllipse(QPointF(10, 8), 3, 3);
    return img;
}

QColor scaleColour(double t) {
    if (t < 0.5)
        return mix(kScaleLow, kScaleMid, t * 2);
    return mix(kScaleMid, kScaleHigh, (t - 0.5) * 2);
}

QImage colourScale() {
    const int w = 520, h = 40;
    QImage img = canvas(w, h, white());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF bar(10, 5, w - 20, 13);
    QLinearGradient g(bar.left(), 0, bar.right(), 0);
    for (int i = 0; i <= 10; ++i)
        g.setColorAt(i / 10.0, scaleColour(i / 10.0));
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(bar, 6.5, 6.5);
    p.setFont(artFont(11));
    for (int v = 0; v <= 100; v += 20) {
        const double x = bar.left() + bar.width() * v / 100.0;
        p.setPen(QPen(inkFaint(), 1));
        p.drawLine(QPointF(x, 21), QPointF(x, 25));
        p.setPen(inkSoft());
        const QRectF label(x - 20, 25, 40, 14);
        p.drawText(label, Qt::AlignCenter, QString::number(v));
    }
    return img;
}

// Nine spokes 40 degrees apart around (156, 118), spoke 0 (the average)
// straight up; a score of 100 reaches 98 px.
QPointF radarPoint(int spoke, double radius) {
    const double a = -std::numbers::pi / 2 + spoke * 2 * std::numbers::pi / 9;
    return {156 + radius * std::cos(a), 118 + radius * std::sin(a)};
}

QPolygonF radarRing(double radius) {
    QPolygonF ring;
    for (int s = 0; s < 9; ++s)
        ring << radarPoint(s, radius);
    return ring;
}

QImage radarWeb() {
    const int w = 312, h = 228;
    QImage img = canvas(w, h, white());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    // Bands from the outside in, alternating so the rings read at a glance.
    for (int v = 100; v >= 20; v -= 20) {
        p.setPen(Qt::NoPen);
        p.setBrush((v / 20) % 2 ? accentMist() : white());
        p.drawPolygon(radarRing(0.98 * v));
    }
    for (int v = 20; v <= 100; v += 20) {
        p.setPen(QPen(v == 100 ? accentSoft() : line(), v == 100 ? 1.6 : 1));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(radarRing(0.98 * v));
    }
    p.setPen(QPen(line(), 1));
    for (int s = 0; s < 9; ++s)
        p.drawLine(QPointF(156, 118), radarPoint(s, 98));
    for (int s = 0; s < 9; ++s) {
        p.setPen(Qt::NoPen);
        p.setBrush(accentSoft());
        p.drawEllipse(radarPoint(s, 98), 2.5, 2.5);
    }
    // Ring values down the gap between the two lowest spokes, inside the web
    // and clear of the captions the report writes around it.
    p.setFont(artFont(9));
    p.setPen(inkSoft());
    const double apothem = std::cos(std::numbers::pi / 9);
    for (int v = 20; v <= 100; v += 20) {
        const double d = 0.98 * v * apothem - 6;
        p.drawText(QRectF(156 - 14, 118 + d - 6, 28, 12), Qt::AlignCenter, QString::number(v));
    }
    // Zero sits on the hub, on a small disc that hides the spokes' meeting.
    p.setPen(QPen(line(), 1));
    p.setBrush(white());
    p.drawEllipse(QPointF(156, 118), 6, 6);
    p.setPen(inkSoft());
    p.drawText(QRectF(156 - 6, 118 - 6, 12, 12), Qt::AlignCenter, QStringLiteral("0"));
    return img;
}

} // namespace

QImage bitmapPicture(int id) {
    switch (id) {
    case 231:
        return videoFrame();
    case 298:
        return cameraMissing();
    case 301:
    case 302:
    case 303:
    case 304:
    case 305:
    case 306:
    case 307:
        return solid(kAccentFrame);
    case 364:
        return pointer();
    case 365:
        return radarWeb();
    case 424:
        return colourScale();
    case 439:
        return startPage();
    default:
        return {};
    }
}

} // namespace art
