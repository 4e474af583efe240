#pragma once

#include <QString>

#include <memory>
#include <vector>

class FrameSinks;

// One usable camera as the enumeration found it. The display name carries the
// USB ids as "vid_XXXX" and "pid_XXXX" so that the accepted-camera test reads
// them; the device node is what opening uses.
struct DeviceEntry {
    QString displayName;
    QString friendlyName;
    QString deviceNode; // e.g. "/dev/video0"
    // The evdev node of the same USB device that reports the snapshot button
    // (e.g. "/dev/input/event5"); empty when the camera has none.
    QString buttonNode;
};

// One opened camera, as the capture panel and the comparison screen see it.
// Frames and button presses go to the FrameSinks given at creation, from the
// device's own capture thread.
//
// Threading: created, opened, switched and destroyed on the GUI thread. The
// destructor stops streaming and joins the capture thread before it returns,
// so no sink is called after it.
class CameraDevice {
public:
    virtual ~CameraDevice() = default;

    // 0 when streaming has started, a negative status otherwise: a negative
    // errno value, -EACCES when the operator's account may not open the
    // camera (not in the "video" group), so the panel can say so.
    virtual int Open() = 0;
    // 1 white, 2 polarized, 3 ultraviolet; any other number writes 0.
    virtual void SetLightMode(int mode) = 0;
    // True while frames flow; false once the device has gone away or failed.
    virtual bool isStreaming() const = 0;
};

// Where cameras come from: the V4L2 system in the program, a fake in tests.
//
// Threading: GUI thread only.
class CameraSystem {
public:
    virtual ~CameraSystem() = default;

    // Accepted cameras in the kernel's order.
    virtual std::vector<DeviceEntry> EnumerateCameras() = 0;
    // Nothing when the entry cannot be bound to a device.
    virtual std::unique_ptr<CameraDevice> createDevice(const DeviceEntry& entry,
                                                       FrameSinks& sinks) = 0;
};
