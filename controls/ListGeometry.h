#pragma once

#include <QChar>
#include <QList>
#include <QPoint>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <array>
#include <optional>

// Geometry and colour rules of the drawn list, its header and its skinned
// scrollbar, kept apart from the widgets so they can be checked on their own.
// Rectangles are QRects (inclusive right and bottom edges).
//
// Threading: pure functions, any thread.
namespace ListGeometry {

// --- list rows -------------------------------------------------------------

// Cell text height: 1.2 x the list's font height for English (2), the font height
// for every other language index.
int cellFontHeight(int language, int fontHeight);

// The white gaps: a 2-px strip inside each edge of a cell, so that neighbouring
// cells and rows are kept 4 px apart.
std::array<QRect, 4> cellGapStrips(const QRect& cell);

// The check box of a first-column cell, (3, top + 2) .. (20, bottom - 2) with the
// right and bottom edges excluded, and the three points of its tick.
struct CheckBoxShape {
    QRect box;
    std::array<QPoint, 3> tick;
};
CheckBoxShape checkBoxShape(const QRect& cell);

// A picture scaled to fit a cell with its aspect ratio kept, centred in the cell.
QRect fitPicture(const QSize& picture, const QRect& cell);

// --- header ----------------------------------------------------------------

// Alignment character of a column format: '0' left, '2' right, '1' centre and
// anything else.
QChar alignmentCharOf(int format);

// Title font height: 24 px for languages 0 and 1, 0.8 x 24 = 19 px for 2, none
// (the default font) for any other index.
std::optional<int> headerFontHeight(int language);

// Header height: 1.1 x the height computed for its font (integer part).
int headerHeight(int computedHeight);

// Grey of pixel row y right of the last column: 166 darkening by 8 per row, not below 0.
int headerGradientGrey(int row);

// --- skinned scrollbar -------------------------------------------------------

constexpr int kScrollbarWidth = 12;
constexpr int kArrowHeight = 20;
constexpr int kThumbStart = 20;

// The scrollbar's rectangle in the parent: at the list's right edge, from its top,
// 12 px wide and 12 px taller than the list.
QRect scrollbarPlacement(const QRect& list);

// Keeps the thumb top within [20, height - 40].
int clampThumbTop(int top, int clientHeight);

// Thumb top for a scroll position: (height - 75) / limit x position + 20, clamped.
// 20 when the list cannot scroll.
int thumbTopFor(int clientHeight, int scrollLimit, int position);

// Rows to scroll while dragging the thumb to pointer row y:
// int((y - 10 - 36) / ((height - 98) / limit)) - position; 0 when it cannot scroll.
int dragRowDelta(int y, int clientHeight, int scrollLimit, int position);

enum class ReleaseAction { None, LineUp, LineDown, PageUp, PageDown };
// What a release at pos does after a press that set the given flags.
ReleaseAction releaseAction(const QPoint& pos, int clientHeight, int thumbTop, bool upPressed,
                            bool downPressed, bool dragging);

} // namespace ListGeometry
