#include "UdevEventSource.h"

#include <libudev.h>

UdevEventSource::UdevEventSource() {
    m_udev = udev_new();
    if (!m_udev)
        return;
    m_monitor = udev_monitor_new_from_netlink(m_udev, "udev");
    if (!m_monitor)
        return;
    if (udev_monitor_filter_add_match_subsystem_devtype(m_monitor, "video4linux", nullptr) < 0 ||
        udev_monitor_enable_receiving(m_monitor) < 0) {
        udev_monitor_unref(m_monitor);
        m_monitor = nullptr;
    }
}

UdevEventSource::~UdevEventSource() {
    if (m_monitor)
        udev_monitor_unref(m_monitor);
    if (m_udev)
        udev_unref(m_udev);
}

int UdevEventSource::descriptor() const {
    return m_monitor ? udev_monitor_get_fd(m_monitor) : -1;
}

bool UdevEventSource::readEvent(Event& event) {
    if (!m_monitor)
        return false;
    udev_device* device = udev_monitor_receive_device(m_monitor);
    if (!device)
        return false;
    const char* action = udev_device_get_action(device);
    const char* node = udev_device_get_devnode(device);
    event.action = QString::fromUtf8(action ? action : "");
    event.node = QString::fromUtf8(node ? node : "");
    udev_device_unref(device);
    return true;
}
