#include "CNetCameraCapture.h"
#include "MjpegStreamServer.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;

namespace {

// A 640 x 480 picture with a red block in its top-left corner: once turned,
// the block must sit bottom-right.
std::vector<uint8_t> markedJpeg() {
    cv::Mat picture(480, 640, CV_8UC3, cv::Scalar(140, 160, 210));
    cv::rectangle(picture, {0, 0}, {80, 60}, cv::Scalar(0, 0, 255), cv::FILLED);
    std::vector<uint8_t> bytes;
    cv::imencode(".jpg", picture, bytes, {cv::IMWRITE_JPEG_QUALITY, 95});
    return bytes;
}

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// What the capture thread reported, collected under a lock like a panel would.
struct Recorder {
    std::mutex mutex;
    int opened = 0;
    int lost = 0;
    int frames = 0;
    int framesBeforeConfirm = 0;
    bool confirmed = false;
    cv::Mat first;

    CNetCameraCapture::Callbacks callbacks() {
        return {[this] {
                    std::lock_guard lock(mutex);
                    ++opened;
                },
                [this](const cv::Mat& frame) {
                    std::lock_guard lock(mutex);
                    if (!confirmed)
                        ++framesBeforeConfirm;
                    if (frames++ == 0)
                        frame.copyTo(first);
                },
                [this] {
                    std::lock_guard lock(mutex);
                    ++lost;
                }};
    }
    template <class Predicate> bool waitFor(Predicate predicate, std::chrono::milliseconds limit) {
        const auto end = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < end) {
            {
                std::lock_guard lock(mutex);
                if (predicate())
                    return true;
            }
            std::this_thread::sleep_for(10ms);
        }
        std::lock_guard lock(mutex);
        return predicate();
    }
};

MjpegStreamServer::Options loopback(MjpegStreamServer::Behaviour behaviour, double fps = 25) {
    MjpegStreamServer::Options options;
    options.address = "127.0.0.1";
    options.streamPort = 0;
    options.controlPort = 0;
    options.fps = fps;
    options.behaviour = behaviour;
    return options;
}

CNetCameraCapture::Options cameraAt(const MjpegStreamServer& server) {
    CNetCameraCapture::Options options;
    options.address = "127.0.0.1";
    options.streamPort = server.streamPort();
    options.controlPort = server.controlPort();
    options.openTimeoutMs = 3000;
    options.readTimeoutMs = 800;
    return options;
}

// A port with nothing listening on it.
int closedPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

TEST(NetCameraCapture, StreamUrlHasThePortAndTheQueryPath) {
    EXPECT_EQ(CNetCameraCapture::streamUrl("10.1.2.3", 8196), "http://10.1.2.3:8196/?.mjpg");
}

TEST(NetCameraCapture, OnlyDottedIpv4AddressesAreUsed) {
    const std::pair<const char*, bool> cases[] = {
        {"192.168.10.1", true},    {"127.0.0.1", true},
        {"255.255.255.255", true}, {"", false},
        {"localhost", false},      {"256.1.1.1", false},
        {"1.2.3", false},          {"1.2.3.4/../x", false},
        {"1.2.3.4:80", false},     {"1.2.3.4%20", false},
        {" 1.2.3.4", false},       {"0001.0002.0003.0004", false},
    };
    for (const auto& [address, valid] : cases)
        EXPECT_EQ(CNetCameraCapture::isValidAddress(address), valid) << address;
}

TEST(NetCameraCapture, DamagedAddressEndsTheThreadsWithoutAnyMessage) {
    CNetCameraCapture::Options options;
    options.address = "127.0.0.1/../evil";
    Recorder recorder;
    CNetCameraCapture camera(options, recorder.callbacks());
    camera.start();
    EXPECT_TRUE(recorder.waitFor([&] { return !camera.isRunning(); }, 2s));
    std::lock_guard lock(recorder.mutex);
    EXPECT_EQ(recorder.opened, 0);
}

