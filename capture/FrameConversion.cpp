#include "FrameConversion.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <array>
#include <cstdlib>
#include <vector>

namespace {

// The per-pixel products of the integer formula, looked up instead of
// multiplied: the conversion runs for every frame on the camera thread.
struct YuvTables {
    std::array<int32_t, 256> luma{};   // 298 (Y - 16) + 128
    std::array<int32_t, 256> redV{};   // 409 v
    std::array<int32_t, 256> greenU{}; // -100 u
    std::array<int32_t, 256> greenV{}; // -208 v
    std::array<int32_t, 256> blueU{};  // 516 u
    std::array<uint8_t, 1024> clamp{}; // (value >> 8) clamped, indexed with an offset

    YuvTables() {
        for (int i = 0; i < 256; ++i) {
            luma[i] = 298 * (i - 16) + 128;
            redV[i] = 409 * (i - 128);
            greenU[i] = -100 * (i - 128);
            greenV[i] = -208 * (i - 128);
            blueU[i] = 516 * (i - 128);
        }
        for (int i = 0; i < 1024; ++i) {
            const int value = i - clampOffset;
            clamp[i] = static_cast<uint8_t>(value < 0 ? 0 : value > 255 ? 255 : value);
        }
    }
    // The shifted sums lie between -278 and 535.
    static constexpr int clampOffset = 384;
};

const YuvTables& yuvTables() {
    static const YuvTables tables;
    return tables;
}

bool usableSize(int width, int height) {
    return width > 0 && height > 0 && width <= 16384 && height <= 16384;
}

} // namespace

bool convertYuyvTurned(const uint8_t* data, std::size_t length, int width, int height,
                       int bytesPerLine, cv::Mat& out) {
    out.release();
    height = std::abs(height);
    if (!data || !usableSize(width, height) || width % 2 != 0)
        return false;
    const std::size_t stride =
        bytesPerLine > 0 ? std::size_t(bytesPerLine) : std::size_t(width) * 2;
    if (stride < std::size_t(width) * 2 || length < stride * std::size_t(height - 1) + width * 2)
        return false;

    const YuvTables& t = yuvTables();
    const uint8_t* clamp = t.clamp.data() + YuvTables::clampOffset;
    out.create(height, width, CV_8UC3);
    for (int r = 0; r < height; ++r) {
        const uint8_t* in = data + stride * r;
        // Input row r lands on row height - 1 - r, and its pixels run from the
        // right edge leftwards: together a 180° turn.
        uint8_t* dst = out.ptr<uint8_t>(height - 1 - r) + (width - 1) * 3;
        for (int x = 0; x < width; x += 2, in += 4, dst -= 6) {
            const int y0 = t.luma[in[0]];
            const int y1 = t.luma[in[2]];
            const int red = t.redV[in[3]];
            const int green = t.greenU[in[1]] + t.greenV[in[3]];
            const int blue = t.blueU[in[1]];
            dst[0] = clamp[(y0 + blue) >> 8];
            dst[1] = clamp[(y0 + green) >> 8];
            dst[2] = clamp[(y0 + red) >> 8];
            dst[-3] = clamp[(y1 + blue) >> 8];
            dst[-2] = clamp[(y1 + green) >> 8];
            dst[-1] = clamp[(y1 + red) >> 8];
        }
    }
    return true;
}

bool convertBgr24Turned(const uint8_t* data, std::size_t length, int width, int height,
                        int bytesPerLine, cv::Mat& out) {
    out.release();
    height = std::abs(height);
    if (!data || !usableSize(width, height))
        return false;
    const std::size_t stride =
        bytesPerLine > 0 ? std::size_t(bytesPerLine) : std::size_t(width) * 3;
    if (stride < std::size_t(width) * 3 || length < stride * std::size_t(height - 1) + width * 3)
        return false;
    const cv::Mat native(height, width, CV_8UC3, const_cast<uint8_t*>(data), stride);
    cv::flip(native, out, -1);
    return true;
}

bool decodeMjpegTurned(const uint8_t* data, std::size_t length, cv::Mat& out) {
    out.release();
    if (!data || length < 4)
        return false;
    cv::Mat picture;
    try {
        const cv::Mat bytes(1, static_cast<int>(length), CV_8UC1, const_cast<uint8_t*>(data));
        picture = cv::imdecode(bytes, cv::IMREAD_COLOR);
    } catch (const cv::Exception&) {
        return false;
    }
    if (picture.empty())
        return false;
    cv::flip(picture, out, -1);
    return true;
}

bool convertCameraSample(CameraPixelFormat format, const uint8_t* data, std::size_t length,
                         int width, int height, int bytesPerLine, cv::Mat& out) {
    switch (format) {
    case CameraPixelFormat::Mjpg:
        return decodeMjpegTurned(data, length, out);
    case CameraPixelFormat::Yuyv:
        return convertYuyvTurned(data, length, width, height, bytesPerLine, out);
    case CameraPixelFormat::Bgr24:
        return convertBgr24Turned(data, length, width, height, bytesPerLine, out);
    case CameraPixelFormat::Other:
        break;
    }
    out.release();
    return false;
}

bool turnPictureToBgr(const cv::Mat& picture, cv::Mat& out) {
    out.release();
    if (picture.empty() || picture.depth() != CV_8U)
        return false;
    switch (picture.channels()) {
    case 3:
        cv::flip(picture, out, -1);
        return true;
    case 1: {
        cv::Mat colour;
        cv::cvtColor(picture, colour, cv::COLOR_GRAY2BGR);
        cv::flip(colour, out, -1);
        return true;
    }
    case 4: {
        cv::Mat colour;
        cv::cvtColor(picture, colour, cv::COLOR_BGRA2BGR);
        cv::flip(colour, out, -1);
        return true;
    }
    default:
        return false;
    }
}
