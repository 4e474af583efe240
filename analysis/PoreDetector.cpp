#include "PoreDetector.h"

#include <limits>

cv::SimpleBlobDetector::Params poreDetectorParams() {
    cv::SimpleBlobDetector::Params p;
    p.thresholdStep = 10;
    p.minThreshold = 50;
    p.maxThreshold = 220;
    p.minRepeatability = 2;
    p.minDistBetweenBlobs = 10;

    p.filterByColor = true;
    p.blobColor = 0;

    p.filterByArea = true;
    p.minArea = 10;
    p.maxArea = 8000;

    p.filterByCircularity = false;
    p.minCircularity = 0.8f;
    p.maxCircularity = std::numeric_limits<float>::max();

    p.filterByInertia = true;
    p.minInertiaRatio = 0.05f;
    p.maxInertiaRatio = std::numeric_limits<float>::max();

    p.filterByConvexity = true;
    p.minConvexity = 0.05f;
    p.maxConvexity = std::numeric_limits<float>::max();
    return p;
}

std::vector<cv::KeyPoint> detectPores(const cv::Mat& picture) {
    std::vector<cv::KeyPoint> keyPoints;
    cv::Ptr<cv::SimpleBlobDetector> detector = cv::SimpleBlobDetector::create(poreDetectorParams());
    detector->detect(picture, keyPoints);
    return keyPoints;
}
