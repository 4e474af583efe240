#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

// The arithmetic of the single-item report page, kept out of the widget so
// that it can be checked with plain numbers: the score colour, the ring and
// scale pointer geometry, the animation step and which picture a double-click
// opens.
//
// Rectangles follow the layout's edge convention: right = x + width and
// bottom = y + height (one past the last pixel), as the page's layout was
// drawn up.
//
// Threading: pure functions; any thread.
namespace SingleReportGeometry {

// Highest and lowest value the ring and the scale can show; a stored score
// outside them is drawn at the nearest end (the number still shows it).
constexpr int kLowestScore = 0;
constexpr int kHighestScore = 100;
// Each animation tick moves the ring this many points, every kTickMs.
constexpr int kTickStep = 2;
constexpr int kTickMs = 10;
// Ring pen width and the gap between the score box and the ring's square.
constexpr int kRingPen = 8;
constexpr int kRingMargin = 10;
constexpr int kMagnifierSize = 26;
constexpr QSize kPointerSize{20, 22};
// The pointer stands this far above the scale bar's top edge.
constexpr int kPointerLift = 24;

// Colour of value v on the red-to-green score rule. Every channel is taken
// modulo 256, so below 50 the blue channel wraps (0 gives blue 176): that is
// the shade salons know from their printed reports.
QColor scoreColour(int v);

// Background ring colour (translucent light blue) and the inner disc's grey.
QColor ringBackgroundColour();
QColor innerDiscColour();

// The value the ring and pointer use for a score: clamped to 0..100.
int ringValue(int score);

// The ring's bounding square around the score number's box.
QRect ringSquare(const QRect& scoreBox);

// The score arc in QPainter's sixteenths of a degree: it starts at twelve
// o'clock and runs clockwise by v * 3.6 degrees.
int arcStartSixteenths();
int arcSpanSixteenths(int v);

// The scale pointer's rectangle for value v over the scale bar.
QRect pointerRect(const QRect& scaleBar, int v);

// A magnifier button in the bottom-right corner of its picture.
QRect magnifierRect(const QRect& picture);

// One animation tick: the next ring value, and whether the animation ends
// (the value passed the score) instead of drawing it.
struct AnimationStep {
    int value;
    bool finished;
    bool operator==(const AnimationStep&) const = default;
};
AnimationStep nextAnimationStep(int value, int score);

// The three pictures of the page, in the order a double-click looks at them.
enum Picture { AnalysisPicture, DetectionPicture, ReferencePicture, NoPicture };
struct PictureSpot {
    QRect rect;
    bool available;
};
// Which picture a double-click at `point` opens: the first of analysis,
// detection and reference whose rectangle holds the point and whose picture
// exists; NoPicture otherwise.
Picture pictureAt(const QPoint& point, const std::array<PictureSpot, 3>& spots);

// The reference picture file of an item inside "PreSetting/image" (item 5 has
// its own name), or an empty text for an index outside the item table.
QString referencePictureFile(int item);

} // namespace SingleReportGeometry
