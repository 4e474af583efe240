// The six analyses scored by pixel statistics of one picture: skin colour,
// water/oil, texture, gloss, red streaks and sensitivity.

#include "ImageConventions.h"
#include "SkinAnalyses.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace {

using Histogram = std::array<std::int64_t, 256>;

Histogram histogramOf(const cv::Mat& plane, int top, int bottom, int left, int right) {
    Histogram h{};
    for (int y = top; y < bottom; ++y) {
        const std::uint8_t* p = plane.ptr<std::uint8_t>(y);
        for (int x = left; x < right; ++x) {
            ++h[p[x]];
        }
    }
    return h;
}

// Standard deviation of a whole plane as the gloss and sensitivity scores
// define it: real mean, each pixel's squared distance truncated before it is
// summed in 64 bits, the variance by integer division over n - 1, then its root.
// Summing per grey value gives exactly the per-pixel integer sum.
double planeDeviation(const cv::Mat& plane) {
    const Histogram h = histogramOf(plane, 0, plane.rows, 0, plane.cols);
    const std::int64_t n = static_cast<std::int64_t>(plane.cols) * plane.rows;
    std::int64_t sum = 0;
    for (int v = 0; v < 256; ++v) {
        sum += v * h[v];
    }
    const double mean = static_cast<double>(sum) / static_cast<double>(n);
    std::int64_t squares = 0;
    for (int v = 0; v < 256; ++v) {
        if (h[v] != 0) {
            const double d = v - mean;
            squares += h[v] * static_cast<std::int64_t>(d * d);
        }
    }
    const std::int64_t variance = squares / (n - 1);
    return std::sqrt(static_cast<double>(variance));
}

cv::Mat lightnessPlane(const cv::Mat& bgr) {
    cv::Mat lab;
    cv::cvtColor(bgr, lab, cv::COLOR_BGR2Lab);
    cv::Mat lightness;
    cv::extractChannel(lab, lightness, 0);
    return lightness;
}

// Ratio of marked pixels to the whole picture, as a double.
double shareOf(int count, const cv::Mat& image) {
    return static_cast<double>(count) / (image.cols * image.rows);
}

} // namespace

int lightnessImage(const cv::Mat& input, cv::Mat& result, bool live) {
    if (!isAnalysable(input)) {
        return kAnalysisRefused;
    }
    cv::Mat smoothed;
    cv::GaussianBlur(input, smoothed, cv::Size(3, 3), 0, 0);
    cv::Mat lightness = lightnessPlane(smoothed);

    if (live) {
        cv::bitwise_not(lightness, lightness);
        writePlaneAsColour(lightness, result);
        return 0;
    }
    writePlaneAsColour(lightness, result);

    const CentralRegion c = centralRegion(lightness.cols, lightness.rows);
    const Histogram h = histogramOf(lightness, c.top, c.bottom, c.left, c.right);
    int peak = 0;
    for (int v = 1; v < 256; ++v) {
        if (h[v] > h[peak]) {
            peak = v;
        }
    }
    const int threshold = static_cast<int>(peak * 0.85);
    std::int64_t sum = 0;
    std::int64_t count = 0;
    for (int v = threshold; v < 256; ++v) {
        sum += v * h[v];
        count += h[v];
    }
    // The central region is never empty and the peak itself lies above the
    // threshold, so count > 0. "+ 0.05", not "+ 0.5": kept as the scores were set.
    return static_cast<int>(static_cast<double>(sum) / static_cast<double>(count) / 2.55 + 0.05);
}

int shineRatio(const cv::Mat& input, cv::Mat& result, bool live) {
    if (!isAnalysable(input)) {
        return kAnalysisRefused;
    }
    cv::Mat blue;
    cv::extractChannel(input, blue, 0);
    writePlaneAsColour(blue, result);

    cv::threshold(blue, blue, 160, 255, cv::THRESH_BINARY);
    const cv::Mat shining = blue > 200;
    result.setTo(cv::Scalar(0, 255, 0), shining);
    if (live) {
        return 0;
    }
    const double ratio = shareOf(cv::countNonZero(shining), input);
    return std::max(static_cast<int>(100 - ratio * 1333), 45);
}

int edgeDensity(const cv::Mat& in, cv::Mat& result, bool live) {
    if (!isAnalysable(in)) {
        return kAnalysisRefused;
    }
    const cv::Mat input = unaliasedInput(in, result);
    input.copyTo(result);

    cv::Mat grey;
    cv::cvtColor(input, grey, cv::COLOR_BGR2GRAY);
    cv::Mat edges;
    cv::Canny(grey, edges, 20, 60, 3);
    result.setTo(cv::Scalar(255, 0, 0), edges > 100);
    if (live) {
        return 0;
    }
    const double ratio = shareOf(cv::countNonZero(edges > 200), input);
    return std::max(static_cast<int>(95 - ratio * 80), 51);
}

int redPixelRatio(const cv::Mat& in, cv::Mat& result, bool live) {
    if (!isAnalysable(in)) {
        return kAnalysisRefused;
    }
    const cv::Mat input = unaliasedInput(in, result);
    input.copyTo(result);

    // The conditions are tested on the equalised planes; the marks go onto the
    // copy of the input.
    cv::Mat planes[3];
    cv::split(input, planes);
    for (cv::Mat& plane : planes) {
        cv::equalizeHist(plane, plane);
    }
    cv::Mat equalised;
    cv::merge(planes, 3, equalised);

    int count = 0;
    for (int y = 0; y < equalised.rows; ++y) {
        const cv::Vec3b* e = equalised.ptr<cv::Vec3b>(y);
        cv::Vec3b* out = result.ptr<cv::Vec3b>(y);
        for (int x = 0; x < equalised.cols; ++x) {
            const int b = e[x][0];
            const int g = e[x][1];
            const int r = e[x][2];
            if (r > b && b > g && b < 200 && g < 100 && r > 120 && b > 50) {
                out[x] = cv::Vec3b(0, 0, 255);
                ++count;
            }
        }
    }
    if (live) {
        return 0;
    }
    const double ratio = shareOf(count, input);
    return std::max(static_cast<int>(98 - ratio * 960), 50);
}

int greyContrast(const cv::Mat& input, cv::Mat& result, bool live) {
    if (!isAnalysable(input)) {
        return kAnalysisRefused;
    }
    cv::Mat grey;
    cv::cvtColor(input, grey, cv::COLOR_BGR2GRAY);
    const double deviation = planeDeviation(grey);

    cv::equalizeHist(grey, grey);
    writePlaneAsColour(grey, result);
    if (live) {
        return 0;
    }
    return deviation > 42 ? 92 : 50 + static_cast<int>(deviation);
}

int lightnessSpread(const cv::Mat& input, cv::Mat& result, bool live) {
    if (!isAnalysable(input)) {
        return kAnalysisRefused;
    }
    cv::Mat lightness = lightnessPlane(input);
    cv::bitwise_not(lightness, lightness);
    writePlaneAsColour(lightness, result);
    if (live) {
        return 0;
    }
    const double deviation = planeDeviation(lightness);
    return 100 - static_cast<int>(std::min(deviation, 50.0));
}
