#include "V4l2CameraSystem.h"

#include "AcceptedCameras.h"
#include "CCaptureDevice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

QString readLine(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine()).trimmed();
}

// The USB device folder (the one with idVendor and idProduct) above a sysfs
// device folder, or empty.
QString usbDeviceFolder(QString folder, const QString& root) {
    while (folder.size() > root.size() && folder.startsWith(root)) {
        if (QFileInfo::exists(folder + QStringLiteral("/idVendor")) &&
            QFileInfo::exists(folder + QStringLiteral("/idProduct")))
            return folder;
        folder = QFileInfo(folder).path();
    }
    return {};
}

// Nodes sorted by their number, the kernel's registration order: video10
// comes after video9.
QStringList numberedEntries(const QString& folder, const QString& prefix) {
    QStringList names =
        QDir(folder).entryList({prefix + QLatin1Char('*')},
                               QDir::Dirs | QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        return a.mid(prefix.size()).toInt() < b.mid(prefix.size()).toInt();
    });
    return names;
}

} // namespace

V4l2CameraSystem::V4l2CameraSystem(QString sysfsRoot, QString devRoot, V4l2Syscalls calls)
    : m_sysfsRoot(std::move(sysfsRoot)), m_devRoot(std::move(devRoot)), m_calls(std::move(calls)) {}

std::vector<DeviceEntry> V4l2CameraSystem::allCaptureNodes() const {
    std::vector<DeviceEntry> nodes;
    const QString videoClass = m_sysfsRoot + QStringLiteral("/class/video4linux");
    const QString inputClass = m_sysfsRoot + QStringLiteral("/class/input");
    const QString canonicalRoot = QFileInfo(m_sysfsRoot).canonicalFilePath();

    for (const QString& name : numberedEntries(videoClass, QStringLiteral("video"))) {
        const QString classEntry = videoClass + QLatin1Char('/') + name;
        // A UVC camera registers a picture node (index 0) and a metadata
        // node; only the picture node captures frames.
        const QString index = readLine(classEntry + QStringLiteral("/index"));
        if (!index.isEmpty() && index != QLatin1String("0"))
            continue;
        const QString friendly = readLine(classEntry + QStringLiteral("/name"));
        const QString device =
            QFileInfo(classEntry + QStringLiteral("/device")).canonicalFilePath();
        const QString usb = usbDeviceFolder(device, canonicalRoot);
        if (friendly.isEmpty() || usb.isEmpty())
            continue;
        const QString vendor = readLine(usb + QStringLiteral("/idVendor"));
        const QString product = readLine(usb + QStringLiteral("/idProduct"));
        if (vendor.size() != 4 || product.size() != 4)
            continue;

        DeviceEntry entry;
        entry.friendlyName = friendly;
        entry.deviceNode = m_devRoot + QLatin1Char('/') + name;
        entry.displayName = QStringLiteral("usb#vid_%1&pid_%2#%3#%4")
                                .arg(vendor, product, QFileInfo(usb).fileName(), entry.deviceNode);

        // The snapshot button is an input device below the same USB device.
        for (const QString& event : numberedEntries(inputClass, QStringLiteral("event"))) {
            const QString eventDevice =
                QFileInfo(inputClass + QLatin1Char('/') + event).canonicalFilePath();
            if (eventDevice.startsWith(usb + QLatin1Char('/'))) {
                entry.buttonNode = m_devRoot + QStringLiteral("/input/") + event;
                break;
            }
        }
        nodes.push_back(entry);
    }
    return nodes;
}

std::vector<DeviceEntry> V4l2CameraSystem::EnumerateCameras() {
    std::vector<DeviceEntry> accepted;
    for (const DeviceEntry& entry : allCaptureNodes()) {
        if (IsAcceptedCamera(entry.displayName))
            accepted.push_back(entry);
    }
    return accepted;
}

std::unique_ptr<CameraDevice> V4l2CameraSystem::createDevice(const DeviceEntry& entry,
                                                             FrameSinks& sinks) {
    if (entry.deviceNode.isEmpty())
        return nullptr;
    return std::make_unique<CCaptureDevice>(entry, sinks, m_calls);
}