TEST(NetCameraCapture, DeliversTurnedFramesOnlyAfterTheOpeningIsConfirmed) {
    MjpegStreamServer server(loopback(MjpegStreamServer::Behaviour::Normal), {markedJpeg()});
    ASSERT_TRUE(server.start()) << server.error();
    Recorder recorder;
    CNetCameraCapture camera(cameraAt(server), recorder.callbacks());
    camera.start();

    ASSERT_TRUE(recorder.waitFor([&] { return recorder.opened == 1; }, 10s));
    // The panel has not switched yet: the thread holds the frames back.
    std::this_thread::sleep_for(300ms);
    {
        std::lock_guard lock(recorder.mutex);
        EXPECT_EQ(recorder.frames, 0);
        recorder.confirmed = true;
    }
    camera.confirmStreamOpened();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.frames >= 3; }, 10s));
    EXPECT_TRUE(camera.isStreaming());
    EXPECT_TRUE(recorder.waitFor([&] { return camera.isControlConnected(); }, 5s));

    camera.stop();
    std::lock_guard lock(recorder.mutex);
    EXPECT_EQ(recorder.framesBeforeConfirm, 0);
    EXPECT_EQ(recorder.lost, 0) << "a requested stop is not a lost stream";
    ASSERT_EQ(recorder.first.size(), cv::Size(640, 480));
    ASSERT_EQ(recorder.first.type(), CV_8UC3);
    const cv::Vec3b bottomRight = recorder.first.at<cv::Vec3b>(470, 630);
    const cv::Vec3b topLeft = recorder.first.at<cv::Vec3b>(10, 10);
    EXPECT_GT(bottomRight[2], 200);
    EXPECT_LT(bottomRight[0], 60);
    EXPECT_LT(topLeft[2], 240);
    EXPECT_GT(topLeft[0], 100);
}

TEST(NetCameraCapture, FramesFlowWithoutAControlPort) {
    auto options = loopback(MjpegStreamServer::Behaviour::Normal);
    options.controlPort = -1;
    MjpegStreamServer server(options, {markedJpeg()});
    ASSERT_TRUE(server.start()) << server.error();
    Recorder recorder;
    auto cameraOptions = cameraAt(server);
    cameraOptions.controlPort = closedPort();
    CNetCameraCapture camera(cameraOptions, recorder.callbacks());
    camera.start();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.opened == 1; }, 10s));
    camera.confirmStreamOpened();
    EXPECT_TRUE(recorder.waitFor([&] { return recorder.frames >= 2; }, 10s));
    EXPECT_FALSE(camera.isControlConnected());
}

TEST(NetCameraCapture, CameraThatIsNotThereEndsTheThreadWithoutAnyMessage) {
    CNetCameraCapture::Options options;
    options.address = "127.0.0.1";
    options.streamPort = closedPort();
    options.controlPort = closedPort();
    Recorder recorder;
    CNetCameraCapture camera(options, recorder.callbacks());
    camera.start();
    EXPECT_TRUE(recorder.waitFor([&] { return !camera.isRunning(); }, 10s));
    std::lock_guard lock(recorder.mutex);
    EXPECT_EQ(recorder.opened, 0);
    EXPECT_EQ(recorder.lost, 0);
}

// The camera goes away, the stream stalls mid-picture, or it sends noise: the
// capture thread reports the stream lost (or never opened), does not spin, and
// stops promptly.
struct FaultCase {
    const char* name;
    MjpegStreamServer::Behaviour behaviour;
    bool killServer; // the camera disappears after the first frames
};

void PrintTo(const FaultCase& c, std::ostream* out) {
    *out << c.name;
}

class NetCameraFaults : public ::testing::TestWithParam<FaultCase> {};

TEST_P(NetCameraFaults, EndsCleanlyWithoutSpinning) {
    const FaultCase& c = GetParam();
    auto server = std::make_unique<MjpegStreamServer>(
        loopback(c.behaviour), std::vector<std::vector<uint8_t>>{markedJpeg()});
    ASSERT_TRUE(server->start()) << server->error();
    Recorder recorder;
    auto camera = std::make_unique<CNetCameraCapture>(cameraAt(*server), recorder.callbacks());
    camera->start();
    // A stream that never gives a picture may or may not count as opened.
    recorder.waitFor([&] { return recorder.opened == 1 || !camera->isRunning(); }, 10s);
    camera->confirmStreamOpened();
    if (c.killServer) {
        ASSERT_TRUE(recorder.waitFor([&] { return recorder.frames >= 2; }, 10s));
        server->stop();
    }

    const double cpuBefore = processCpuSeconds();
    const bool ended = recorder.waitFor([&] { return !camera->isRunning(); }, 15s);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(ended) << "the capture thread keeps going on a dead stream";
    EXPECT_LT(processCpuSeconds() - cpuBefore, 1.5) << "the capture thread spins";
    {
        std::lock_guard lock(recorder.mutex);
        if (recorder.opened == 1) {
            EXPECT_EQ(recorder.lost, 1);
        }
        if (c.behaviour == MjpegStreamServer::Behaviour::Garbage) {
            EXPECT_EQ(recorder.frames, 0) << "noise must not reach the panel as a picture";
        }
    }
    const auto before = std::chrono::steady_clock::now();
    camera.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);
}

