#include "CConectFailDlg.h"
#include "CGdipButton.h"
#include "CNetCameraCapture.h"
#include "CPictureEx.h"
#include "CPreviewDlg.h"
#include "CTessalyApp.h"
#include "CameraMessage.h"
#include "CurrentMember.h"
#include "DataPaths.h"
#include "FakeCamera.h"
#include "FrameSinks.h"
#include "IniFile.h"
#include "MemberRecord.h"
#include "SkinAnalyses.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QTest>

#include <opencv2/imgproc.hpp>

#include <cerrno>
#include <thread>

#include <gtest/gtest.h>

namespace {

QString text(const char* key) {
    return TextLookup::text(key);
}

class PreviewDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        app.setTipHandler(
            [this](const QString& t, int kind) { tips << QString::number(kind) + ':' + t; });
        window.resize(1370, 850);
        window.show();
    }

    CPreviewDlg& make() {
        CPreviewDlg::Cameras c;
        c.sinks = &sinks;
        c.system = &cameras;
        c.network = [this](const NetworkCamera::Request& r) {
            auto camera = std::make_unique<FakeNetworkCamera>(r, &networksAlive);
            network = camera.get();
            ++networkStarts;
            return camera;
        };
        CPreviewDlg::MainWindowCalls calls;
        calls.itemResults = [this]() -> ItemResults& { return items; };
        calls.startRun = [this] { ++runs; };
        calls.discardResults = [this] { ++discards; };
        calls.comparisonLight = [this](int choice) { comparisonLights.push_back(choice); };
        calls.showAbout = [this] { ++abouts; };
        panel = std::make_unique<CPreviewDlg>(&window, std::move(c), std::move(calls));
        panel->resize(window.size());
        panel->show();
        return *panel;
    }

    // A panel whose USB camera streams after the first detection.
    CPreviewDlg& streaming() {
        cameras.plugIn();
        make();
        panel->OnTimer(14);
        return *panel;
    }

    bool shown(const char* id) const {
        auto* w = panel->findChild<QWidget*>(QString::fromLatin1(id));
        return w && w->isVisibleTo(panel.get());
    }
    CGdipButton* button(const char* id) const {
        return panel->findChild<CGdipButton*>(QString::fromLatin1(id));
    }
    void click(const char* id) { button(id)->click(); }
    void capture(int value) {
        cameras.pushFrame(solidFrame(value, value, value));
        click("1056");
    }
    int slotValue(int slot) const {
        const cv::Mat& m = panel->sequence().picture(slot);
        return panel->sequence().isFilled(slot) ? m.at<cv::Vec3b>(0, 0)[0] : -1;
    }

    TempProgramFolder dir{"Language", "PreSetting", "icons"};
    CTessalyApp app{dir.path()};
    QStringList tips;
    FrameSinks sinks;
    FakeCameraSystem cameras;
    ItemResults items = makeItemResults();
    int runs = 0;
    int discards = 0;
    int abouts = 0;
    std::vector<int> comparisonLights;
    int networksAlive = 0;
    int networkStarts = 0;
    FakeNetworkCamera* network = nullptr;
    QWidget window;
    std::unique_ptr<CPreviewDlg> panel;
};

