#include "CGdipButton.h"
#include "CLoadingDlg.h"
#include "CMainDlg.h"
#include "CPreviewDlg.h"
#include "CSingleReportDlg.h"
#include "CSummaryReport.h"
#include "CTessalyPicDlg.h"
#include "Presetting.h"
#include "ReportStore.h"
#include "ScreenFixture.h"

#include <QTest>
#include <QTimer>

#include <opencv2/imgproc.hpp>

#include <gtest/gtest.h>

namespace {

void press(CMainDlg& main, const char* id) {
    main.findChild<CGdipButton*>(id)->click();
}

bool reportButtonsShown(const CMainDlg& main) {
    for (const char* id :
         {"1218", "1209", "1210", "1212", "1213", "1215", "1214", "1216", "1217"}) {
        if (!main.findChild<CGdipButton*>(id)->isVisibleTo(&main))
            return false;
    }
    return true;
}

void fillWithSkin(CMainDlg& main) {
    cv::Mat skin(480, 640, CV_8UC3, cv::Scalar(150, 170, 210));
    cv::circle(skin, {320, 240}, 40, cv::Scalar(90, 100, 130), cv::FILLED);
    for (ItemResult& r : main.itemResults())
        skin.copyTo(r.detectionImage);
}

class MainDlgTest : public ::testing::Test {
protected:
    void SetUp() override { CMainDlg::setAnalysisWait(std::chrono::milliseconds(0)); }
    void TearDown() override {
        CMainDlg::setVisitLoader({});
        CMainDlg::setProcessExit([](int code) { std::_Exit(code); });
        CMainDlg::setAnalysisWait(AnalysisRun::kDefaultWait);
    }
    ScreenFixture f;
};

TEST_F(MainDlgTest, OpensOnTheCapturePanelWithoutReportButtons) {
    CMainDlg main(0, QString());
    EXPECT_EQ(f.app.m_pMainWnd, &main);
    EXPECT_EQ(main.currentPanel(), main.previewPanel());
    EXPECT_EQ(main.selectedMenuId(), 1207);
    EXPECT_EQ(main.previewPanel()->geometry(), main.contentRect());
    EXPECT_EQ(main.contentRect().left(),
              main.findChild<CGdipButton*>("1207")->geometry().right() + 1 + 30);
    EXPECT_FALSE(reportButtonsShown(main));

    // Without results the report commands do nothing.
    press(main, "1213");
    press(main, "1218");
    EXPECT_EQ(main.currentPanel(), main.previewPanel());

    press(main, "1208");
    EXPECT_NE(main.currentPanel(), nullptr);
    EXPECT_EQ(main.currentPanel(), main.findChild<CTessalyPicDlg*>());
    EXPECT_EQ(main.selectedMenuId(), 1208);
    press(main, "1207");
    EXPECT_EQ(main.currentPanel(), main.previewPanel());
    EXPECT_EQ(main.previewPanel()->lightRequests(), 1);
}

TEST_F(MainDlgTest, CompletionMessageShowsTheSummaryAndReportsOnDemand) {
    CMainDlg main(0, QString());
    main.itemResults()[3].score = 77;
    main.sendCompletion();
    EXPECT_EQ(f.app.m_bResultsAvailable, 1);
    EXPECT_TRUE(reportButtonsShown(main));
    ASSERT_NE(main.summaryPanel(), nullptr);
    EXPECT_EQ(main.currentPanel(), main.summaryPanel());
    EXPECT_EQ(main.selectedMenuId(), 1218);
    EXPECT_EQ(main.summaryPanel()->scores()[3], 77);

    EXPECT_EQ(main.singleReportPanel(3), nullptr); // created on first use
    press(main, "1213");
    ASSERT_NE(main.singleReportPanel(3), nullptr);
    EXPECT_EQ(main.singleReportPanel(3)->score(), 77);
    EXPECT_EQ(main.currentPanel(), main.singleReportPanel(3));

    // A second completion replaces every report page with the new values.
    main.itemResults()[3].score = 55;
    main.sendCompletion();
    EXPECT_EQ(main.singleReportPanel(3), nullptr);
    press(main, "1213");
    EXPECT_EQ(main.singleReportPanel(3)->score(), 55);

    main.discardResults();
    EXPECT_EQ(f.app.m_bResultsAvailable, 0);
    EXPECT_FALSE(reportButtonsShown(main));
    EXPECT_EQ(main.summaryPanel(), nullptr);
}

TEST_F(MainDlgTest, AnalysisRunEndsInTheSummaryAndHandsTheCapturePanelBack) {
    CMainDlg main(0, QString());
    main.show();
    fillWithSkin(main);

    EXPECT_EQ(main.startRun(), 1); // returns once the progress box has closed

    EXPECT_FALSE(main.progressBox()->isVisible());
    EXPECT_EQ(f.app.m_bResultsAvailable, 1);
    EXPECT_EQ(main.currentPanel(), main.summaryPanel());
    int sum = 0;
    for (int i = 1; i < 8; ++i)
        sum += main.itemResults()[i].score;
    EXPECT_EQ(main.itemResults()[0].score, sum / 7);
    // The texts come from the presetting table of the grade each score has.
    for (const ItemResult& r : main.itemResults()) {
        const int column = GradedTextTable::gradeOf(r.score);
        EXPECT_EQ(QString::fromStdString(r.resultText),
                  Presetting::gradedText(f.app, r.item, column));
        EXPECT_EQ(QString::fromStdString(r.suggestionText),
                  Presetting::gradedText(f.app, r.item, column + 5));
    }
    EXPECT_FALSE(main.itemResults()[3].resultText.empty());
    EXPECT_TRUE(QTest::qWaitFor([&] { return main.previewPanel()->handBacks() == 1; }, 5000));
}

TEST_F(MainDlgTest, UnusableCapturesStartNothing) {
    CMainDlg main(0, QString());
    main.itemResults()[5].detectionImage = cv::Mat();
    EXPECT_EQ(main.startRun(), 1);
    EXPECT_EQ(f.app.m_bResultsAvailable, 0);
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:"));
}

// While a run is under way a second start is refused with its own tip, and the
// window may be destroyed mid-run: the worker never waits for it, so the
// destructor's join returns at once instead of hanging on the 1 h wait.
TEST_F(MainDlgTest, SecondStartIsRefusedAndClosingMidRunIsSafe) {
    CMainDlg::setAnalysisWait(std::chrono::hours(1));
    auto* main = new CMainDlg(0, QString());
    main->show();
    fillWithSkin(*main);
    QTimer::singleShot(0, main, [&] {
        EXPECT_EQ(main->startRun(), 1);
        main->progressBox()->PostCancel();
    });
    EXPECT_EQ(main->startRun(), 1);
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("2:")) << f.tips[0].toStdString();
    EXPECT_EQ(f.app.m_bResultsAvailable, 0);