INSTANTIATE_TEST_SUITE_P(
    Streams, NetCameraFaults,
    ::testing::Values(FaultCase{"CameraKilled", MjpegStreamServer::Behaviour::Normal, true},
                      FaultCase{"StopsMidFrame", MjpegStreamServer::Behaviour::StopMidFrame, false},
                      FaultCase{"Garbage", MjpegStreamServer::Behaviour::Garbage, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NetCameraCapture, StopDuringAnUnansweredOpeningIsPrompt) {
    // A listener that accepts the connection in its backlog but never answers.
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 4), 0);
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);

    CNetCameraCapture::Options options;
    options.address = "127.0.0.1";
    options.streamPort = ntohs(address.sin_port);
    options.controlPort = ntohs(address.sin_port);
    options.openTimeoutMs = 1500;
    Recorder recorder;
    auto camera = std::make_unique<CNetCameraCapture>(options, recorder.callbacks());
    camera->start();
    std::this_thread::sleep_for(200ms);
    const auto before = std::chrono::steady_clock::now();
    camera.reset();
    EXPECT_LT(std::chrono::steady_clock::now() - before, 3s);
    ::close(fd);
    std::lock_guard lock(recorder.mutex);
    EXPECT_EQ(recorder.opened, 0);
}

TEST(NetCameraCapture, SecondStartWhileRunningIsIgnored) {
    MjpegStreamServer server(loopback(MjpegStreamServer::Behaviour::Normal), {markedJpeg()});
    ASSERT_TRUE(server.start()) << server.error();
    Recorder recorder;
    CNetCameraCapture camera(cameraAt(server), recorder.callbacks());
    camera.start();
    camera.start();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.opened >= 1; }, 10s));
    camera.confirmStreamOpened();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.frames >= 2; }, 10s));
    std::lock_guard lock(recorder.mutex);
    EXPECT_EQ(recorder.opened, 1);
}

TEST(NetCameraCapture, StartsAgainAfterTheCameraCameBack) {
    auto options = loopback(MjpegStreamServer::Behaviour::Normal);
    auto server = std::make_unique<MjpegStreamServer>(
        options, std::vector<std::vector<uint8_t>>{markedJpeg()});
    ASSERT_TRUE(server->start()) << server->error();
    Recorder recorder;
    CNetCameraCapture camera(cameraAt(*server), recorder.callbacks());
    const int streamPort = server->streamPort();
    const int controlPort = server->controlPort();
    camera.start();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.opened == 1; }, 10s));
    camera.confirmStreamOpened();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.frames >= 1; }, 10s));
    server.reset();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.lost == 1 && !camera.isRunning(); }, 10s));

    // The camera returns on the same ports.
    options.streamPort = streamPort;
    options.controlPort = controlPort;
    server = std::make_unique<MjpegStreamServer>(options,
                                                 std::vector<std::vector<uint8_t>>{markedJpeg()});
    ASSERT_TRUE(server->start()) << server->error();
    const int framesBefore = recorder.frames;
    camera.start();
    ASSERT_TRUE(recorder.waitFor([&] { return recorder.opened == 2; }, 10s));
    // The new opening waits for its own confirmation.
    std::this_thread::sleep_for(200ms);
    {
        std::lock_guard lock(recorder.mutex);
        EXPECT_EQ(recorder.frames, framesBefore);
    }
    camera.confirmStreamOpened();
    EXPECT_TRUE(recorder.waitFor([&] { return recorder.frames > framesBefore; }, 10s));
    EXPECT_TRUE(recorder.waitFor([&] { return camera.isControlConnected(); }, 5s));
}

} // namespace