TEST_F(PreviewDlgTest, StartsWaitingAndShowsTheControlsOnceTheCameraStreams) {
    cameras.plugIn();
    make();
    EXPECT_TRUE(shown("1013")) << "waiting animation";
    for (const char* id : {"1011", "1056", "1057", "1097", "1297", "1054", "1055", "1111"})
        EXPECT_FALSE(shown(id)) << id;
    EXPECT_TRUE(panel->isTimerActive(14));
    EXPECT_EQ(panel->findChild<QWidget*>("1011")->geometry(),
              QRect((1370 - 640) * 11 / 25, 40, 640, 480));

    panel->OnTimer(14);
    EXPECT_EQ(app.m_bCameraStreaming.load(), 1);
    EXPECT_FALSE(shown("1013"));
    for (const char* id : {"1011", "1056", "1057", "1097", "1297", "1111", "1257"})
        EXPECT_TRUE(shown(id)) << id;
    for (const char* id : {"1054", "1055", "1115", "1012"})
        EXPECT_FALSE(shown(id)) << id;
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_forehead"));
    // White light two seconds later, and again 300 ms after that.
    EXPECT_TRUE(cameras.lights.empty());
    EXPECT_TRUE(panel->isTimerActive(22));
    panel->OnTimer(22);
    EXPECT_TRUE(panel->isTimerActive(19));
    panel->OnTimer(19);
    EXPECT_EQ(cameras.lights, (std::vector<int>{1, 1}));
    EXPECT_EQ(comparisonLights, (std::vector<int>{0}));
}

TEST_F(PreviewDlgTest, SixFullFaceCapturesWalkThePromptsAndLights) {
    streaming();
    struct Step {
        const char* prompt;
        int light;
        bool retakeShown;
    };
    const Step steps[] = {
        {"IDS_MOVETO_eyes", 1, true},     {"IDS_MOVETO_faceL", 2, true},
        {"IDS_MOVETO_Nosewing", 2, true}, {"IDS_MOVETO_faceR", 2, true},
        {"IDS_MOVETO_Nose", 3, true},     {"IDS_MOVETO_FINISH", 1, true},
    };
    for (int i = 0; i < 6; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(shown("1056"));
        capture(10 * (i + 1));
        EXPECT_EQ(panel->tipText(), text(steps[i].prompt));
        ASSERT_FALSE(cameras.lights.empty());
        EXPECT_EQ(cameras.lights.back(), steps[i].light);
        EXPECT_EQ(shown("1055"), steps[i].retakeShown);
        EXPECT_EQ(slotValue(i + 1), 10 * (i + 1));
    }
    EXPECT_EQ(cameras.lights, (std::vector<int>{1, 2, 2, 2, 3, 1}));
    EXPECT_FALSE(shown("1056"));
    EXPECT_TRUE(shown("1054"));
    // A seventh frame changes no slot.
    cameras.pushFrame(solidFrame(99, 99, 99));
    EXPECT_EQ(slotValue(6), 60);
}

TEST_F(PreviewDlgTest, RetakeAfterSixReleasesOnlyTheLastAndDropsOldResults) {
    streaming();
    for (int i = 1; i <= 6; ++i)
        capture(i);
    click("1055");
    EXPECT_FALSE(panel->sequence().isFilled(6));
    EXPECT_EQ(slotValue(5), 5);
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_Nose"));
    EXPECT_TRUE(shown("1056"));
    EXPECT_FALSE(shown("1054"));
    EXPECT_TRUE(shown("1055"));
    EXPECT_EQ(cameras.lights.back(), 3);
    EXPECT_EQ(discards, 1);

    for (int i = 5; i >= 1; --i)
        click("1055");
    EXPECT_EQ(panel->sequence().nextSlot(), 1);
    EXPECT_FALSE(shown("1055")) << "nothing left to retake";
    EXPECT_EQ(cameras.lights.back(), 1);
}

