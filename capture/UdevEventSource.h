#pragma once

#include "DeviceEventSource.h"

struct udev;
struct udev_monitor;

// Arrival and removal of video devices (udev subsystem "video4linux") from the
// kernel's udev netlink feed.
//
// Threading: GUI thread only (through DeviceMonitor).
class UdevEventSource : public DeviceEventSource {
public:
    UdevEventSource();
    ~UdevEventSource() override;

    UdevEventSource(const UdevEventSource&) = delete;
    UdevEventSource& operator=(const UdevEventSource&) = delete;

    int descriptor() const override;
    bool readEvent(Event& event) override;

private:
    udev* m_udev = nullptr;
    udev_monitor* m_monitor = nullptr;
};
