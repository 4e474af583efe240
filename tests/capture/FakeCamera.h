#pragma once

#include "CameraDevice.h"
#include "NetworkCamera.h"

#include <opencv2/core.hpp>

#include <atomic>
#include <memory>
#include <vector>

class FakeCameraSystem;

// A camera device that streams whatever the test pushes through its system.
// Frames and button presses are delivered from a thread of their own, as a
// real capture thread would.
class FakeCameraDevice : public CameraDevice {
public:
    FakeCameraDevice(FakeCameraSystem& system, FrameSinks& sinks, DeviceEntry entry);
    ~FakeCameraDevice() override;

    int Open() override;
    void SetLightMode(int mode) override;
    bool isStreaming() const override { return m_streaming.load(); }

    const DeviceEntry& entry() const { return m_entry; }
    FrameSinks& sinks() { return m_sinks; }
    void lose() { m_streaming = false; }

private:
    FakeCameraSystem& m_system;
    FrameSinks& m_sinks;
    DeviceEntry m_entry;
    std::atomic<bool> m_streaming{false};
};

// The cameras a test plugs in and pulls out. Light calls of every device are
// recorded in order; Open fails with openStatus when it is negative.
class FakeCameraSystem : public CameraSystem {
public:
    std::vector<DeviceEntry> EnumerateCameras() override { return cameras; }
    std::unique_ptr<CameraDevice> createDevice(const DeviceEntry& entry,
                                               FrameSinks& sinks) override;

    // One accepted camera in the list.
    void plugIn(const QString& node = QStringLiteral("/dev/video0"));
    // The list empties and the open device stops streaming.
    void pullOut();
    // Delivers a frame / a button press from another thread and waits for it.
    void pushFrame(const cv::Mat& frame);
    void pressButton();

    std::vector<DeviceEntry> cameras;
    int openStatus = 0;
    std::vector<int> lights;
    int created = 0;
    int destroyed = 0;
    FakeCameraDevice* current = nullptr;
};

// A Wi-Fi camera source that runs until the test ends it.
class FakeNetworkCamera : public NetworkCamera {
public:
    explicit FakeNetworkCamera(const Request& request, int* alive)
        : m_request(request), m_alive(alive) {
        ++*m_alive;
    }
    ~FakeNetworkCamera() override { --*m_alive; }
    bool isRunning() const override { return running; }
    void confirmStreamOpened() override { ++confirmations; }

    const Request& request() const { return m_request; }
    bool running = true;
    int confirmations = 0;

private:
    Request m_request;
    int* m_alive;
};

// A plain picture of one colour, BGR.
cv::Mat solidFrame(int blue, int green, int red, int width = 640, int height = 480);
