#include "SingleReportGeometry.h"

#include <algorithm>

namespace SingleReportGeometry {

namespace {

int channel(int value) {
    // Modulo 256 the way an 8-bit channel keeps the low byte.
    return ((value % 256) + 256) % 256;
}

// Edges in the layout's convention (right and bottom one past the last pixel).
int rightOf(const QRect& r) {
    return r.x() + r.width();
}
int bottomOf(const QRect& r) {
    return r.y() + r.height();
}

} // namespace

QColor scoreColour(int v) {
    if (v < 50)
        return QColor(channel(255), channel(5 * v), channel(24 * (50 - v)));
    return QColor(channel(5 * (100 - v)), channel(206), channel(static_cast<int>(1.2 * (v - 50))));
}

QColor ringBackgroundColour() {
    return QColor(187, 212, 238, 100);
}

QColor innerDiscColour() {
    return QColor(240, 240, 240);
}

int ringValue(int score) {
    return std::clamp(score, kLowestScore, kHighestScore);
}

QRect ringSquare(const QRect& scoreBox) {
    const int w = scoreBox.width();
    const int top = (scoreBox.y() + bottomOf(scoreBox)) / 2 - w / 2 - kRingMargin;
    return QRect(scoreBox.x() - kRingMargin, top, w + 2 * kRingMargin, w + 2 * kRingMargin);
}

int arcStartSixteenths() {
    return 90 * 16; // twelve o'clock; QPainter counts counter-clockwise from three
}

int arcSpanSixteenths(int v) {
    // v * 3.6 degrees clockwise, in sixteenths: v * 57.6, rounded to the nearest.
    return -((ringValue(v) * 576 + 5) / 10);
}

QRect pointerRect(const QRect& scaleBar, int v) {
    const int x =
        scaleBar.x() + static_cast<int>((rightOf(scaleBar) - scaleBar.x()) * 0.01 * ringValue(v));
    return QRect(QPoint(x, scaleBar.y() - kPointerLift), kPointerSize);
}

QRect magnifierRect(const QRect& picture) {
    return QRect(rightOf(picture) - kMagnifierSize, bottomOf(picture) - kMagnifierSize,
                 kMagnifierSize, kMagnifierSize);
}

AnimationStep nextAnimationStep(int value, int score) {
    const int next = value + kTickStep;
    return {next, score < next};
}

Picture pictureAt(const QPoint& point, const std::array<PictureSpot, 3>& spots) {
    for (int i = 0; i < 3; ++i)
        if (spots[i].available && spots[i].rect.contains(point))
            return static_cast<Picture>(i);
    return NoPicture;
}

QString referencePictureFile(int item) {
    static const char* const files[] = {"fs.jpg",  "yf.jpg",  "xw.jpg",  "sb.jpg",
                                        "gzd.jpg", "hxs.jpg", "mgd.jpg", "mk.jpg"};
    if (item < 0 || item >= 8)
        return {};
    return QString::fromLatin1(files[item]);
}

} // namespace SingleReportGeometry
