#pragma once

#include "CameraDevice.h"
#include "FrameConversion.h"
#include "V4l2Syscalls.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>
#include <vector>

class FrameSinks;

// One USB camera on V4L2. Open() asks for YUYV 640 x 480, reads back what the
// driver settled on (which may be MJPG or BGR24 instead, or another size),
// maps the driver's buffers and starts a capture thread that converts every
// frame into a turned BGR picture and hands it to the frame sinks. The same
// thread watches the camera's snapshot button (the evdev node of the same USB
// device, KEY_CAMERA) and reports presses to the sinks.
//
// Status codes are negative errno values: -EACCES when the operator's account
// may not open the node (it must be in the "video" group), -ENODEV when the
// camera has gone, -EIO when it cannot stream.
//
// Threading: created, opened, switched and destroyed on the GUI thread. The
// capture thread gets the device's descriptors and negotiated format by value
// when it starts and touches nothing else of the object; it calls only the
// FrameSinks, whose lock guarantees no sink is called after it was cleared.
// The destructor stops streaming and joins the thread before returning.
class CCaptureDevice : public CameraDevice {
public:
    CCaptureDevice(DeviceEntry entry, FrameSinks& sinks,
                   V4l2Syscalls calls = V4l2Syscalls::system());
    ~CCaptureDevice() override;

    CCaptureDevice(const CCaptureDevice&) = delete;
    CCaptureDevice& operator=(const CCaptureDevice&) = delete;

    int Open() override;
    void SetLightMode(int mode) override;
    bool isStreaming() const override { return m_streaming.load(); }

    // What the driver settled on (valid after a successful Open).
    CameraPixelFormat pixelFormat() const { return m_format; }
    int frameWidth() const { return m_width; }
    int frameHeight() const { return m_height; }
    const DeviceEntry& entry() const { return m_entry; }

    // The gain value written for a light mode: 2, 3, 4 for white, polarized,
    // ultraviolet, 0 for anything else.
    static int gainForLight(int mode);

private:
    struct Buffer {
        void* start = nullptr;
        std::size_t length = 0;
    };
    struct StreamSetup {
        int videoFd;
        int buttonFd;
        int wakeFd;
        CameraPixelFormat format;
        int width;
        int height;
        int bytesPerLine;
        std::vector<Buffer> buffers;
    };

    void Close();
    int startStreaming();
    void captureLoop(StreamSetup setup);
    void openButton();

    const DeviceEntry m_entry;
    FrameSinks& m_sinks;
    const V4l2Syscalls m_calls;

    int m_fd = -1;
    int m_buttonFd = -1;
    int m_wakeFd = -1;
    std::vector<Buffer> m_buffers;
    CameraPixelFormat m_format = CameraPixelFormat::Other;
    int m_width = 0;
    int m_height = 0;
    int m_bytesPerLine = 0;
    bool m_streamOn = false;

    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_streaming{false};
};
