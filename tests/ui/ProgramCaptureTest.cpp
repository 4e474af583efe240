// The real program on a private X server, driven with the mouse: a guest visit
// on the Wi-Fi camera played by velatrix-camsim on loopback (the settings file
// points the program at it and asks for the automatic connection), six
// captures in full-face mode, the analysis run and its report buttons; and a
// visit whose camera is killed half way, after which the program returns to
// waiting and still closes cleanly.
#include "CapturePanelLayout.h"
#include "TempProgramFolder.h"
#include "XvfbDisplay.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Where the screens sit on the 1600 x 900 display: the start page (1360 x 760)
// is centred; the main window fills the screen, its capture panel starts right
// of the menu (10 + 220 + 30) below the title (50).
constexpr QPoint kStartPage{120, 70};
const QPoint kGuestStart = kStartPage + QPoint(411 + 251 / 2, 166 + 344 / 2);
const QPoint kStartPageClose = kStartPage + QPoint(10 + 25, 700 + 25);
constexpr QPoint kPanel{260, 50};
constexpr QSize kPanelSize{1600 - 260, 900 - 50};
const QPoint kBack{1600 - 82 + 19, 4 + 19};
// The menu's report buttons (third to eleventh), 220 x 60 from y 52 every 64.
const QRect kReportButtons{10, 52 + 2 * 64, 220, 9 * 64 - 4};

