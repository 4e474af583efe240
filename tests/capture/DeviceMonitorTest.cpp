#include "DeviceMonitor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <cstring>
#include <unistd.h>

namespace {

// Notices written into a pipe as "action node" lines, one per write.
class PipeEventSource : public DeviceEventSource {
public:
    PipeEventSource() {
        if (::pipe(m_fds) != 0)
            m_fds[0] = m_fds[1] = -1;
    }
    ~PipeEventSource() override {
        ::close(m_fds[0]);
        ::close(m_fds[1]);
    }
    int writer() const { return m_fds[1]; }
    int descriptor() const override { return m_fds[0]; }
    bool readEvent(Event& event) override {
        char buffer[128] = {};
        const ssize_t length = ::read(m_fds[0], buffer, sizeof buffer - 1);
        if (length <= 0)
            return false;
        const QStringList parts = QString::fromLatin1(buffer).trimmed().split(QLatin1Char(' '));
        event.action = parts.value(0);
        event.node = parts.value(1);
        return true;
    }

private:
    int m_fds[2];
};

class UnavailableSource : public DeviceEventSource {
public:
    int descriptor() const override { return -1; }
    bool readEvent(Event&) override { return false; }
};

TEST(DeviceMonitor, ArrivalAndRemovalReachTheGuiThreadInOrder) {
    auto source = std::make_unique<PipeEventSource>();
    const int writer = source->writer();
    DeviceMonitor monitor(std::move(source));
    ASSERT_TRUE(monitor.isWatching());
    QSignalSpy spy(&monitor, &DeviceMonitor::deviceChanged);

    for (const char* line : {"add /dev/video0", "remove /dev/video0"}) {
        ASSERT_GT(::write(writer, line, std::strlen(line)), 0);
        QElapsedTimer timer;
        timer.start();
        const int expected = spy.count() + 1;
        while (spy.count() < expected && timer.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_EQ(spy.count(), 2);
    EXPECT_EQ(spy[0][0].toString(), QStringLiteral("add"));
    EXPECT_EQ(spy[0][1].toString(), QStringLiteral("/dev/video0"));
    EXPECT_EQ(spy[1][0].toString(), QStringLiteral("remove"));
}

TEST(DeviceMonitor, WithoutASourceItSimplyStaysQuiet) {
    DeviceMonitor monitor(std::make_unique<UnavailableSource>());
    EXPECT_FALSE(monitor.isWatching());
}

} // namespace