TEST_F(PreviewDlgTest, OneSingleAreaPressGivesThreeCapturesUnderThreeLights) {
    streaming();
    click("1057");
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_SINGLE"));
    EXPECT_FALSE(shown("1111"));
    EXPECT_TRUE(shown("1115"));
    EXPECT_EQ(button("1057")->labelText(), text("IDS_EXCHANGE_FULLFACE"));
    EXPECT_EQ(button("1055")->labelText(), text("IDS_RETAKE"));
    cameras.lights.clear();

    capture(11);
    EXPECT_FALSE(button("1056")->isEnabled());
    EXPECT_EQ(button("1056")->labelText(), text("IDS_WAIT"));
    EXPECT_TRUE(panel->tipEmphasis());
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_nomove"));
    EXPECT_TRUE(panel->isTimerActive(15));
    EXPECT_TRUE(panel->isTimerActive(18));
    panel->OnTimer(18);
    panel->OnTimer(18);
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_nomove") + "..");

    cameras.pushFrame(solidFrame(22, 22, 22));
    panel->OnTimer(15);
    cameras.pushFrame(solidFrame(33, 33, 33));
    panel->OnTimer(15);
    EXPECT_EQ((std::vector<int>{slotValue(1), slotValue(2), slotValue(3), slotValue(4),
                                slotValue(5), slotValue(6)}),
              (std::vector<int>{11, 11, 22, 22, 22, 33}));
    EXPECT_EQ(cameras.lights, (std::vector<int>{2, 3, 1}));
    // The step after the last capture ends the sequence.
    EXPECT_TRUE(panel->isTimerActive(15));
    panel->OnTimer(15);
    EXPECT_TRUE(button("1056")->isEnabled());
    EXPECT_EQ(button("1056")->labelText(), text("IDS_CAPTURE"));
    EXPECT_FALSE(shown("1056"));
    EXPECT_TRUE(shown("1054"));
    EXPECT_TRUE(shown("1055"));
    EXPECT_FALSE(panel->isTimerActive(18));
    EXPECT_FALSE(panel->tipEmphasis());
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_FINISH"));

    click("1055");
    EXPECT_EQ(panel->sequence().nextSlot(), 1) << "single-area retake releases all";
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_SINGLE"));
}

TEST_F(PreviewDlgTest, SingleAreaStepsComeTwoSecondsApartOnTheRealTimers) {
    streaming();
    click("1057");
    // The white light of start-up and of the switch, and its repeat, out of the way.
    panel->OnTimer(22);
    panel->OnTimer(19);
    cameras.pushFrame(solidFrame(5, 5, 5));
    QElapsedTimer clock;
    clock.start();
    cameras.lights.clear();
    click("1056");
    std::vector<qint64> at{clock.elapsed()};
    while (cameras.lights.size() < 6 && clock.elapsed() < 12000) { // each light is sent twice
        const std::size_t before = cameras.lights.size();
        QTest::qWait(20);
        if (cameras.lights.size() != before && cameras.lights.size() % 2 == 1)
            at.push_back(clock.elapsed());
    }
    ASSERT_EQ(at.size(), 3u);
    // Two seconds apart; a coarse timer may fire 5 % early, a busy machine late.
    for (std::size_t i = 1; i < at.size(); ++i) {
        EXPECT_GE(at[i] - at[i - 1], 1800);
        EXPECT_LE(at[i] - at[i - 1], 3500);
    }
    EXPECT_EQ(cameras.lights, (std::vector<int>{2, 2, 3, 3, 1, 1}));
    EXPECT_TRUE(QTest::qWaitFor([&] { return shown("1054"); }, 3000));
}

TEST_F(PreviewDlgTest, ModeSwitchReleasesCapturesAndStopsASequence) {
    streaming();
    capture(1);
    capture(2);
    click("1057");
    EXPECT_EQ(panel->sequence().nextSlot(), 1);
    EXPECT_EQ(cameras.lights.back(), 1);
    capture(3); // single area: starts a sequence
    EXPECT_TRUE(panel->isTimerActive(15));
    click("1057");
    EXPECT_FALSE(panel->isTimerActive(15));
    EXPECT_FALSE(panel->isTimerActive(18));
    EXPECT_FALSE(panel->tipEmphasis());
    EXPECT_EQ(panel->sequence().nextSlot(), 1);
    EXPECT_TRUE(shown("1111"));
    EXPECT_FALSE(shown("1117"));
    EXPECT_TRUE(button("1056")->isEnabled());
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_forehead"));
}

