#pragma once

#include "CameraDevice.h"
#include "V4l2Syscalls.h"

#include <QString>

// Cameras on V4L2: enumeration from sysfs and the devices that open them.
//
// EnumerateCameras lists the video capture nodes (/sys/class/video4linux,
// "index" 0 of each device: the picture node, not the metadata node) in the
// kernel's order (video0, video1, ...), each with the USB ids of the device it
// belongs to written into its display name as
//   "usb#vid_0c45&pid_6340#<usb device>#/dev/video0"
// so that IsAcceptedCamera reads them, the sysfs "name" as friendly name, and
// the evdev node of the same USB device (its snapshot button) when there is
// one. Only accepted cameras are listed; a node whose USB ids or name cannot be
// read is skipped.
//
// Threading: GUI thread only. The sysfs and /dev roots and the system-call
// table are parameters so that tests run against a fake tree and device.
class V4l2CameraSystem : public CameraSystem {
public:
    explicit V4l2CameraSystem(QString sysfsRoot = QStringLiteral("/sys"),
                              QString devRoot = QStringLiteral("/dev"),
                              V4l2Syscalls calls = V4l2Syscalls::system());

    std::vector<DeviceEntry> EnumerateCameras() override;
    std::unique_ptr<CameraDevice> createDevice(const DeviceEntry& entry,
                                               FrameSinks& sinks) override;

    // Every capture node with its USB ids, accepted or not (for diagnostics
    // and tests).
    std::vector<DeviceEntry> allCaptureNodes() const;

private:
    QString m_sysfsRoot;
    QString m_devRoot;
    V4l2Syscalls m_calls;
};
