#include "CCaptureDevice.h"
#include "CameraFrameSink.h"
#include "FakeV4l2Device.h"
#include "FrameSinks.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <thread>

using namespace std::chrono_literals;

namespace {

class RecordingSink : public CameraFrameSink {
public:
    void OnCameraFrame(const cv::Mat& frame) override {
        std::lock_guard lock(m_mutex);
        frame.copyTo(m_last);
        ++m_frames;
        m_changed.notify_all();
    }
    void OnCameraButton() override {
        std::lock_guard lock(m_mutex);
        ++m_buttons;
        m_changed.notify_all();
    }
    bool waitForFrames(int count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 5s, [&] { return m_frames >= count; });
    }
    bool waitForButtons(int count) {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, 5s, [&] { return m_buttons >= count; });
    }
    int frames() {
        std::lock_guard lock(m_mutex);
        return m_frames;
    }
    int buttons() {
        std::lock_guard lock(m_mutex);
        return m_buttons;
    }
    cv::Mat last() {
        std::lock_guard lock(m_mutex);
        return m_last.clone();
    }

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    cv::Mat m_last;
    int m_frames = 0;
    int m_buttons = 0;
};

DeviceEntry cameraEntry(bool withButton = true) {
    DeviceEntry entry;
    entry.displayName = QStringLiteral("usb#vid_0c45&pid_6340#1-2#/dev/video0");
    entry.friendlyName = QStringLiteral("Skin Camera");
    entry.deviceNode = QStringLiteral("/dev/video0");
    if (withButton)
        entry.buttonNode = QStringLiteral("/dev/input/event5");
    return entry;
}

// The native picture: a red top-left block on grey, in the format the driver
// settled on.
std::vector<uint8_t> nativeSample(uint32_t format, int width, int height) {
    cv::Mat native(height, width, CV_8UC3, cv::Scalar(128, 128, 128));
    cv::rectangle(native, {0, 0}, {width / 4, height / 4}, cv::Scalar(0, 0, 255), cv::FILLED);
    std::vector<uint8_t> bytes;
    if (format == V4L2_PIX_FMT_MJPEG) {
        cv::imencode(".jpg", native, bytes);
    } else if (format == V4L2_PIX_FMT_BGR24) {
        bytes.assign(native.data, native.data + native.total() * 3);
    } else {
        cv::Mat yuv;
        cv::cvtColor(native, yuv, cv::COLOR_BGR2YUV);
        for (int r = 0; r < height; ++r) {
            for (int x = 0; x < width; x += 2) {
                const cv::Vec3b a = yuv.at<cv::Vec3b>(r, x);
                bytes.insert(bytes.end(), {static_cast<uint8_t>(16 + a[0] * 219 / 255), a[1],
                                           static_cast<uint8_t>(16 + a[0] * 219 / 255), a[2]});
            }
        }
    }
    return bytes;
}

struct NegotiationCase {
    const char* name;
    uint32_t driverFormat; // 0: takes the YUYV request
    int driverWidth, driverHeight;
    CameraPixelFormat expected;
};

void PrintTo(const NegotiationCase& c, std::ostream* out) {
    *out << c.name;
}

class CaptureDeviceFormats : public ::testing::TestWithParam<NegotiationCase> {};