    const auto before = std::chrono::steady_clock::now();
    delete main;
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(5));
    EXPECT_EQ(f.app.m_pMainWnd, nullptr);
}

// Leaving the window while a run is under way makes its result stale: when it
// arrives it changes nothing and does not hand the capture panel back.
TEST_F(MainDlgTest, AResultNobodyWaitsForIsDropped) {
    CMainDlg::setAnalysisWait(std::chrono::milliseconds(300));
    CMainDlg main(0, QString());
    main.show();
    fillWithSkin(main);
    QTimer::singleShot(0, &main, [&] {
        press(main, "1031");
        main.progressBox()->PostCancel();
    });
    EXPECT_EQ(main.startRun(), 1);
    QTest::qWait(1500);
    EXPECT_EQ(f.app.m_bResultsAvailable, 0);
    EXPECT_EQ(main.summaryPanel(), nullptr);
    EXPECT_EQ(main.itemResults()[kPores].score, 0);
    EXPECT_EQ(main.previewPanel()->handBacks(), 0);
}

TEST_F(MainDlgTest, StoredVisitOpensOnTheSummaryWithoutProgressBox) {
    QString loaded;
    CMainDlg::setVisitLoader([&](const QString& folder, ItemResults& items) {
        loaded = folder;
        items[7].score = 64;
        return true;
    });
    CMainDlg main(1, QStringLiteral("202412011030"));
    main.show();
    EXPECT_EQ(loaded, QStringLiteral("202412011030"));
    EXPECT_EQ(main.currentPanel(), main.summaryPanel());
    EXPECT_EQ(main.summaryPanel()->fromHistory(), 1);
    EXPECT_EQ(main.summaryPanel()->scores()[7], 64);
    EXPECT_FALSE(main.progressBox()->isVisible());
}

TEST_F(MainDlgTest, StoredVisitComesFromTheReportStoreAndAnUnreadableOneIsNeverShown) {
    // Without a member handed over, the visit is the guest's.
    ItemResults items = makeItemResults();
    items[2].score = 71;
    ASSERT_TRUE(ReportStore::saveVisit(f.dir.path() + "Reports/Guest",
                                       QDateTime(QDate(2024, 12, 1), QTime(10, 30)), items, "", "",
                                       {})
                    .ok);
    {
        CMainDlg main(1, QStringLiteral("202412011030"));
        main.show();
        ASSERT_EQ(main.currentPanel(), main.summaryPanel());
        EXPECT_EQ(main.summaryPanel()->scores()[2], 71);
    }
    f.tips.clear();
    f.app.m_bResultsAvailable = 0; // the window above closed without its back command
    CMainDlg gone(1, QStringLiteral("202412011031"));
    gone.show();
    EXPECT_EQ(gone.summaryPanel(), nullptr);
    EXPECT_EQ(gone.currentPanel(), gone.previewPanel());
    EXPECT_EQ(f.app.m_bResultsAvailable, 0);
    ASSERT_FALSE(f.tips.isEmpty());
    EXPECT_TRUE(f.tips.last().startsWith("1:")) << f.tips.last().toStdString();
    EXPECT_TRUE(f.tips.last().contains("202412011031"));
}

TEST_F(MainDlgTest, ExitAsksFirstAndBackForgetsTheResults) {
    int exitCode = -1;
    CMainDlg::setProcessExit([&](int code) { exitCode = code; });
    CMainDlg main(0, QString());
    main.show();

    press(main, "1009");
    EXPECT_EQ(f.confirmations.size(), 1);
    EXPECT_EQ(exitCode, -1); // answered "cancel"
    f.confirmAnswer = 1;
    press(main, "1009");
    EXPECT_EQ(exitCode, 0);

    main.sendCompletion();
    f.app.m_bCameraStreaming = 1;
    press(main, "1031");
    EXPECT_EQ(f.app.m_bResultsAvailable, 0);
    EXPECT_EQ(f.app.m_bCameraStreaming.load(), 0);
    EXPECT_TRUE(main.isVisible()); // half a second for the camera threads
    EXPECT_TRUE(QTest::qWaitFor([&] { return !main.isVisible(); }, 3000));
    EXPECT_EQ(main.result(), QDialog::Rejected);
}

TEST_F(MainDlgTest, DeviceChangesReachTheCapturePanel) {
    CMainDlg main(0, QString());
    main.OnDeviceChange();
    EXPECT_EQ(main.previewPanel()->deviceChanges(), 1);
}

} // namespace
