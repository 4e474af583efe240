#pragma once

#include "DeviceEventSource.h"

#include <QObject>

#include <memory>

class QSocketNotifier;

// Tells the main window when a camera is plugged in or pulled out. The main
// window forwards deviceChanged to the capture panel's OnDeviceChange.
//
// Threading: lives on the GUI thread; the socket notifier runs there too, so
// deviceChanged is always emitted on the GUI thread and never blocks (the
// source's descriptor is only read when it is ready).
class DeviceMonitor : public QObject {
    Q_OBJECT
public:
    // Watches udev (subsystem video4linux).
    explicit DeviceMonitor(QObject* parent = nullptr);
    // Watches the given source (tests pass a fake).
    explicit DeviceMonitor(std::unique_ptr<DeviceEventSource> source, QObject* parent = nullptr);
    ~DeviceMonitor() override;

    // False when the source could not be set up (no udev): then only the
    // capture panel's own checks notice cameras.
    bool isWatching() const;

signals:
    void deviceChanged(const QString& action, const QString& node);

private:
    void readReady();

    std::unique_ptr<DeviceEventSource> m_source;
    QSocketNotifier* m_notifier = nullptr;
};