TEST_P(CaptureDeviceFormats, ConversionFollowsTheFormatTheDriverSettledOn) {
    const NegotiationCase& c = GetParam();
    FakeV4l2Device fake;
    fake.forcedFormat = c.driverFormat;
    fake.forcedWidth = c.driverWidth;
    fake.forcedHeight = c.driverHeight;
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());

    ASSERT_EQ(device.Open(), 0);
    EXPECT_EQ(fake.requestedFormat(), uint32_t(V4L2_PIX_FMT_YUYV));
    EXPECT_EQ(fake.requestedSize(), std::make_pair(640, 480));
    EXPECT_EQ(device.pixelFormat(), c.expected);
    const int w = device.frameWidth();
    const int h = device.frameHeight();
    ASSERT_TRUE(fake.pushFrame(nativeSample(fake.negotiatedFormat(), w, h)));
    ASSERT_TRUE(sink.waitForFrames(1));

    const cv::Mat frame = sink.last();
    ASSERT_EQ(frame.size(), cv::Size(w, h));
    const cv::Vec3b bottomRight = frame.at<cv::Vec3b>(h - 1, w - 1);
    const cv::Vec3b topLeft = frame.at<cv::Vec3b>(0, 0);
    EXPECT_GT(bottomRight[2], 200) << bottomRight;
    EXPECT_LT(bottomRight[0], 60) << bottomRight;
    EXPECT_NEAR(topLeft[2], 128, 20) << topLeft;
    sinks.clear(&sink);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, CaptureDeviceFormats,
    ::testing::Values(
        NegotiationCase{"TakesYuyv", 0, 0, 0, CameraPixelFormat::Yuyv},
        NegotiationCase{"KeepsMjpg", V4L2_PIX_FMT_MJPEG, 0, 0, CameraPixelFormat::Mjpg},
        NegotiationCase{"KeepsBgr24", V4L2_PIX_FMT_BGR24, 0, 0, CameraPixelFormat::Bgr24},
        NegotiationCase{"OtherSize", 0, 320, 240, CameraPixelFormat::Yuyv}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureDevice, OpenSelectsWhiteLightTwiceInManualGain) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());
    ASSERT_EQ(device.Open(), 0);
    int whiteWrites = 0;
    for (const auto& [id, value] : fake.controlWrites()) {
        if (id == V4L2_CID_GAIN) {
            EXPECT_EQ(value, 2);
            ++whiteWrites;
        } else {
            EXPECT_EQ(id, uint32_t(V4L2_CID_AUTOGAIN));
            EXPECT_EQ(value, 0) << "the gain must be in manual mode";
        }
    }
    EXPECT_EQ(whiteWrites, 2);
}

TEST(CaptureDevice, LightModesWriteTheirGain) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());
    ASSERT_EQ(device.Open(), 0);
    const std::pair<int, int> cases[] = {{1, 2}, {2, 3}, {3, 4}, {0, 0}, {7, 0}, {-1, 0}};
    for (const auto& [mode, gain] : cases) {
        device.SetLightMode(mode);
        const auto writes = fake.controlWrites();
        ASSERT_FALSE(writes.empty());
        EXPECT_EQ(writes.back(), std::make_pair(uint32_t(V4L2_CID_GAIN), gain)) << "mode " << mode;
    }
}

TEST(CaptureDevice, LightModeWithoutAnOpenCameraDoesNothing) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());
    device.SetLightMode(2);
    EXPECT_TRUE(fake.controlWrites().empty());
}

struct OpenFailure {
    const char* name;
    void (*arrange)(FakeV4l2Device&);
    int expected; // 0: any negative status
};

void PrintTo(const OpenFailure& c, std::ostream* out) {
    *out << c.name;
}

class CaptureDeviceOpenFailures : public ::testing::TestWithParam<OpenFailure> {};

