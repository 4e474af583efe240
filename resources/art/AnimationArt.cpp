#include "AnimationArt.h"

#include "ArtKit.h"
#include "ArtPalette.h"
#include "GifWriter.h"
#include "Pictograms.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace art {

QByteArray waitingForCameraGif() {
    const int w = 400, h = 300, frames = 24;
    const QPointF c(200, 128);
    QList<GifWriter::Frame> out;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / frames;
        QImage img = canvas(w, h, paper());
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        // Two rings leave the camera in turn and fade as they grow.
        for (int k = 0; k < 2; ++k) {
            const double phase = std::fmod(t + k * 0.5, 1.0);
            const double r = 70 + phase * 58;
            QColor ring = accent();
            ring.setAlphaF((1.0 - phase) * 0.75);
            p.setPen(QPen(ring, 3));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(c, r, r);
        }
        p.setPen(Qt::NoPen);
        p.setBrush(white());
        p.drawEllipse(c, 66, 66);
        drawGlyph(p, Glyph::Camera, QRectF(c.x() - 42, c.y() - 42, 84, 84), inkSoft(), 6.5);
        // Three dots keep time underneath.
        for (int d = 0; d < 3; ++d) {
            const double a = std::sin((t - d * 0.12) * 2 * std::numbers::pi);
            const double lift = std::max(0.0, a) * 8;
            QColor dot = accent();
            dot.setAlphaF(0.45 + 0.55 * std::max(0.0, a));
            p.setBrush(dot);
            p.drawEllipse(QPointF(184 + d * 16, 262 - lift), 5, 5);
        }
        out.append({img, 6});
    }
    return GifWriter::encode(out, kPaper);
}

QByteArray analysingGif() {
    const int s = 300, frames = 36;
    const QPointF c(150, 150);
    QList<GifWriter::Frame> out;
    for (int f = 0; f < frames; ++f) {
        const double t = double(f) / frames;
        QImage img = canvas(s, s, paper());
        QPainter p(&img);
        p.setRenderHint(QPainter::Antialiasing, true);
        p.setPen(Qt::NoPen);
        p.setBrush(white());
        p.drawEllipse(c, 112, 112);
        p.setPen(QPen(line(), 9));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 126, 126);
        const QRectF ring(c.x() - 126, c.y() - 126, 252, 252);
        const int start = int(90 - t * 360) * 16;
        p.setPen(QPen(accent(), 9, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(ring, start, -100 * 16);
        QColor trail = accent();
        trail.setAlphaF(0.35);
        p.setPen(QPen(trail, 9, Qt::SolidLine, Qt::RoundCap));
        p.drawArc(ring, start + 30 * 16, -30 * 16);

        const QRectF face(c.x() - 66, c.y() - 66, 132, 132);
        drawGlyph(p, Glyph::FaceScan, face, inkSoft(), 5.5);
        // The scan line sweeps down and back up once per loop.
        const double sweep = 0.5 - 0.5 * std::cos(t * 2 * std::numbers::pi);
        const double y = face.top() + 14 + sweep * (face.height() - 28);
        QLinearGradient glow(0, y - 16, 0, y + 16);
        QColor clear = accent();
        clear.setAlpha(0);
        QColor soft = accent();
        soft.setAlpha(70);
        glow.setColorAt(0, clear);
        glow.setColorAt(0.5, soft);
        glow.setColorAt(1, clear);
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawRect(QRectF(face.left() + 6, y - 16, face.width() - 12, 32));
        p.setPen(QPen(accent(), 2.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(face.left() + 4, y), QPointF(face.right() - 4, y));
        out.append({img, 5});
    }
    return GifWriter::encode(out, kPaper);
}

} // namespace art
