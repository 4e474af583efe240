#include "FrameConversion.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// The formula as written, one pixel pair at a time: the reference the fast
// converter must match bit for bit.
cv::Vec3b referencePixel(int Y, int U, int V) {
    const int y = 298 * (Y - 16);
    const int u = U - 128;
    const int v = V - 128;
    auto clamp = [](int value) { return static_cast<uchar>(std::clamp(value, 0, 255)); };
    return {clamp((y + 516 * u + 128) >> 8), clamp((y - 100 * u - 208 * v + 128) >> 8),
            clamp((y + 409 * v + 128) >> 8)};
}

// A native picture whose corners differ clearly: the top-left pixel is the one
// that must end bottom-right.
cv::Mat nativePicture(int width, int height) {
    cv::Mat picture(height, width, CV_8UC3, cv::Scalar(128, 128, 128));
    cv::rectangle(picture, {0, 0}, {width / 4, height / 4}, cv::Scalar(0, 0, 255), cv::FILLED);
    cv::rectangle(picture, {width - width / 4, height - height / 4}, {width, height},
                  cv::Scalar(255, 0, 0), cv::FILLED);
    return picture;
}

struct Sample {
    CameraPixelFormat format;
    std::vector<uint8_t> bytes;
    int bytesPerLine = 0;
};

// The native picture as the camera would send it in each format.
Sample encode(CameraPixelFormat format, const cv::Mat& native, int padding) {
    Sample sample{format, {}, 0};
    const int w = native.cols;
    const int h = native.rows;
    switch (format) {
    case CameraPixelFormat::Yuyv: {
        sample.bytesPerLine = w * 2 + padding;
        sample.bytes.assign(std::size_t(sample.bytesPerLine) * h, 0);
        cv::Mat yuv;
        cv::cvtColor(native, yuv, cv::COLOR_BGR2YUV);
        for (int r = 0; r < h; ++r) {
            for (int x = 0; x < w; x += 2) {
                const cv::Vec3b a = yuv.at<cv::Vec3b>(r, x);
                const cv::Vec3b b = yuv.at<cv::Vec3b>(r, x + 1);
                uint8_t* p = &sample.bytes[std::size_t(r) * sample.bytesPerLine + x * 2];
                // Studio range luma, as cameras send it.
                p[0] = static_cast<uint8_t>(16 + a[0] * 219 / 255);
                p[1] = static_cast<uint8_t>((a[1] + b[1]) / 2);
                p[2] = static_cast<uint8_t>(16 + b[0] * 219 / 255);
                p[3] = static_cast<uint8_t>((a[2] + b[2]) / 2);
            }
        }
        break;
    }
    case CameraPixelFormat::Bgr24:
        sample.bytesPerLine = w * 3 + padding;
        sample.bytes.assign(std::size_t(sample.bytesPerLine) * h, 0);
        for (int r = 0; r < h; ++r)
            std::copy_n(native.ptr<uint8_t>(r), w * 3,
                        &sample.bytes[std::size_t(r) * sample.bytesPerLine]);
        break;
    case CameraPixelFormat::Mjpg:
        cv::imencode(".jpg", native, sample.bytes, {cv::IMWRITE_JPEG_QUALITY, 95});
        break;
    case CameraPixelFormat::Other:
        break;
    }
    return sample;
}

bool near(const cv::Vec3b& a, const cv::Vec3b& b, int tolerance) {
    for (int i = 0; i < 3; ++i) {
        if (std::abs(int(a[i]) - int(b[i])) > tolerance)
            return false;
    }
    return true;
}

struct OrientationCase {
    const char* name;
    CameraPixelFormat format;
    int padding;
    bool negativeHeight;
};

void PrintTo(const OrientationCase& c, std::ostream* out) {
    *out << c.name;
}

class FrameOrientation : public ::testing::TestWithParam<OrientationCase> {};

TEST_P(FrameOrientation, NativeTopLeftEndsBottomRight) {
    const OrientationCase& c = GetParam();
    const cv::Mat native = nativePicture(64, 48);
    const Sample sample = encode(c.format, native, c.padding);
    cv::Mat frame;
    ASSERT_TRUE(convertCameraSample(c.format, sample.bytes.data(), sample.bytes.size(), 64,
                                    c.negativeHeight ? -48 : 48, sample.bytesPerLine, frame));
    ASSERT_EQ(frame.type(), CV_8UC3);
    ASSERT_EQ(frame.size(), cv::Size(64, 48));
    const cv::Vec3b red(0, 0, 255);
    const cv::Vec3b blue(255, 0, 0);
    // Colour conversion and JPEG shift colours a little; the corners stay clear.
    EXPECT_TRUE(near(frame.at<cv::Vec3b>(47, 63), red, 40)) << frame.at<cv::Vec3b>(47, 63);
    EXPECT_TRUE(near(frame.at<cv::Vec3b>(0, 0), blue, 40)) << frame.at<cv::Vec3b>(0, 0);
    EXPECT_TRUE(near(frame.at<cv::Vec3b>(0, 63), cv::Vec3b(128, 128, 128), 20));
}

