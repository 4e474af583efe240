// The two analyses that find small dark structures with the adaptive threshold:
// spots (dark area of the central region) and pores (blobs, each penalised by
// how red the skin around it is).

#include "AdaptiveThreshold.h"
#include "ImageConventions.h"
#include "PoreDetector.h"
#include "SkinAnalyses.h"
#include "ToneTable.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

const cv::Mat& dilationElement() {
    static const cv::Mat element = cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3));
    return element;
}

// One 3 x 3 dilation in place; the default border leaves edge pixels to their
// neighbours inside the picture, so borders never shrink white areas.
void dilateOnce(cv::Mat& mask) {
    cv::dilate(mask, mask, dilationElement(), cv::Point(-1, -1), 1);
}

struct PoreStyle {
    int penalty;
    int radius;
    cv::Scalar colour; // blue, green, red
    int thickness;
};

// Redder surroundings (a higher mean of the red plane) weigh a pore heavier.
PoreStyle poreStyleFor(float redMean) {
    if (redMean > 180) {
        return {4, 30, cv::Scalar(0, 0, 255), 2};
    }
    if (redMean > 170) {
        return {3, 25, cv::Scalar(10, 121, 218), 2};
    }
    return {2, 20, cv::Scalar(138, 253, 249), 1};
}

} // namespace

int darkSpotArea(const cv::Mat& in, cv::Mat& result, bool live) {
    if (!isAnalysable(in)) {
        return kAnalysisRefused;
    }
    const cv::Mat input = unaliasedInput(in, result);
    const int width = input.cols;
    const int height = input.rows;

    cv::Mat blue;
    cv::extractChannel(input, blue, 0);
    const cv::Mat tone(1, 256, CV_8UC1, const_cast<std::uint8_t*>(kSpotToneTable.data()));
    cv::LUT(blue, tone, blue);

    cv::Mat mask = cv::Mat::zeros(height, width, CV_8UC1);
    adaptiveThreshold(blue, mask);
    dilateOnce(mask);
    writePlaneAsColour(mask, result);

    // Outline every light/dark boundary inside the central region. The column
    // bound is 0.9 W - 1 as a real, so the pair at the region's right edge is
    // never looked at.
    const CentralRegion c = centralRegion(width, height);
    const int pairEnd = exclusiveBound(0.9 * width - 1);
    for (int y = c.top; y < c.bottom; ++y) {
        const std::uint8_t* m = mask.ptr<std::uint8_t>(y);
        cv::Vec3b* out = result.ptr<cv::Vec3b>(y);
        for (int x = c.left; x < pairEnd; ++x) {
            if ((m[x] == 0 && m[x + 1] == 255) || (m[x] == 255 && m[x + 1] == 0)) {
                out[x] = cv::Vec3b(0, 0, 255);
                out[x + 1] = cv::Vec3b(0, 0, 255);
            }
        }
    }
    if (live) {
        return 0;
    }

    std::int64_t count = 0;
    for (int y = c.top; y < c.bottom; ++y) {
        const std::uint8_t* m = mask.ptr<std::uint8_t>(y);
        for (int x = c.left; x < c.right; ++x) {
            count += m[x] < 200 ? 1 : 0;
        }
    }
    const double ratio = static_cast<double>(count) / (0.8 * width * 0.8 * height);
    return std::max(static_cast<int>(95 - ratio * 600), 35);
}

int poreBlobs(const cv::Mat& in, cv::Mat& result, bool live) {
    if (!isAnalysable(in)) {
        return kAnalysisRefused;
    }
    const cv::Mat input = unaliasedInput(in, result);
    const int width = input.cols;
    const int height = input.rows;

    cv::Mat red;
    cv::extractChannel(input, red, 2);
    cv::Mat inverted;
    cv::bitwise_not(red, inverted);

    cv::Mat mask = cv::Mat::zeros(height, width, CV_8UC1);
    adaptiveThreshold(inverted, mask);
    dilateOnce(mask);
    dilateOnce(mask);
    if (live) {
        writePlaneAsColour(mask, result);
        return 0;
    }

    // Dark mask pixels survive only where the skin is red enough to be a pore.
    for (int y = 0; y < height; ++y) {
        std::uint8_t* m = mask.ptr<std::uint8_t>(y);
        const cv::Vec3b* p = input.ptr<cv::Vec3b>(y);
        for (int x = 0; x < width; ++x) {
            if (m[x] < 50) {
                const int b = p[x][0];
                const int g = p[x][1];
                const int r = p[x][2];
                if (!(r > (g + b) / 2 && r > 150 && g > 90)) {
                    m[x] = 255;
                }
            }
        }
    }
    writePlaneAsColour(mask, result);
    const std::vector<cv::KeyPoint> pores = detectPores(result);
    input.copyTo(result);

    int score = 100;
    for (const cv::KeyPoint& pore : pores) {
        const float redMean =
            windowMean(red, static_cast<int>(pore.pt.x), static_cast<int>(pore.pt.y));
        const PoreStyle style = poreStyleFor(redMean);
        score -= style.penalty;
        // cvRound rounds halves to even.
        const cv::Point centre(cvRound(pore.pt.x), cvRound(pore.pt.y));
        cv::circle(result, centre, style.radius, style.colour, style.thickness, cv::LINE_8);
        score = std::max(score, 30);
    }
    return score;
}
