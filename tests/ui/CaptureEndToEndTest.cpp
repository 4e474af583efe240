// A whole visit on the real Wi-Fi camera path: velatrix-camsim serves the demo
// pictures on loopback, the main window's capture panel connects to it through
// CNetCameraCapture, six captures are taken in full-face mode and the analysis
// run ends in the summary report. A second visit loses the camera half way.
#include "CGdipButton.h"
#include "CMainDlg.h"
#include "CPreviewDlg.h"
#include "CSummaryReport.h"
#include "IniFile.h"
#include "NetCameraSource.h"
#include "ScreenFixture.h"
#include "TextLookup.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

namespace {

class CaptureEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        CMainDlg::setAnalysisWait(std::chrono::milliseconds(0));
        f.app.m_nLanguage = 2;
        TextLookup::chooseLanguageFile(2);
        CMainDlg::setCameraSystem(nullptr); // no USB camera on this machine
        CMainDlg::setNetworkCameraFactory(NetCameraSource::factory());

        const QString program = TempProgramFolder::builtProgramFolder();
        camsim.start(program + "velatrix-camsim",
                     {"--address", "127.0.0.1", "--port", "0", "--control-port", "0", "--fps", "15",
                      program + "demo"});
        ASSERT_TRUE(camsim.waitForStarted(10000));
        ASSERT_TRUE(camsim.waitForReadyRead(10000));
        const QString banner = QString::fromUtf8(camsim.readAllStandardOutput());
        const auto match =
            QRegularExpression(R"(:(\d+)/\?\.mjpg, control port (\d+))").match(banner);
        ASSERT_TRUE(match.hasMatch()) << banner.toStdString();
        // The ports are fixed on the camera; here they come from the settings file.
        const QString settings = f.app.settingsFile();
        IniFile::write(settings, "setup", "netcamera", "127.0.0.1");
        IniFile::write(settings, "setup", "netcamera_port", match.captured(1));
        IniFile::write(settings, "setup", "netcamera_control_port", match.captured(2));
    }
    void TearDown() override {
        if (camsim.state() != QProcess::NotRunning) {
            camsim.terminate();
            if (!camsim.waitForFinished(5000))
                camsim.kill();
            camsim.waitForFinished(5000);
        }
        CMainDlg::setNetworkCameraFactory({});
        CMainDlg::setAnalysisWait(AnalysisRun::kDefaultWait);
    }

    static bool shown(CMainDlg& main, const char* id) {
        auto* w = main.findChild<QWidget*>(QString::fromLatin1(id));
        return w && w->isVisibleTo(&main);
    }
    static void click(CMainDlg& main, const char* id) {
        main.findChild<CGdipButton*>(QString::fromLatin1(id))->click();
    }
    // Streaming and a picture that is not the blank start-up frame.
    static bool framesArrive(CMainDlg& main) {
        return QTest::qWaitFor(
            [&] {
                return shown(main, "1056") &&
                       cv::countNonZero(main.previewPanel()->currentFrameCopy().reshape(1)) > 0;
            },
            30000);
    }
    void sixCaptures(CMainDlg& main) {
        for (int i = 0; i < 6; ++i) {
            QTest::qWait(120);
            click(main, "1056");
        }
    }

    ScreenFixture f;
    QProcess camsim;
};

// How far a captured picture is from each of the demo pictures, as served and turned.
void expectTurnedDemoPicture(const cv::Mat& captured) {
    const QDir demo(TempProgramFolder::builtProgramFolder() + "demo");
    double bestTurned = 1e9;
    double bestStraight = 1e9;
    for (const QString& name : demo.entryList({"*.jpg"})) {
        cv::Mat picture = cv::imread(demo.filePath(name).toStdString());
        if (picture.size() != captured.size())
            cv::resize(picture, picture, captured.size());
        cv::Mat turned;
        cv::flip(picture, turned, -1);
        bestTurned =
            std::min(bestTurned, cv::norm(captured, turned, cv::NORM_L1) / captured.total());
        bestStraight =
            std::min(bestStraight, cv::norm(captured, picture, cv::NORM_L1) / captured.total());
    }
    EXPECT_LT(bestTurned, 30.0) << "a capture is a demo picture turned by 180 degrees";
    EXPECT_LT(bestTurned * 2, bestStraight);
}

TEST_F(CaptureEndToEnd, WiFiCameraVisitFromConnectToReport) {
    for (const bool automatic : {false, true}) {
        SCOPED_TRACE(automatic ? "netcamera_auto" : "connect button");
        IniFile::write(f.app.settingsFile(), "setup", "netcamera_auto", automatic ? "1" : "0");
        CMainDlg main(0, QString());
        main.show();
        if (!automatic) {
            // No USB camera: the notice comes after the waiting time, with its button.
            ASSERT_TRUE(QTest::qWaitFor([&] { return shown(main, "1102"); }, 30000));
            click(main, "1102");
        }
        ASSERT_TRUE(framesArrive(main));
        EXPECT_EQ(f.app.m_bNetCameraMode.load(), 1);

        sixCaptures(main);
        CPreviewDlg& panel = *main.previewPanel();
        ASSERT_TRUE(panel.sequence().complete());
        expectTurnedDemoPicture(panel.sequence().picture(1));
        EXPECT_TRUE(shown(main, "1054"));
        if (!automatic)
            main.grab().save(TempProgramFolder::artifactsFolder() + "capture-six.png");

        click(main, "1054"); // returns once the run has completed
        EXPECT_TRUE(QTest::qWaitFor([&] { return panel.handBacks() == 1; }, 30000));
        EXPECT_EQ(f.app.m_bResultsAvailable, 1);
        ASSERT_NE(main.summaryPanel(), nullptr);
        EXPECT_EQ(main.currentPanel(), main.summaryPanel());
        for (const char* id :
             {"1218", "1209", "1210", "1212", "1213", "1215", "1214", "1216", "1217"})
            EXPECT_TRUE(shown(main, id)) << id;
        EXPECT_EQ(panel.sequence().nextSlot(), 1) << "the slots are empty for the next visit";
        f.app.m_bNetCameraMode = 0;
        f.app.m_bCameraStreaming = 0;
    }
}

TEST_F(CaptureEndToEnd, CameraLostMidVisitReturnsToWaiting) {
    auto main = std::make_unique<CMainDlg>(0, QString());
    main->show();
    main->previewPanel()->OnCameraConnect(0);
    ASSERT_TRUE(framesArrive(*main));
    click(*main, "1056");
    click(*main, "1056");

    camsim.kill();
    camsim.waitForFinished(5000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !shown(*main, "1056"); }, 30000));
    EXPECT_TRUE(shown(*main, "1013")) << "waiting animation";
    EXPECT_EQ(main->previewPanel()->sequence().nextSlot(), 1);
    EXPECT_EQ(f.app.m_bCameraStreaming.load(), 0);
    EXPECT_EQ(f.app.m_bNetCameraMode.load(), 0);
    // The notice follows, and the window goes without waiting on a thread.
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown(*main, "1102"); }, 30000));
    main->grab().save(TempProgramFolder::artifactsFolder() + "capture-not-connected.png");
    QElapsedTimer clock;
    clock.start();
    main.reset();
    EXPECT_LT(clock.elapsed(), 3000);
}

} // namespace
