#pragma once

#include <opencv2/core.hpp>
#include <opencv2/features2d.hpp>

#include <vector>

// The blob detector of the pores analysis: the library's simple blob detector
// with its classic default parameters, of which five are changed to accept the
// small, irregular dark blobs pores leave in the filtered mask.
//
// Threading: a detector is built per detection, so detections may run on
// several threads at once; the key points depend only on the picture, so this
// gives the same blobs in the same order as one shared detector would.

// The parameters, every field set explicitly so that a library with other
// defaults still detects the same blobs.
cv::SimpleBlobDetector::Params poreDetectorParams();

// Detects dark blobs in a 1- or 3-channel 8-bit picture (a colour picture is
// reduced to grey by the detector), in the library's order.
std::vector<cv::KeyPoint> detectPores(const cv::Mat& picture);