TEST_P(CaptureDeviceOpenFailures, ReportFailureAndReleaseEverything) {
    const OpenFailure& c = GetParam();
    FakeV4l2Device fake;
    c.arrange(fake);
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());
    const int status = device.Open();
    if (c.expected)
        EXPECT_EQ(status, c.expected);
    else
        EXPECT_LT(status, 0);
    EXPECT_FALSE(device.isStreaming());
    EXPECT_EQ(fake.openDescriptors(), 0);
    EXPECT_EQ(fake.mappedBuffers(), 0);
    EXPECT_FALSE(fake.pushFrame(std::vector<uint8_t>(640 * 480 * 2)));
    sinks.clear(&sink);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, CaptureDeviceOpenFailures,
    ::testing::Values(
        OpenFailure{"NoPermission", [](FakeV4l2Device& f) { f.openErrno = EACCES; }, -EACCES},
        OpenFailure{"Gone", [](FakeV4l2Device& f) { f.openErrno = ENOENT; }, -ENOENT},
        OpenFailure{"StreamingCannotStart", [](FakeV4l2Device& f) { f.failStreamOn = true; }, -EIO},
        OpenFailure{"NoBuffers", [](FakeV4l2Device& f) { f.failRequestBuffers = true; }, 0},
        OpenFailure{"NotACaptureNode", [](FakeV4l2Device& f) { f.captureCapable = false; },
                    -ENODEV}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CaptureDevice, PulledOutMidStreamStopsStreamingAndReleasesOnClose) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    auto device = std::make_unique<CCaptureDevice>(cameraEntry(), sinks, fake.calls());
    ASSERT_EQ(device->Open(), 0);
    ASSERT_TRUE(fake.pushFrame(nativeSample(V4L2_PIX_FMT_YUYV, 640, 480)));
    ASSERT_TRUE(sink.waitForFrames(1));

    fake.unplug();
    const auto end = std::chrono::steady_clock::now() + 5s;
    while (device->isStreaming() && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(5ms);
    EXPECT_FALSE(device->isStreaming());
    device->SetLightMode(2); // on a vanished camera: harmless
    device.reset();
    EXPECT_EQ(fake.openDescriptors(), 0);
    EXPECT_EQ(fake.mappedBuffers(), 0);
    EXPECT_EQ(sink.frames(), 1);
    sinks.clear(&sink);
}

TEST(CaptureDevice, ReopenStartsAFreshStream) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());
    ASSERT_EQ(device.Open(), 0);
    ASSERT_EQ(device.Open(), 0);
    EXPECT_EQ(fake.openDescriptors(), 2); // video node and button node, once each
    ASSERT_TRUE(fake.pushFrame(nativeSample(V4L2_PIX_FMT_YUYV, 640, 480)));
    EXPECT_TRUE(sink.waitForFrames(1));
    sinks.clear(&sink);
}

TEST(CaptureDevice, OnlyAPressOfTheCameraKeyIsAButton) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    CCaptureDevice device(cameraEntry(), sinks, fake.calls());
    ASSERT_EQ(device.Open(), 0);
    fake.pressButton(KEY_CAMERA, 1);
    fake.pressButton(KEY_CAMERA, 0); // release
    fake.pressButton(KEY_CAMERA, 2); // auto-repeat
    fake.pressButton(KEY_VOLUMEUP, 1);
    ASSERT_TRUE(sink.waitForButtons(1));
    // A frame after the key events proves they have all been read.
    ASSERT_TRUE(fake.pushFrame(nativeSample(V4L2_PIX_FMT_YUYV, 640, 480)));
    ASSERT_TRUE(sink.waitForFrames(1));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(sink.buttons(), 1);
    sinks.clear(&sink);
}

TEST(CaptureDevice, CameraWithoutAButtonStreams) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    CCaptureDevice device(cameraEntry(false), sinks, fake.calls());
    ASSERT_EQ(device.Open(), 0);
    EXPECT_EQ(fake.openDescriptors(), 1);
    ASSERT_TRUE(fake.pushFrame(nativeSample(V4L2_PIX_FMT_YUYV, 640, 480)));
    EXPECT_TRUE(sink.waitForFrames(1));
    sinks.clear(&sink);
}

TEST(CaptureDevice, NoSinkCallAfterTheSinkIsClearedOrTheDeviceDestroyed) {
    FakeV4l2Device fake;
    FrameSinks sinks;
    RecordingSink sink;
    sinks.set(FrameSinks::CapturePanel, &sink);
    auto device = std::make_unique<CCaptureDevice>(cameraEntry(), sinks, fake.calls());
    ASSERT_EQ(device->Open(), 0);
    ASSERT_TRUE(fake.pushFrame(nativeSample(V4L2_PIX_FMT_YUYV, 640, 480)));
    ASSERT_TRUE(sink.waitForFrames(1));
    sinks.clear(&sink);
    fake.pushFrame(nativeSample(V4L2_PIX_FMT_YUYV, 640, 480));
    std::this_thread::sleep_for(100ms);
    device.reset();
    EXPECT_EQ(sink.frames(), 1);
    EXPECT_FALSE(fake.streaming());
}

} // namespace
