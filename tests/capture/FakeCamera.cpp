#include "FakeCamera.h"

#include "FrameSinks.h"

#include <thread>

FakeCameraDevice::FakeCameraDevice(FakeCameraSystem& system, FrameSinks& sinks, DeviceEntry entry)
    : m_system(system), m_sinks(sinks), m_entry(std::move(entry)) {
    ++m_system.created;
    m_system.current = this;
}

FakeCameraDevice::~FakeCameraDevice() {
    ++m_system.destroyed;
    if (m_system.current == this)
        m_system.current = nullptr;
}

int FakeCameraDevice::Open() {
    if (m_system.openStatus < 0)
        return m_system.openStatus;
    m_streaming = true;
    return 0;
}

void FakeCameraDevice::SetLightMode(int mode) {
    m_system.lights.push_back(mode);
}

std::unique_ptr<CameraDevice> FakeCameraSystem::createDevice(const DeviceEntry& entry,
                                                             FrameSinks& sinks) {
    return std::make_unique<FakeCameraDevice>(*this, sinks, entry);
}

void FakeCameraSystem::plugIn(const QString& node) {
    cameras.push_back({QStringLiteral("USB Camera (vid_0c45&pid_6340)"),
                       QStringLiteral("USB Camera"), node, QString()});
}

void FakeCameraSystem::pullOut() {
    cameras.clear();
    if (current)
        current->lose();
}

void FakeCameraSystem::pushFrame(const cv::Mat& frame) {
    if (!current || !current->isStreaming())
        return;
    FrameSinks& sinks = current->sinks();
    std::thread([&sinks, frame] { sinks.deliverFrame(frame); }).join();
}

void FakeCameraSystem::pressButton() {
    if (!current)
        return;
    FrameSinks& sinks = current->sinks();
    std::thread([&sinks] { sinks.deliverButton(); }).join();
}

cv::Mat solidFrame(int blue, int green, int red, int width, int height) {
    return cv::Mat(height, width, CV_8UC3, cv::Scalar(blue, green, red));
}
