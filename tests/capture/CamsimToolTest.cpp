// velatrix-camsim run as its own process, read through the real network
// capture: what staff and the end-to-end tests rely on.

#include "CNetCameraCapture.h"
#include "TempProgramFolder.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <mutex>
#include <thread>

using namespace std::chrono_literals;

namespace {

QString camsim() {
    return TempProgramFolder::builtProgramFolder() + "velatrix-camsim";
}

TEST(CamsimTool, ServesTheDemoPicturesUntilAskedToStop) {
    const QString demo = TempProgramFolder::builtProgramFolder() + "demo";
    ASSERT_EQ(QDir(demo).entryList({"*.jpg"}).size(), 6);

    QProcess process;
    process.start(camsim(), {"--address", "127.0.0.1", "--port", "0", "--control-port", "0",
                             "--fps", "20", demo});
    ASSERT_TRUE(process.waitForStarted());
    ASSERT_TRUE(process.waitForReadyRead(10000));
    const QString banner = QString::fromUtf8(process.readAllStandardOutput());
    const QRegularExpression ports(R"(:(\d+)/\?\.mjpg, control port (\d+))");
    const auto match = ports.match(banner);
    ASSERT_TRUE(match.hasMatch()) << banner.toStdString();

    std::mutex mutex;
    int frames = 0;
    cv::Size size;
    CNetCameraCapture::Options options;
    options.address = "127.0.0.1";
    options.streamPort = match.captured(1).toInt();
    options.controlPort = match.captured(2).toInt();
    CNetCameraCapture camera(options, {{},
                                       [&](const cv::Mat& frame) {
                                           std::lock_guard lock(mutex);
                                           ++frames;
                                           size = frame.size();
                                       },
                                       {}});
    camera.start();
    const auto end = std::chrono::steady_clock::now() + 10s;
    for (;;) {
        {
            std::lock_guard lock(mutex);
            if (frames >= 8 || std::chrono::steady_clock::now() > end)
                break;
        }
        std::this_thread::sleep_for(20ms);
    }
    EXPECT_TRUE(camera.isControlConnected());
    camera.stop();
    {
        std::lock_guard lock(mutex);
        EXPECT_GE(frames, 8);
        EXPECT_EQ(size, cv::Size(640, 480));
    }

    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(5000));
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0);
}

TEST(CamsimTool, RefusesBadArgumentsAndEmptySources) {
    TempProgramFolder folder;
    folder.write("notes/readme.txt", "no pictures here");
    folder.write("broken/skin.jpg", "not a jpeg");
    struct Case {
        QStringList args;
        int status;
    };
    const Case cases[] = {
        {{}, 2},
        {{"--fps", "0", folder.path()}, 2},
        {{"--port", "99999", folder.path()}, 2},
        {{"--bogus", folder.path()}, 2},
        {{folder.file("notes")}, 1},
        {{folder.file("broken")}, 1},
        {{folder.file("missing.jpg")}, 1},
    };
    for (const Case& c : cases) {
        QProcess process;
        process.start(camsim(), c.args);
        ASSERT_TRUE(process.waitForFinished(10000)) << c.args.join(' ').toStdString();
        EXPECT_EQ(process.exitCode(), c.status) << c.args.join(' ').toStdString();
    }
}

} // namespace