bool waitFor(const std::function<bool()>& condition, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

// Share of pixels that differ clearly between two pictures inside a rectangle.
double changed(const QImage& a, const QImage& b, const QRect& area) {
    int differing = 0;
    for (int y = area.top(); y <= area.bottom(); y += 2) {
        for (int x = area.left(); x <= area.right(); x += 2) {
            const QColor p = a.pixelColor(x, y);
            const QColor q = b.pixelColor(x, y);
            if (std::abs(p.red() - q.red()) + std::abs(p.green() - q.green()) +
                    std::abs(p.blue() - q.blue()) >
                24)
                ++differing;
        }
    }
    return differing / double((area.width() / 2) * (area.height() / 2));
}

class ProgramCapture : public ::testing::Test {
protected:
    void SetUp() override {
        if (QStandardPaths::findExecutable("xdotool").isEmpty())
            GTEST_SKIP() << "xdotool is not installed (tools/bootstrap installs it)";
        ASSERT_TRUE(display.running()) << "Xvfb could not start";
        for (const char* entry : {"velatrix", "Language", "PreSetting", "icons"})
            dir.copy(QString::fromLatin1(entry));
        const QString program = TempProgramFolder::builtProgramFolder();
        camsim.start(program + "velatrix-camsim",
                     {"--address", "127.0.0.1", "--port", "0", "--control-port", "0", "--fps", "15",
                      program + "demo"});
        ASSERT_TRUE(camsim.waitForStarted(10000));
        ASSERT_TRUE(camsim.waitForReadyRead(10000));
        const auto match = QRegularExpression(R"(:(\d+)/\?\.mjpg, control port (\d+))")
                               .match(QString::fromUtf8(camsim.readAllStandardOutput()));
        ASSERT_TRUE(match.hasMatch());
        dir.write("Setup.ini", "[setup]\r\nlanguage=2\r\nnetcamera=127.0.0.1\r\n"
                               "netcamera_auto=1\r\nnetcamera_port=" +
                                   match.captured(1).toLatin1() + "\r\nnetcamera_control_port=" +
                                   match.captured(2).toLatin1() + "\r\n");

        velatrix.setProcessEnvironment(display.environment());
        velatrix.setProgram(dir.file("velatrix"));
        velatrix.setWorkingDirectory(QDir::tempPath());
        velatrix.start();
        ASSERT_TRUE(velatrix.waitForStarted(10000));
        ASSERT_TRUE(waitFor([&] { return display.windowTree().contains("1360x760+"); }, 60000));
        QThread::msleep(500);
        click(kGuestStart);
        // The panel connects by itself after its first second and shows the capture button.
        ASSERT_TRUE(waitFor([&] { return captureButtonShown(); }, 40000)) << shot("no-camera");
    }
    void TearDown() override {
        for (QProcess* p : {&velatrix, &camsim}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }

    void click(const QPoint& at) {
        QProcess xdotool;
        xdotool.setProcessEnvironment(display.environment());
        xdotool.start("xdotool", {"mousemove", QString::number(at.x()), QString::number(at.y()),
                                  "click", "1"});
        xdotool.waitForFinished(10000);
        QThread::msleep(150);
    }
    QImage screen() const {
        const QString file = dir.file("screen.png");
        display.screenshot(file);
        return QImage(file).convertToFormat(QImage::Format_RGB32);
    }
    std::string shot(const char* name) const {
        const QString file = TempProgramFolder::artifactsFolder() + "program-" + name + ".png";
        display.screenshot(file);
        return file.toStdString();
    }
    QRect onScreen(const QRect& panelRect) const { return panelRect.translated(kPanel); }
    CapturePanelLayout layout() const {
        return CapturePanelLayout::forSize(kPanelSize, {460, 370});
    }
    // The capture button is drawn from a picture; the panel's plain background
    // shows where it is hidden.
    bool captureButtonShown() const {
        const QImage s = screen();
        const QRect r = onScreen(layout().capture);
        const QColor c = s.pixelColor(r.left() + 8, r.center().y());
        return c != QColor(244, 244, 244);
    }

    XvfbDisplay display;
    TempProgramFolder dir;
    QProcess camsim;
    QProcess velatrix;
};

TEST_F(ProgramCapture, GuestVisitOnTheWiFiCameraEndsInTheReport) {
    const QPoint capture = onScreen(layout().capture).center();
    // Each press is waited for (its thumbnail fills) before the next, and pressed
    // again when nothing happened: right after a capture the button rests while
    // the light switches, and a loaded machine may take a while. A lost press
    // would turn the start-analysis press below into a sixth capture.
    for (std::size_t i = 0; i < 6; ++i) {
        const QRect thumb = onScreen(layout().fullFaceThumbs[i]);
        const QImage empty = screen();
        bool taken = false;
        for (int attempt = 0; attempt < 8 && !taken; ++attempt) {
            click(capture);
            taken = waitFor([&] { return changed(empty, screen(), thumb) > 0.05; }, 3000);
        }
        ASSERT_TRUE(taken) << shot("capture-not-taken") << " at capture " << i + 1;
    }
    shot("six-captures");
    const QImage before = screen();
    EXPECT_LT(changed(before, before, kReportButtons), 0.01);
    click(capture); // the start-analysis button sits where capture was
    // The progress box covers the run (6.5 s), then the report buttons appear.
    ASSERT_TRUE(waitFor([&] { return changed(before, screen(), kReportButtons) > 0.05; }, 60000))
        << shot("no-report");
    shot("report");
    EXPECT_EQ(velatrix.state(), QProcess::Running);
}

TEST_F(ProgramCapture, CameraKilledMidVisitReturnsToWaitingAndTheProgramStillCloses) {
    const QPoint capture = onScreen(layout().capture).center();
    click(capture);
    click(capture);
    camsim.kill();
    camsim.waitForFinished(5000);
    ASSERT_TRUE(waitFor([&] { return !captureButtonShown(); }, 15000)) << shot("still-capturing");
    shot("camera-lost");
    EXPECT_EQ(velatrix.state(), QProcess::Running);

    click(kBack);
    ASSERT_TRUE(waitFor([&] { return display.windowTree().contains("1360x760+"); }, 10000));
    QThread::msleep(1500);
    click(kStartPageClose);
    ASSERT_TRUE(velatrix.waitForFinished(15000)) << shot("not-closed");
    EXPECT_EQ(velatrix.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(velatrix.exitCode(), 0);
}

} // namespace
