#pragma once

#include <opencv2/core.hpp>

// The picture conventions every analysis, screen and file uses: 8-bit pixels,
// colour as three interleaved channels in blue, green, red order, grey planes and
// masks as one channel, rows top-down. An item's pictures are 640 x 480; bigger
// pictures (a 1280 x 720 capture) are analysed at their own size.
//
// Threading: free functions on their arguments only; safe from any thread.

// Size of the pictures an item result keeps.
constexpr int kItemImageWidth = 640;
constexpr int kItemImageHeight = 480;

// The smallest picture side the analyses accept. The adaptive threshold needs a
// column count of at least 8 (its running-sum length is a width / 8); the same
// floor for the height keeps every central region and pore window non-empty.
constexpr int kMinAnalysisSide = 8;

// Returned by an analysis that refuses its input (see isAnalysable()); the
// result image is left as it was. Negative as every failure status of the
// analysis and capture code.
constexpr int kAnalysisRefused = -1;

// True for a non-empty 8-bit 3-channel picture of at least
// kMinAnalysisSide x kMinAnalysisSide pixels.
bool isAnalysable(const cv::Mat& image);

// The central region: rows trunc(0.1 H) <= y < 0.9 H and columns
// trunc(0.1 W) <= x < 0.9 W, the upper bounds compared as doubles (rows 48-431
// and columns 64-575 at 640 x 480). The bounds here are exclusive integers.
struct CentralRegion {
    int top;
    int bottom; // exclusive
    int left;
    int right; // exclusive
};
CentralRegion centralRegion(int width, int height);

// Smallest integer i with !(i < limit), i.e. the exclusive integer bound of a
// "x < limit" test on a real limit.
int exclusiveBound(double limit);

// Writes a one-channel plane into a 3-channel picture of its size, each value
// copied into all three channels.
void writePlaneAsColour(const cv::Mat& plane, cv::Mat& colour);

// The input of an analysis as it may safely be read while the result is being
// written: the input itself, or a copy when the caller passed overlapping
// pictures as input and result.
cv::Mat unaliasedInput(const cv::Mat& input, const cv::Mat& result);
