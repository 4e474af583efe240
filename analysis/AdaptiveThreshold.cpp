#include "AdaptiveThreshold.h"

#include <algorithm>
#include <cstdint>
#include <vector>

bool adaptiveThreshold(const cv::Mat& source, cv::Mat& mask) {
    if (source.empty() || source.type() != CV_8UC1 || source.dims != 2 || source.cols < 8) {
        return false;
    }
    const int width = source.cols;
    const int height = source.rows;
    mask.create(height, width, CV_8UC1);

    // 64-bit sums: identical to 32-bit ones wherever those do not overflow, and
    // for very wide planes (W / 8 above 512, no decay) where they would, the
    // factor is already 0 and every pixel comes out white either way.
    const std::int64_t length = width / 8;
    const std::int64_t factor = 43520 / (length * 100);
    const std::int64_t decay = 512 - 512 / length;

    std::vector<std::int64_t> previous(static_cast<std::size_t>(width), 127 * length);
    std::int64_t sum = 127 * length;

    for (int i = 0; i < height; ++i) {
        const std::uint8_t* in = source.ptr<std::uint8_t>(i);
        std::uint8_t* out = mask.ptr<std::uint8_t>(i);
        const bool leftToRight = (i % 2) == 0;
        for (int n = 0; n < width; ++n) {
            const int k = leftToRight ? n : width - 1 - n;
            const std::int64_t g = in[k];
            sum = ((sum * decay) >> 9) + g;
            const std::int64_t t = (((previous[k] + sum) >> 1) * factor) >> 9;
            previous[k] = sum;
            out[k] = g < t ? 0 : 255;
        }
    }
    return true;
}

float windowMean(const cv::Mat& plane, int x, int y) {
    if (plane.empty() || plane.type() != CV_8UC1 || plane.dims != 2) {
        return 0.0f;
    }
    const int top = std::max(y - 15, 0);
    const int bottom = std::min(y + 15, plane.rows - 1);
    const int left = std::max(x - 15, 0);
    const int right = std::min(x + 15, plane.cols - 1);
    if (top >= bottom || left >= right) {
        return 0.0f;
    }
    std::int64_t sum = 0;
    for (int row = top; row < bottom; ++row) {
        const std::uint8_t* p = plane.ptr<std::uint8_t>(row);
        for (int col = left; col < right; ++col) {
            sum += p[col];
        }
    }
    const std::int64_t count = static_cast<std::int64_t>(bottom - top) * (right - left);
    return static_cast<float>(sum) / static_cast<float>(count);
}
