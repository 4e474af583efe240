#include "ImageConventions.h"

#include <opencv2/imgproc.hpp>

#include <cmath>

bool isAnalysable(const cv::Mat& image) {
    return !image.empty() && image.type() == CV_8UC3 && image.dims == 2 &&
           image.cols >= kMinAnalysisSide && image.rows >= kMinAnalysisSide;
}

int exclusiveBound(double limit) {
    // For the sizes in use the limit is positive and small, so the ceiling is
    // exact; a whole-number limit is itself excluded.
    return static_cast<int>(std::ceil(limit));
}

CentralRegion centralRegion(int width, int height) {
    CentralRegion r;
    r.top = static_cast<int>(0.1 * height);
    r.bottom = exclusiveBound(0.9 * height);
    r.left = static_cast<int>(0.1 * width);
    r.right = exclusiveBound(0.9 * width);
    return r;
}

void writePlaneAsColour(const cv::Mat& plane, cv::Mat& colour) {
    cv::cvtColor(plane, colour, cv::COLOR_GRAY2BGR);
}

cv::Mat unaliasedInput(const cv::Mat& input, const cv::Mat& result) {
    const bool overlap = !input.empty() && !result.empty() && input.datastart < result.dataend &&
                         result.datastart < input.dataend;
    return overlap ? input.clone() : input;
}