INSTANTIATE_TEST_SUITE_P(
    AllFormats, FrameOrientation,
    ::testing::Values(OrientationCase{"Yuyv", CameraPixelFormat::Yuyv, 0, false},
                      OrientationCase{"YuyvPaddedRows", CameraPixelFormat::Yuyv, 32, false},
                      OrientationCase{"YuyvNegativeHeight", CameraPixelFormat::Yuyv, 0, true},
                      OrientationCase{"Bgr24", CameraPixelFormat::Bgr24, 0, false},
                      OrientationCase{"Bgr24PaddedRows", CameraPixelFormat::Bgr24, 4, false},
                      OrientationCase{"Bgr24NegativeHeight", CameraPixelFormat::Bgr24, 0, true},
                      OrientationCase{"Mjpg", CameraPixelFormat::Mjpg, 0, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(YuyvConversion, MatchesTheIntegerFormulaForEveryInputAtItsTurnedPlace) {
    // Random bytes reach every clamp edge; each output pixel is compared with
    // the formula applied to the input pair it came from. The width takes the
    // converter through its wide blocks and its pair-by-pair tail.
    const int w = 70;
    const int h = 8;
    std::vector<uint8_t> bytes(std::size_t(w) * 2 * h);
    std::mt19937 random(7);
    for (auto& b : bytes)
        b = static_cast<uint8_t>(random());
    // Extremes that saturate every channel both ways.
    const uint8_t extremes[] = {0, 0, 0, 0, 255, 255, 255, 255, 0, 255, 0, 255, 255, 0, 255, 0};
    std::copy(std::begin(extremes), std::end(extremes), bytes.begin());

    cv::Mat frame;
    ASSERT_TRUE(convertYuyvTurned(bytes.data(), bytes.size(), w, h, 0, frame));
    for (int r = 0; r < h; ++r) {
        for (int x = 0; x < w; x += 2) {
            const uint8_t* p = &bytes[std::size_t(r) * w * 2 + x * 2];
            const int row = h - 1 - r;
            ASSERT_EQ(frame.at<cv::Vec3b>(row, w - 1 - x), referencePixel(p[0], p[1], p[3]))
                << "row " << r << " pixel " << x;
            ASSERT_EQ(frame.at<cv::Vec3b>(row, w - 2 - x), referencePixel(p[2], p[1], p[3]))
                << "row " << r << " pixel " << x + 1;
        }
    }
}

TEST(CameraSamples, BrokenSamplesYieldNoFrameAndNoCrash) {
    const std::vector<uint8_t> bytes(100, 0x55);
    cv::Mat frame(2, 2, CV_8UC3);
    struct Case {
        const char* what;
        CameraPixelFormat format;
        std::size_t length;
        int width, height, bytesPerLine;
    };
    const Case cases[] = {
        {"short yuyv", CameraPixelFormat::Yuyv, 100, 640, 480, 0},
        {"odd yuyv width", CameraPixelFormat::Yuyv, 100, 5, 2, 0},
        {"short bgr", CameraPixelFormat::Bgr24, 100, 640, 480, 0},
        {"stride below width", CameraPixelFormat::Bgr24, 100, 4, 2, 6},
        {"zero size", CameraPixelFormat::Yuyv, 100, 0, 0, 0},
        {"garbage jpeg", CameraPixelFormat::Mjpg, 100, 640, 480, 0},
        {"empty jpeg", CameraPixelFormat::Mjpg, 0, 640, 480, 0},
        {"other format", CameraPixelFormat::Other, 100, 4, 4, 0},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(convertCameraSample(c.format, bytes.data(), c.length, c.width, c.height,
                                         c.bytesPerLine, frame))
            << c.what;
        EXPECT_TRUE(frame.empty()) << c.what;
    }
}

TEST(CameraSamples, JpegHalfCutOffStillDecodesOrIsDropped) {
    std::vector<uint8_t> bytes;
    cv::imencode(".jpg", nativePicture(64, 48), bytes);
    bytes.resize(bytes.size() / 2);
    cv::Mat frame;
    // Decoders differ on truncated data; either way the frame is whole or absent.
    if (decodeMjpegTurned(bytes.data(), bytes.size(), frame))
        EXPECT_EQ(frame.size(), cv::Size(64, 48));
    else
        EXPECT_TRUE(frame.empty());
}

TEST(NetworkPictures, EveryChannelCountBecomesTurnedBgr) {
    cv::Mat grey(4, 6, CV_8UC1, cv::Scalar(0));
    grey.at<uchar>(0, 0) = 200;
    cv::Mat bgra(4, 6, CV_8UC4, cv::Scalar(0, 0, 0, 255));
    bgra.at<cv::Vec4b>(0, 0) = {200, 200, 200, 255};
    for (const cv::Mat& picture : {grey, bgra}) {
        cv::Mat frame;
        ASSERT_TRUE(turnPictureToBgr(picture, frame));
        ASSERT_EQ(frame.type(), CV_8UC3);
        EXPECT_EQ(frame.at<cv::Vec3b>(3, 5), cv::Vec3b(200, 200, 200));
        EXPECT_EQ(frame.at<cv::Vec3b>(0, 0), cv::Vec3b(0, 0, 0));
    }
    cv::Mat frame;
    EXPECT_FALSE(turnPictureToBgr(cv::Mat(), frame));
    EXPECT_FALSE(turnPictureToBgr(cv::Mat(2, 2, CV_16UC3), frame));
}

} // namespace