TEST_F(PreviewDlgTest, StartAnalysisNeedsAllSixThenFillsTheItemsAndHandsBack) {
    streaming();
    for (int i = 1; i <= 5; ++i)
        capture(i * 20);
    click("1054");
    EXPECT_EQ(tips, QStringList{"1:" + text("IDS_NOT_FINISH")});
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(panel->sequence().nextSlot(), 6) << "the five captures stay";
    EXPECT_EQ(items[kPores].detectionImage.at<cv::Vec3b>(0, 0)[0], 0);

    // A loaded visit may have left an item without a picture.
    items[kTexture].detectionImage.release();
    cameras.pushFrame(solidFrame(120, 120, 120, 1280, 720));
    click("1056");
    click("1054");
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_ANALYSISING"));
    EXPECT_FALSE(shown("1011"));
    EXPECT_FALSE(shown("1054"));
    const std::pair<int, int> expected[] = {
        {kWaterOil, 20},   {kGloss, 20},  {kTexture, 40},      {kSkinColour, 60},
        {kRedStreaks, 80}, {kSpots, 100}, {kSensitivity, 100}, {kPores, 120},
    };
    for (const auto& [item, value] : expected) {
        SCOPED_TRACE(item);
        ASSERT_FALSE(items[item].detectionImage.empty());
        EXPECT_EQ(items[item].detectionImage.at<cv::Vec3b>(0, 0)[0], value);
    }
    EXPECT_EQ(items[kPores].detectionImage.size(), cv::Size(1280, 720));
    EXPECT_EQ(slotValue(1), 20) << "the copy leaves the slots in place";

    panel->returnToCaptureLayout();
    EXPECT_EQ(panel->sequence().nextSlot(), 1);
    EXPECT_TRUE(shown("1011"));
    EXPECT_TRUE(shown("1056"));
    EXPECT_EQ(panel->tipText(), text("IDS_MOVETO_forehead"));
}

