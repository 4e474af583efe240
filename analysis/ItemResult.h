#pragma once

#include "ImageConventions.h"

#include <opencv2/core.hpp>

#include <string>

// The result of one skin item: its score, the captured picture it was analysed
// from, the marked picture the analysis wrote, and the graded symptom and
// suggestion texts (UTF-8). The main window owns eight, indexed by item.
//
// Either picture may be empty after a stored visit was loaded with a picture
// missing; every reader checks for that.
//
// Threading: plain data. During an analysis run only the worker writes the
// results; after the completion call returns they belong to the GUI thread.
struct ItemResult {
    explicit ItemResult(int itemIndex = 0)
        : item(itemIndex),
          detectionImage(kItemImageHeight, kItemImageWidth, CV_8UC3, cv::Scalar::all(0)),
          analysisImage(kItemImageHeight, kItemImageWidth, CV_8UC3, cv::Scalar::all(0)) {}

    int score = 0;
    int item;
    cv::Mat detectionImage;
    cv::Mat analysisImage;
    std::string resultText;
    std::string suggestionText;
};
