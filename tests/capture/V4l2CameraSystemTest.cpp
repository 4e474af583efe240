#include "V4l2CameraSystem.h"
#include "FakeV4l2Device.h"
#include "FrameSinks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// A sysfs tree shaped like the kernel's: class entries are symbolic links into
// the device hierarchy, where the USB device folder carries the ids.
class FakeSysfs {
public:
    FakeSysfs() {
        QDir(root()).mkpath(QStringLiteral("class/video4linux"));
        QDir(root()).mkpath(QStringLiteral("class/input"));
    }
    QString root() const { return m_dir.path(); }

    void addUsbDevice(const QString& port, const char* vendor, const char* product) {
        const QString usb = usbFolder(port);
        QDir().mkpath(usb);
        write(usb + QStringLiteral("/idVendor"), vendor);
        write(usb + QStringLiteral("/idProduct"), product);
    }
    void addVideoNode(const QString& port, const QString& node, const char* name,
                      const char* index) {
        const QString folder =
            usbFolder(port) + QStringLiteral("/%1:1.0/video4linux/%2").arg(port, node);
        QDir().mkpath(folder);
        if (name)
            write(folder + QStringLiteral("/name"), name);
        write(folder + QStringLiteral("/index"), index);
        // The class entry's "device" link points at the interface folder.
        QFile::link(QFileInfo(folder).path() + QStringLiteral("/.."),
                    folder + QStringLiteral("/device"));
        QFile::link(folder, root() + QStringLiteral("/class/video4linux/") + node);
    }
    void addInputNode(const QString& port, const QString& event) {
        const QString folder =
            usbFolder(port) + QStringLiteral("/%1:1.3/input/input7/%2").arg(port, event);
        QDir().mkpath(folder);
        QFile::link(folder, root() + QStringLiteral("/class/input/") + event);
    }

private:
    QString usbFolder(const QString& port) const {
        return root() + QStringLiteral("/devices/pci0000:00/usb1/") + port;
    }
    static void write(const QString& path, const char* text) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        file.write("\n");
    }
    QTemporaryDir m_dir;
};

TEST(V4l2CameraSystem, ListsAcceptedCaptureNodesInKernelOrderWithTheirButtons) {
    FakeSysfs sysfs;
    sysfs.addUsbDevice("1-2", "0c45", "6340");
    sysfs.addVideoNode("1-2", "video0", "Skin Camera", "0");
    sysfs.addVideoNode("1-2", "video1", "Skin Camera", "1"); // metadata node
    sysfs.addInputNode("1-2", "event5");
    sysfs.addUsbDevice("1-3", "046d", "0825"); // another make of webcam
    sysfs.addVideoNode("1-3", "video2", "Webcam C270", "0");
    sysfs.addUsbDevice("1-4", "0c45", "6340"); // a second skin camera, no button
    sysfs.addVideoNode("1-4", "video10", "Skin Camera 2", "0");
    sysfs.addUsbDevice("1-5", "0c45", "6340"); // nameless node: skipped
    sysfs.addVideoNode("1-5", "video9", nullptr, "0");

    V4l2CameraSystem system(sysfs.root(), QStringLiteral("/dev"));
    const auto all = system.allCaptureNodes();
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[1].deviceNode, QStringLiteral("/dev/video2"));

    const auto cameras = system.EnumerateCameras();
    ASSERT_EQ(cameras.size(), 2u);
    EXPECT_EQ(cameras[0].deviceNode, QStringLiteral("/dev/video0"));
    EXPECT_EQ(cameras[0].friendlyName, QStringLiteral("Skin Camera"));
    EXPECT_TRUE(cameras[0].displayName.contains(QStringLiteral("vid_0c45")));
    EXPECT_TRUE(cameras[0].displayName.contains(QStringLiteral("pid_6340")));
    EXPECT_EQ(cameras[0].buttonNode, QStringLiteral("/dev/input/event5"));
    EXPECT_EQ(cameras[1].deviceNode, QStringLiteral("/dev/video10"));
    EXPECT_TRUE(cameras[1].buttonNode.isEmpty());
}

TEST(V4l2CameraSystem, NoVideoClassMeansNoCamera) {
    QTemporaryDir empty;
    V4l2CameraSystem system(empty.path(), QStringLiteral("/dev"));
    EXPECT_TRUE(system.EnumerateCameras().empty());
}

TEST(V4l2CameraSystem, CreatedDeviceOpensTheEntrysNode) {
    FakeV4l2Device fake;
    V4l2CameraSystem system(QStringLiteral("/nonexistent"), QStringLiteral("/dev"), fake.calls());
    DeviceEntry entry;
    entry.deviceNode = QStringLiteral("/dev/video0");
    FrameSinks sinks;
    auto device = system.createDevice(entry, sinks);
    ASSERT_TRUE(device);
    EXPECT_EQ(device->Open(), 0);
    EXPECT_TRUE(device->isStreaming());
    EXPECT_FALSE(system.createDevice(DeviceEntry{}, sinks));
}

} // namespace
