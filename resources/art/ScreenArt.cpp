#include "ScreenArt.h"

#include "ArtKit.h"
#include "ArtPalette.h"
#include "Pictograms.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {
namespace {

void glow(QPainter& p, QPointF centre, double radius, const QColor& colour) {
    QRadialGradient g(centre, radius);
    g.setColorAt(0, colour);
    QColor edge = colour;
    edge.setAlpha(0);
    g.setColorAt(1, edge);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
}

// A gentle wave across the bottom of a picture, from y0 (fraction of the
// height) down.
void wave(QPainter& p, int w, int h, double y0, double amplitude, double phase,
          const QColor& colour) {
    QPainterPath path;
    const double y = h * y0;
    path.moveTo(0, y);
    path.cubicTo(w * (0.25 + phase), y - amplitude, w * (0.55 + phase), y + amplitude, w,
                 y - amplitude * 0.4);
    path.lineTo(w, h);
    path.lineTo(0, h);
    path.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void logo(QPainter& p, QPointF centre, double radius) {
    QLinearGradient g(centre.x() - radius, centre.y() - radius, centre.x() + radius,
                      centre.y() + radius);
    g.setColorAt(0, mix(kAccent, kWhite, 0.15));
    g.setColorAt(1, accentDeep());
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, radius, radius);
    // Two petals: the mark of the house.
    const double s = radius * 0.62;
    QPainterPath petal;
    petal.moveTo(centre.x(), centre.y() + s);
    petal.cubicTo(centre.x() - s * 1.1, centre.y() + s * 0.1, centre.x() - s * 0.5,
                  centre.y() - s * 0.9, centre.x(), centre.y() - s);
    petal.cubicTo(centre.x() + s * 0.5, centre.y() - s * 0.9, centre.x() + s * 1.1,
                  centre.y() + s * 0.1, centre.x(), centre.y() + s);
    p.setBrush(white());
    p.drawPath(petal);
    p.setPen(QPen(accent(), radius * 0.09, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(centre.x(), centre.y() + s * 0.75),
               QPointF(centre.x(), centre.y() - s * 0.35));
}

QImage homeBackground() {
    const int w = 1440, h = 810;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, w, h);
    g.setColorAt(0, accentSoft());
    g.setColorAt(0.55, accent());
    g.setColorAt(1, accentDeep());
    p.fillRect(img.rect(), g);
    glow(p, QPointF(w * 0.12, h * 0.15), 390, withAlpha(kWhite, 70));
    glow(p, QPointF(w * 0.9, h * 0.95), 480, withAlpha(kWhite, 30));
    glow(p, QPointF(w * 0.75, h * 0.1), 195, withAlpha(kWhite, 40));
    wave(p, w, h, 0.82, 52, 0.0, withAlpha(kWhite, 22));
    wave(p, w, h, 0.9, 38, 0.1, withAlpha(kWhite, 26));
    return img;
}

QImage mainBackground() {
    const int w = 1440, h = 810;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, w * 0.3, h);
    g.setColorAt(0, mix(kAccent, kWhite, 0.06));
    g.setColorAt(1, mix(kAccent, accentDeep().rgb(), 0.7));
    p.fillRect(img.rect(), g);
    glow(p, QPointF(0, 0), 520, withAlpha(kWhite, 46));
    glow(p, QPointF(w * 0.1, h), 450, withAlpha(kWhite, 20));
    return img;
}

// Settings, member and product screens: accent header band, light body and a
// faint pictogram of the screen in the lower right.
QImage formBackground(Glyph watermark) {
    const int w = 1024, h = 640;
    const int band = int(h * 0.09);
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient body(0, band, 0, h);
    body.setColorAt(0, white());
    body.setColorAt(1, mix(kPaper, kWhite, 0.3));
    p.fillRect(QRect(0, band, w, h - band), body);
    QLinearGradient shade(0, band, 0, band + 10);
    shade.setColorAt(0, QColor(0, 0, 0, 30));
    shade.setColorAt(1, QColor(0, 0, 0, 0));
    p.fillRect(QRect(0, band, w, 10), shade);
    QLinearGradient head(0, 0, w, 0);
    head.setColorAt(0, accent());
    head.setColorAt(1, mix(kAccent, accentDeep().rgb(), 0.6));
    p.fillRect(QRect(0, 0, w, band), head);
    glow(p, QPointF(w * 0.08, 0), 160, withAlpha(kWhite, 45));
    drawGlyph(p, watermark, QRectF(w - 264, h - 264, 240, 240), withAlpha(kAccent, 16), 7);
    return img;
}

// Panels of the main window's content area.
QImage panelBackground(bool whitePage) {
    const int w = 1280, h = 720;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, white());
    g.setColorAt(1, whitePage ? mix(kPaper, kWhite, 0.6) : paper());
    p.fillRect(img.rect(), g);
    glow(p, QPointF(w, 0), 340, withAlpha(accentMist().rgb(), 200));
    p.fillRect(QRect(0, 0, w, 4), accent());
    return img;
}

} // namespace

QImage startPage() {
    const int w = 1360, h = 760;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, w * 0.4, h);
    g.setColorAt(0, white());
    g.setColorAt(1, mix(kAccent, kWhite, 0.93));
    p.fillRect(img.rect(), g);
    glow(p, QPointF(w * 0.92, -40), 380, withAlpha(accentMist().rgb(), 255));
    glow(p, QPointF(w * 0.05, h * 0.95), 300, withAlpha(accentMist().rgb(), 200));
    wave(p, w, h, 0.86, 36, 0.0, withAlpha(kAccent, 18));
    wave(p, w, h, 0.92, 26, 0.12, withAlpha(kAccent, 24));
    p.fillRect(QRect(0, 0, w, 5), accent());

    // Brand mark, top left (the language list sits top right).
    logo(p, QPointF(86, 78), 30);
    p.setPen(ink());
    QFont name = artFont(40, QFont::Light);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 2);
    p.setFont(name);
    p.drawText(QRectF(132, 44, 600, 50), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("Velatrix"));
    QFont tag = artFont(14);
    tag.setLetterSpacing(QFont::AbsoluteSpacing, 4);
    p.setFont(tag);
    p.setPen(accent());
    p.drawText(QRectF(134, 92, 600, 22), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("SKIN ANALYSIS"));
    return img;
}

QImage screenBackground(const QString& stem) {
    if (stem == QLatin1String("home_bk"))
        return homeBackground();
    if (stem == QLatin1String("main_bk"))
        return mainBackground();
    if (stem == QLatin1String("settings_bk"))
        return formBackground(Glyph::Settings);
    if (stem == QLatin1String("member_bk"))
        return formBackground(Glyph::Members);
    if (stem == QLatin1String("products_bk"))
        return formBackground(Glyph::Product);
    if (stem == QLatin1String("compare_bk"))
        return panelBackground(false);
    if (stem == QLatin1String("singlereport_bk") || stem == QLatin1String("report_bk"))
        return panelBackground(true);
    return {};
}

} // namespace art
