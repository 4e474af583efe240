#include "ArtKit.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>

namespace art {

QImage canvas(int width, int height, const QColor& fill) {
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void softShadow(QPainter& p, const QRectF& rect, double radius, double spread, double drop,
                int alpha) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    const int steps = std::max(1, int(spread));
    for (int i = steps; i >= 1; --i) {
        const double grow = spread * i / steps;
        const double t = 1.0 - double(i) / (steps + 1);
        p.setBrush(QColor(0, 0, 0, int(alpha * t * t / steps * 2.2)));
        p.drawRoundedRect(rect.adjusted(-grow, -grow + drop, grow, grow + drop), radius + grow,
                          radius + grow);
    }
    p.restore();
}

QFont artFont(double pixelSize, int weight) {
    QFont font(QStringLiteral("Noto Sans CJK SC"));
    font.setPixelSize(int(pixelSize + 0.5));
    font.setWeight(QFont::Weight(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace art