TEST_F(PreviewDlgTest, CameraButtonCapturesOrStartsOnlyWhenTheButtonWouldWork) {
    streaming();
    struct Case {
        const char* name;
        std::function<void()> arrange;
        int slotsAfter;
        int runsAfter;
    };
    const Case cases[] = {
        {"capturing", [] {}, 1, 0},
        {"all six",
         [this] {
             for (int i = 0; i < 6; ++i)
                 capture(i);
         },
         6, 1},
        {"single-area sequence running",
         [this] {
             click("1057");
             capture(1);
         },
         2, 0},
        {"waiting for a camera", [this] { panel->showCaptureControls(false); }, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        panel->returnToCaptureLayout();
        runs = 0;
        c.arrange();
        cameras.pushFrame(solidFrame(9, 9, 9));
        cameras.pressButton();
        QCoreApplication::processEvents();
        int filled = 0;
        for (int slot = 1; slot <= CaptureSequence::kSlots; ++slot)
            filled += panel->sequence().isFilled(slot) ? 1 : 0;
        EXPECT_EQ(filled, c.slotsAfter);
        EXPECT_EQ(runs, c.runsAfter);
    }
}

TEST_F(PreviewDlgTest, FramesOfANewSizeRecreateTheCurrentFrame) {
    streaming();
    cameras.pushFrame(solidFrame(1, 2, 3));
    EXPECT_EQ(panel->currentFrameCopy().size(), cv::Size(640, 480));
    cameras.pushFrame(solidFrame(4, 5, 6, 1280, 720));
    EXPECT_EQ(panel->currentFrameCopy().size(), cv::Size(1280, 720));
    click("1056");
    EXPECT_EQ(panel->sequence().picture(1).size(), cv::Size(1280, 720));
    // Not a colour picture: ignored.
    cameras.pushFrame(cv::Mat(480, 640, CV_8UC1, cv::Scalar(7)));
    EXPECT_EQ(panel->currentFrameCopy().at<cv::Vec3b>(0, 0), cv::Vec3b(4, 5, 6));
}

TEST_F(PreviewDlgTest, FramesAreIgnoredUntilACameraStreams) {
    cameras.plugIn();
    make();
    const cv::Mat before = panel->currentFrameCopy();
    panel->OnCameraFrame(solidFrame(50, 50, 50));
    EXPECT_EQ(cv::norm(panel->currentFrameCopy(), before, cv::NORM_INF), 0.0);
}

TEST_F(PreviewDlgTest, RealTimeDetectionRunsTheItemOfTheNextSlot) {
    streaming();
    cv::Mat frame(480, 640, CV_8UC3);
    cv::randu(frame, 0, 255);
    auto live = [&] {
        cameras.pushFrame(frame);
        return panel->liveResultCopy();
    };
    EXPECT_TRUE(live().empty()) << "off by default";
    panel->findChild<QCheckBox*>("1297")->setChecked(true);
    EXPECT_TRUE(shown("1012"));
    cv::Mat expected;
    shineRatio(frame, expected, true);
    EXPECT_EQ(cv::norm(live(), expected, cv::NORM_INF), 0.0) << "water/oil at slot 1";
    for (int i = 0; i < 6; ++i)
        capture(i);
    frame.setTo(cv::Scalar(30, 60, 200));
    cv::circle(frame, {320, 240}, 6, cv::Scalar(10, 10, 10), -1);
    poreBlobs(frame, expected, true);
    EXPECT_EQ(cv::norm(live(), expected, cv::NORM_INF), 0.0) << "pores when all are filled";
    panel->findChild<QCheckBox*>("1297")->setChecked(false);
    EXPECT_FALSE(shown("1012"));
    EXPECT_TRUE(live().empty());
}

TEST_F(PreviewDlgTest, CameraPulledOutWhileCapturingReleasesEverythingAndWaits) {
    streaming();
    capture(1);
    capture(2);
    cameras.pullOut();
    panel->OnDeviceChange();
    EXPECT_EQ(app.m_bCameraStreaming.load(), 0);
    EXPECT_EQ(panel->cameraDevice(), nullptr);
    EXPECT_EQ(cameras.destroyed, cameras.created) << "the device and its thread are gone";
    EXPECT_EQ(panel->sequence().nextSlot(), 1);
    EXPECT_FALSE(shown("1056"));
    EXPECT_FALSE(shown("1011"));
    EXPECT_TRUE(shown("1013"));
    EXPECT_FALSE(shown("1022"));
    EXPECT_TRUE(panel->isTimerActive(17));

    panel->OnTimer(17);
    EXPECT_TRUE(shown("CConectFailDlg"));
    EXPECT_TRUE(shown("1022"));
    EXPECT_FALSE(shown("1013"));
    EXPECT_TRUE(panel->findChild<QWidget*>("1102")->isVisibleTo(panel.get()));

    // Plugged back: a new device, frames again.
    cameras.plugIn();
    panel->OnDeviceChange();
    EXPECT_EQ(cameras.created, 2);
    EXPECT_EQ(app.m_bCameraStreaming.load(), 1);
    EXPECT_FALSE(shown("CConectFailDlg"));
    EXPECT_FALSE(shown("1022"));
    EXPECT_TRUE(shown("1056"));
    cameras.pushFrame(solidFrame(77, 77, 77));
    EXPECT_EQ(panel->currentFrameCopy().at<cv::Vec3b>(0, 0)[0], 77);
}

TEST_F(PreviewDlgTest, CameraPluggedInBeforeTheNoticeCancelsIt) {
    make();
    panel->OnTimer(14);
    EXPECT_TRUE(panel->isTimerActive(17));
    EXPECT_EQ(networkStarts, 0) << "auto-connect is off by default";
    cameras.plugIn();
    panel->OnDeviceChange();
    EXPECT_FALSE(panel->isTimerActive(17));
    EXPECT_TRUE(shown("1056"));
    EXPECT_FALSE(shown("CConectFailDlg"));
    // A second arrival while streaming keeps the open device.
    panel->OnDeviceChange();
    EXPECT_EQ(cameras.created, 1);
}

TEST_F(PreviewDlgTest, RetryWaitsFiveSecondsMoreForACamera) {
    make();
    panel->OnTimer(14);
    panel->OnTimer(17);
    ASSERT_TRUE(shown("1022"));
    click("1022");
    EXPECT_FALSE(shown("1022"));
    EXPECT_TRUE(shown("1013"));
    EXPECT_TRUE(panel->isTimerActive(17));
    panel->OnTimer(17);
    EXPECT_TRUE(shown("1022"));
}

TEST_F(PreviewDlgTest, ACameraThatCannotOpenLeavesThePanelWaiting) {
    struct Case {
        int status;
        bool permissionTip;
    };
    for (const Case c : {Case{-EIO, false}, Case{-EACCES, true}}) {
        SCOPED_TRACE(c.status);
        tips.clear();
        cameras = FakeCameraSystem();
        cameras.plugIn();
        cameras.openStatus = c.status;
        make();
        panel->OnTimer(14);
        EXPECT_EQ(app.m_bCameraStreaming.load(), 0);
        EXPECT_EQ(panel->cameraDevice(), nullptr);
        EXPECT_FALSE(shown("1056"));
        EXPECT_TRUE(shown("1013"));
        EXPECT_EQ(tips.size(), c.permissionTip ? 1 : 0);
        if (c.permissionTip) {
            EXPECT_EQ(tips.value(0), "1:" + text("IDS_CAMERA_PERMISSION"));
        }
        panel.reset();
    }
}

TEST_F(PreviewDlgTest, WiFiCameraConnectsOnRequestOnceAtATime) {
    IniFile::write(app.settingsFile(), "setup", "netcamera", "127.0.0.1");
    make();
    panel->OnTimer(14);
    panel->OnTimer(17);
    click("1102");
    QCoreApplication::processEvents();
    ASSERT_EQ(networkStarts, 1);
    EXPECT_EQ(network->request().address, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(network->request().streamPort, 8196);
    EXPECT_EQ(network->request().controlPort, 15002);
    EXPECT_EQ(app.m_bNetCameraMode.load(), 1);

    CameraMessage again(CameraMessage::WM_CAMERA_CONNECT, 0, 0);
    QCoreApplication::sendEvent(panel.get(), &again);
    EXPECT_EQ(networkStarts, 1) << "second request ignored";

    CameraMessage opened(CameraMessage::WM_CAMERA_STREAM_OPENED, 0, 1);
    QCoreApplication::sendEvent(panel.get(), &opened);
    EXPECT_EQ(app.m_bCameraStreaming.load(), 1);
    EXPECT_EQ(network->confirmations, 1) << "frames flow once the panel has switched";
    EXPECT_TRUE(shown("1056"));
    EXPECT_FALSE(shown("CConectFailDlg"));
    network->request().sink->OnCameraFrame(solidFrame(1, 2, 3));
    EXPECT_EQ(panel->currentFrameCopy().at<cv::Vec3b>(0, 0), cv::Vec3b(1, 2, 3));
    // Device changes are not for the Wi-Fi camera.
    cameras.plugIn();
    panel->OnDeviceChange();
    EXPECT_EQ(cameras.created, 0);

    // The stream ends: back to waiting, the source released, a new request works.
    network->running = false;
    CameraMessage lost(CameraMessage::WM_CAMERA_CONNECTING, 0, 0);
    QCoreApplication::sendEvent(panel.get(), &lost);
    EXPECT_EQ(networksAlive, 0);
    EXPECT_EQ(app.m_bNetCameraMode.load(), 0);
    EXPECT_EQ(app.m_bCameraStreaming.load(), 0);
    EXPECT_FALSE(shown("1056"));
    EXPECT_TRUE(shown("1013"));
    panel->OnCameraConnect(0);
    EXPECT_EQ(networkStarts, 2);
    panel.reset();
    EXPECT_EQ(networksAlive, 0) << "the panel stops its source when it goes";
}

TEST_F(PreviewDlgTest, AutoConnectAsksForTheWiFiCameraWhenNoUsbCameraIsFound) {
    IniFile::write(app.settingsFile(), "setup", "netcamera_auto", "1");
    IniFile::write(app.settingsFile(), "setup", "netcamera_port", "18196");
    make();
    panel->OnTimer(14);
    QCoreApplication::processEvents();
    ASSERT_EQ(networkStarts, 1);
    EXPECT_EQ(network->request().address, QString::fromLatin1(CNetCameraCapture::defaultAddress));
    EXPECT_EQ(network->request().streamPort, 18196);
}

TEST_F(PreviewDlgTest, GuestAndMemberFoldersAreMadeThroughTheSafeName) {
    make();
    EXPECT_EQ(app.m_strMemberImagePath, DataPaths::memberPictureFolder(app, "Guest"));
    EXPECT_EQ(app.m_strReportPath, app.m_strAppPath + "Reports/Guest");
    EXPECT_TRUE(QDir(app.m_strMemberImagePath).exists());
    EXPECT_TRUE(QDir(app.m_strReportPath).exists());
    panel.reset();

    MemberRecord member;
    member.selected = 1;
    member.name = QStringLiteral("../a/b");
    CurrentMember::set(&member);
    make();
    CurrentMember::set(nullptr);
    EXPECT_EQ(app.m_strReportPath, DataPaths::memberReportFolder(app, member.name));
    EXPECT_TRUE(QDir(app.m_strReportPath).exists());
    EXPECT_TRUE(QDir(app.m_strReportPath)
                    .canonicalPath()
                    .startsWith(QDir(app.m_strAppPath + "Reports").canonicalPath() + '/'));
    EXPECT_FALSE(QDir(app.m_strAppPath + "a").exists());
}

TEST_F(PreviewDlgTest, EnterAndEscapeAreSwallowedAndTheMiddleButtonOpensAbout) {
    streaming();
    for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(panel.get(), &press);
        EXPECT_TRUE(press.isAccepted()) << key;
    }
    QTest::mousePress(panel.get(), Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_TRUE(panel->isTimerActive(13));
    QTest::mouseRelease(panel.get(), Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_FALSE(panel->isTimerActive(13));
    QTest::mousePress(panel.get(), Qt::MiddleButton, {}, QPoint(5, 5));
    panel->OnTimer(13);
    EXPECT_EQ(abouts, 1);
}

TEST_F(PreviewDlgTest, ThumbnailsShowPlaceholdersUntilFilled) {
    streaming();
    panel->show();
    auto pixelAt = [&](const char* id) {
        const QImage shot = panel->grab().toImage();
        return shot.pixelColor(panel->findChild<QWidget*>(id)->geometry().center());
    };
    const QImage placeholder(dir.file("PreSetting/image/type1.jpg"));
    ASSERT_FALSE(placeholder.isNull());
    const QColor expected =
        placeholder.pixelColor(placeholder.width() / 2, placeholder.height() / 2);
    const QColor before = pixelAt("1111");
    EXPECT_NEAR(before.red(), expected.red(), 40);
    EXPECT_NEAR(before.green(), expected.green(), 40);
    capture(200);
    cameras.pushFrame(solidFrame(0, 0, 255));
    QCoreApplication::processEvents();
    EXPECT_EQ(pixelAt("1111"), QColor(200, 200, 200));
    EXPECT_EQ(pixelAt("1011"), QColor(255, 0, 0)) << "the live picture is drawn";
}

TEST_F(PreviewDlgTest, PanelCanGoWhileFramesArrive) {
    streaming();
    std::atomic<bool> stop{false};
    std::thread feeder([&] {
        const cv::Mat frame = solidFrame(3, 3, 3);
        while (!stop)
            sinks.deliverFrame(frame);
    });
    QTest::qWait(50);
    panel.reset();
    QTest::qWait(20);
    stop = true;
    feeder.join();
    EXPECT_FALSE(sinks.hasSink());
}

} // namespace
