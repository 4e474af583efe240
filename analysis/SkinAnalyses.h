#pragma once

#include <opencv2/core.hpp>

// The eight skin analyses. All share one signature:
//
//     int analysis(const cv::Mat& input, cv::Mat& result, bool live)
//
// input   8-bit, 3 channels, blue-green-red, W x H (640 x 480 in practice);
//         never modified (passing the same picture as result is allowed).
// result  overwritten completely with the marked picture, 8-bit, 3 channels,
//         input's size (allocated or reallocated as needed).
// live    true on live camera frames: only the result picture is produced and
//         the call returns 0 before the score passes.
//
// The score lies in the item's range (below). Every step, constant, bound and
// truncation is part of the scoring: scores must agree with stored visits and
// with other installations, so none of them may be "improved".
//
// An input that is not analysable (isAnalysable() in ImageConventions.h: empty,
// not 8-bit 3-channel, or under 8 x 8) is refused: the call returns
// kAnalysisRefused (-1) and leaves result as it was.
//
// Threading: no state is kept between calls; any of them may run on any thread,
// including several at once (the pores analysis uses a blob detector of its own
// per call).

// Item 0, skin colour: mean of the bright lightness values of the central
// region, 0-100. The analysis run does not use this value; it derives the
// skin-colour score from the other seven items.
int lightnessImage(const cv::Mat& input, cv::Mat& result, bool live);

// Item 1, water/oil: share of shining pixels (blue above 160), 45-100.
int shineRatio(const cv::Mat& input, cv::Mat& result, bool live);

// Item 2, texture: share of edge pixels, 51-95.
int edgeDensity(const cv::Mat& input, cv::Mat& result, bool live);

// Item 3, spots: share of the central region darker than its neighbourhood,
// 35-95.
int darkSpotArea(const cv::Mat& input, cv::Mat& result, bool live);

// Item 4, gloss: standard deviation of the grey picture, 50-92.
int greyContrast(const cv::Mat& input, cv::Mat& result, bool live);

// Item 5, red streaks: share of red pixels after per-channel histogram
// equalisation, 50-98.
int redPixelRatio(const cv::Mat& input, cv::Mat& result, bool live);

// Item 6, sensitivity: spread of the (inverted) lightness, 50-100.
int lightnessSpread(const cv::Mat& input, cv::Mat& result, bool live);

// Item 7, pores: 100 minus a penalty per detected pore blob, graded by how red
// the skin around it is, 30-100. Each blob gets a circle on the result picture,
// also after the score has reached its floor.
int poreBlobs(const cv::Mat& input, cv::Mat& result, bool live);

using SkinAnalysis = int (*)(const cv::Mat& input, cv::Mat& result, bool live);
