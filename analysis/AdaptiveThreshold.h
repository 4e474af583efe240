#pragma once

#include <opencv2/core.hpp>

// The two local measures the spots and pores analyses are built on.
//
// Threading: free functions on their arguments only; safe from any thread.

// Local adaptive threshold of an 8-bit one-channel plane into a mask of the same
// size (created or reused; every pixel is written): 0 where a pixel is darker
// than about 0.78 of its running local mean, 255 elsewhere.
//
// The running mean is an exponentially decaying sum over the last W / 8 pixels
// of a serpentine scan (row 0 left to right, row 1 right to left, ...), averaged
// with the same column's sum from the row before. Integer arithmetic and
// arithmetic shifts throughout: the mask must match bit for bit. The sums start
// at 127 x W / 8, as if the picture above the first row were mid-grey.
//
// Returns false and leaves mask untouched when the plane is not 8-bit
// one-channel or has fewer than 8 columns (the sum length W / 8 would be 0).
bool adaptiveThreshold(const cv::Mat& source, cv::Mat& mask);

// Mean of the window of about 30 x 30 values around (x, y) of an 8-bit
// one-channel plane: rows max(y - 15, 0) up to but excluding min(y + 15, H - 1),
// columns likewise (so the last row and column are never part of a window). The
// integer sum is divided by the count in single precision.
//
// Returns 0 for an empty window (only possible for planes under 2 x 2 or
// points outside the plane).
float windowMean(const cv::Mat& plane, int x, int y);
