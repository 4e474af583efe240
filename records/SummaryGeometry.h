#pragma once

#include <QPoint>
#include <QRect>

#include <array>

// The summary report's arithmetic, kept out of the page so it can be checked
// against the report's examples: bar widths, the radar polygon and the choice
// of the item whose suggestion becomes the overall suggestion.
//
// Threading: pure functions.
namespace SummaryGeometry {

// The bar track: 190 x 10 at (label right + 20, label top + 10).
constexpr int kTrackWidth = 190;
constexpr int kBarHeight = 10;
QRect barTrack(const QRect& label);

// Integer part of 1.9 * value, computed exactly (1.9 has no exact binary form,
// so 1.9 * 50 in floating point could truncate to 94).
int barWidth(int value);

// The radar picture is 312 x 228 with its centre at (156,118).
constexpr QPoint kRadarCentre{156, 118};
constexpr int kRadarWidth = 312;
constexpr int kRadarHeight = 228;

// The nine polygon points: items 0..7, then the average (sum / 8) pointing up.
// r = 0.98 * score, each offset truncated towards zero.
std::array<QPoint, 9> radarPoints(const std::array<int, 8>& scores);

// The item whose suggestion opens the report: item 0 counts at most 100; the
// items are compared in the order 0, 3, 6, 2, 1, 5, 7, 4 and a later item wins
// only with a strictly smaller score.
int lowestItem(const std::array<int, 8>& scores);

} // namespace SummaryGeometry
