// The history list, offscreen, over visit folders written by the report store.
#include "CHistoryRecordDlg.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "ReportStore.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"

#include <QAbstractButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class HistoryRecordDlgTest : public ::testing::Test {
protected:
    HistoryRecordDlgTest() {
        TextLookup::chooseLanguageFile(2);
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
        ItemResults items = makeItemResults();
        for (int i = 0; i < 8; ++i)
            items[i].score = 60 + i;
        // Saved out of order: the list still runs oldest first.
        for (const QDateTime& when : {QDateTime(QDate(2024, 3, 3), QTime(9, 5)),
                                      QDateTime(QDate(2023, 11, 20), QTime(17, 45))})
            EXPECT_TRUE(ReportStore::saveVisit(DataPaths::memberReportFolder(app, "Anna"), when,
                                               items, "", "", {})
                            .ok);
    }

    TempProgramFolder dir{"Language", "PreSetting", "icons"};
    CTessalyApp app{dir.path()};
    QStringList tips;
};

TEST_F(HistoryRecordDlgTest, ListsTheMembersVisitsWithElevenColumns) {
    CHistoryRecordDlg dlg(QStringLiteral("Anna"));
    CMyListCtrl* list = dlg.list();
    EXPECT_EQ(dlg.objectName(), QStringLiteral("369"));
    EXPECT_EQ(dlg.captionText(), TextLookup::text("IDS_HISTORY_RECORD"));
    ASSERT_EQ(list->columnCount(), 11);
    ASSERT_EQ(list->GetItemCount(), 2);
    EXPECT_EQ(list->GetItemText(0, 1), QStringLiteral("2023-11-20 17:45"));
    EXPECT_EQ(list->GetItemText(1, 1), QStringLiteral("2024-03-03 09:05"));
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(list->GetItemText(0, 2 + c), QString::number(60 + c));
    EXPECT_EQ(list->GetItemText(0, 10), QStringLiteral("63")); // 508 / 8

    const int w = list->contentsRect().width();
    EXPECT_EQ(list->columnWidth(0), 0);
    EXPECT_EQ(list->columnWidth(1), w * 2 / 11);
    EXPECT_EQ(list->columnWidth(10), w / 11);

    CHistoryRecordDlg stranger(QStringLiteral("Nobody"));
    EXPECT_EQ(stranger.list()->GetItemCount(), 0);
}

TEST_F(HistoryRecordDlgTest, ViewReturnsTheStampOfTheSelectedRow) {
    CHistoryRecordDlg dlg(QStringLiteral("Anna"));
    dlg.list()->SetSelectedRow(1);
    dlg.findChild<QAbstractButton*>(QStringLiteral("1207"))->click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.visitStamp(), QStringLiteral("202403030905"));
    EXPECT_TRUE(tips.isEmpty());
}

TEST_F(HistoryRecordDlgTest, ViewWithoutSelectionTipsAndStaysOpen) {
    CHistoryRecordDlg dlg(QStringLiteral("Anna"));
    dlg.show();
    dlg.findChild<QAbstractButton*>(QStringLiteral("1207"))->click();
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(tips, QStringList{"2:" + TextLookup::text("IDS_SELECT_ONE")});
    EXPECT_TRUE(dlg.visitStamp().isEmpty());
}

TEST_F(HistoryRecordDlgTest, CloseEscapeAndCloseSpotCancel) {
    for (int way = 0; way < 3; ++way) {
        SCOPED_TRACE(way);
        CHistoryRecordDlg dlg(QStringLiteral("Anna"));
        dlg.list()->SetSelectedRow(0);
        QTimer::singleShot(0, &dlg, [&] {
            if (way == 0)
                dlg.findChild<QAbstractButton*>(QStringLiteral("1208"))->click();
            else if (way == 1)
                QTest::keyClick(&dlg, Qt::Key_Escape);
            else
                QTest::mouseClick(&dlg, Qt::LeftButton, {}, CDrawnFrameDlg::closeSpot().center());
        });
        EXPECT_EQ(dlg.exec(), QDialog::Rejected);
        EXPECT_TRUE(dlg.visitStamp().isEmpty());
    }
}

} // namespace
