#include "ListGeometry.h"

#include "TextAlignment.h"

#include <algorithm>

namespace {

// A rectangle given as left, top, right, bottom with the right and bottom edges
// excluded, the way the list's drawing rules state them.
QRect fromEdges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

} // namespace

namespace ListGeometry {

int cellFontHeight(int language, int fontHeight) {
    return language == 2 ? static_cast<int>(1.2 * fontHeight) : fontHeight;
}

std::array<QRect, 4> cellGapStrips(const QRect& cell) {
    constexpr int gap = 2;
    return {QRect(cell.left(), cell.top(), cell.width(), gap),
            QRect(cell.left(), cell.bottom() - gap + 1, cell.width(), gap),
            QRect(cell.left(), cell.top(), gap, cell.height()),
            QRect(cell.right() - gap + 1, cell.top(), gap, cell.height())};
}

CheckBoxShape checkBoxShape(const QRect& cell) {
    const int top = cell.top() + 2;
    const int bottom = cell.top() + cell.height() - 2;
    const int left = 3;
    const int right = 20;
    CheckBoxShape shape;
    shape.box = fromEdges(left, top, right, bottom);
    shape.tick = {QPoint(left + 2, top + 5), QPoint(left + 5, bottom - 3),
                  QPoint(right - 3, top + 2)};
    return shape;
}

QRect fitPicture(const QSize& picture, const QRect& cell) {
    if (picture.isEmpty() || cell.isEmpty())
        return {};
    const QSize fitted = picture.scaled(cell.size(), Qt::KeepAspectRatio);
    return QRect(cell.left() + (cell.width() - fitted.width()) / 2,
                 cell.top() + (cell.height() - fitted.height()) / 2, fitted.width(),
                 fitted.height());
}

QChar alignmentCharOf(int format) {
    switch (format) {
    case AlignLeft:
        return QLatin1Char('0');
    case AlignRight:
        return QLatin1Char('2');
    default: // centre and anything else
        return QLatin1Char('1');
    }
}

std::optional<int> headerFontHeight(int language) {
    constexpr int base = 24;
    if (language == 0 || language == 1)
        return base;
    if (language == 2)
        return static_cast<int>(0.8 * base);
    return std::nullopt;
}

int headerHeight(int computedHeight) {
    return static_cast<int>(computedHeight * 1.1);
}

int headerGradientGrey(int row) {
    return std::max(0, 166 - 8 * row);
}

QRect scrollbarPlacement(const QRect& list) {
    return QRect(list.x() + list.width(), list.y(), kScrollbarWidth, list.height() + 12);
}

int clampThumbTop(int top, int clientHeight) {
    return std::clamp(top, kThumbStart, std::max(kThumbStart, clientHeight - 40));
}

int thumbTopFor(int clientHeight, int scrollLimit, int position) {
    if (scrollLimit <= 0)
        return kThumbStart;
    const double scale = double(clientHeight - 75) / scrollLimit;
    return clampThumbTop(static_cast<int>(scale * position) + kThumbStart, clientHeight);
}

int dragRowDelta(int y, int clientHeight, int scrollLimit, int position) {
    if (scrollLimit <= 0)
        return 0;
    const double scale = double(clientHeight - 98) / scrollLimit;
    if (scale <= 0)
        return 0;
    const int thumbTop = y - 10;
    return static_cast<int>((thumbTop - 36) / scale) - position;
}

ReleaseAction releaseAction(const QPoint& pos, int clientHeight, int thumbTop, bool upPressed,
                            bool downPressed, bool dragging) {
    // A release on the arrow that was pressed, or just below (above) it, is one
    // line; the arrow areas themselves count too, so that clicking the outer half
    // of an arrow never pages.
    const QRect lineUpZone = fromEdges(0, 0, 20, 37);
    const QRect lineDownZone = fromEdges(0, clientHeight - 37, 20, clientHeight);
    if (upPressed && lineUpZone.contains(pos))
        return ReleaseAction::LineUp;
    if (downPressed && lineDownZone.contains(pos))
        return ReleaseAction::LineDown;
    if (dragging || upPressed || downPressed)
        return ReleaseAction::None;
    if (fromEdges(0, thumbTop, 20, thumbTop + 26).contains(pos))
        return ReleaseAction::None;
    return pos.y() > thumbTop ? ReleaseAction::PageDown : ReleaseAction::PageUp;
}

} // namespace ListGeometry
