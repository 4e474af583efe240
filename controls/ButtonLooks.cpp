#include "ButtonLooks.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

int channel(double value) {
    return std::clamp(static_cast<int>(std::lround(value)), 0, 255);
}

} // namespace

namespace ButtonLooks {

QRgb hoverPixel(QRgb pixel) {
    auto lift = [](int c) { return channel(1.05 * c + 0.05 * 255.0); };
    return qRgba(lift(qRed(pixel)), lift(qGreen(pixel)), lift(qBlue(pixel)), qAlpha(pixel));
}

QRgb disabledPixel(QRgb pixel) {
    const int grey = channel(0.5 * qRed(pixel) + 0.5 * qGreen(pixel) + 0.11 * qBlue(pixel));
    return qRgba(grey, grey, grey, qAlpha(pixel));
}

QImage renderLook(const QImage& picture, const QSize& size, const QPoint& offset,
                  QRgb (*colourRule)(QRgb)) {
    QImage look(size, QImage::Format_ARGB32_Premultiplied);
    look.fill(Qt::transparent);
    if (picture.isNull() || size.isEmpty())
        return look;
    QImage source = picture.convertToFormat(QImage::Format_ARGB32);
    if (colourRule) {
        // The rule works on straight (not premultiplied) colours, as a colour matrix does.
        for (int y = 0; y < source.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(source.scanLine(y));
            for (int x = 0; x < source.width(); ++x)
                line[x] = colourRule(line[x]);
        }
    }
    QPainter p(&look);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawImage(QRect(offset, size), source);
    return look;
}

std::optional<int> labelPixelHeight(int language, int baseHeight) {
    switch (language) {
    case 0:
    case 1:
        return static_cast<int>(1.4 * baseHeight);
    case 2:
        return static_cast<int>(1.2 * baseHeight);
    default:
        return std::nullopt;
    }
}

QRect labelRect(const QSize& button, double fx, double fy) {
    const int left = static_cast<int>(button.width() * fx);
    const int top = static_cast<int>(fy * button.height());
    return QRect(QPoint(left, top), QPoint(button.width() - 1, button.height() - 1));
}

} // namespace ButtonLooks
