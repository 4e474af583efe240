#include "DeviceMonitor.h"

#include "UdevEventSource.h"

#include <QSocketNotifier>

DeviceMonitor::DeviceMonitor(QObject* parent)
    : DeviceMonitor(std::make_unique<UdevEventSource>(), parent) {}

DeviceMonitor::DeviceMonitor(std::unique_ptr<DeviceEventSource> source, QObject* parent)
    : QObject(parent), m_source(std::move(source)) {
    if (m_source && m_source->descriptor() >= 0) {
        m_notifier = new QSocketNotifier(m_source->descriptor(), QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, [this] { readReady(); });
    }
}

DeviceMonitor::~DeviceMonitor() = default;

bool DeviceMonitor::isWatching() const {
    return m_notifier != nullptr;
}

void DeviceMonitor::readReady() {
    DeviceEventSource::Event event;
    if (m_source->readEvent(event))
        emit deviceChanged(event.action, event.node);
}
