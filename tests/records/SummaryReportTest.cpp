// The summary report, offscreen: what each mode shows, Save with its tips,
// the saved picture, print and PDF, and a page without its product database.
#include "CSummaryReport.h"
#include "CTessalyApp.h"
#include "CurrentMember.h"
#include "DataPaths.h"
#include "MemberRecord.h"
#include "PicturePrinter.h"
#include "ProductTable.h"
#include "ReportPaths.h"
#include "ReportStore.h"
#include "SummaryGeometry.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"

#include <QAbstractButton>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>

#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2024, 3, 3), QTime(9, 5, 40));

ProductRecord product(const QString& name) {
    ProductRecord p;
    p.name = name;
    p.type = QStringLiteral("Care");
    p.model = QStringLiteral("M1");
    return p;
}

class SummaryReportTest : public ::testing::Test {
protected:
    SummaryReportTest() {
        TextLookup::chooseLanguageFile(2);
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
        member.name = QStringLiteral("Anna");
        member.sex = QStringLiteral("Woman");
        member.age = QStringLiteral("31");
        member.selected = 1;
        CurrentMember::set(&member);
        CSummaryReport::setClockForTesting([] { return kNow; });
        items = makeItemResults();
        const std::array<int, 8> scores{90, 85, 70, 60, 55, 100, 80, 79};
        for (int i = 0; i < 8; ++i) {
            items[i].score = scores[i];
            items[i].suggestionText = "suggestion of item " + std::to_string(i);
        }
    }
    ~SummaryReportTest() override {
        CurrentMember::set(nullptr);
        CSummaryReport::setClockForTesting({});
        PicturePrinter::setDialogHook({});
    }

    void addCatalogue(const QStringList& names) {
        ProductTable table(app);
        ASSERT_TRUE(table.open());
        for (const QString& name : names) {
            ProductRecord p = product(name);
            ASSERT_EQ(table.add(p), DataResult::Ok);
        }
    }

    QString text(CSummaryReport& page, int id) {
        return page.findChild<QLabel*>(QString::number(id))->text();
    }

    TempProgramFolder dir{"Language", "PreSetting", "icons"};
    CTessalyApp app{dir.path()};
    MemberRecord member;
    ItemResults items;
    QStringList tips;
};

TEST_F(SummaryReportTest, FreshPageShowsHeaderLowestSuggestionAndAnimatesToTheScores) {
    CSummaryReport page(0, items, nullptr,
                        {QString(), [] { return std::vector<ProductRecord>{product("Serum")}; }});
    EXPECT_EQ(text(page, 1106), QStringLiteral("Anna"));
    EXPECT_EQ(text(page, 1110), QStringLiteral("31"));
    EXPECT_EQ(text(page, 1127), QStringLiteral("2024-03-03 09:05"));
    EXPECT_EQ(page.overallSuggestion(), QStringLiteral("suggestion of item 4")); // gloss, 55
    EXPECT_TRUE(page.expertSuggestion().isEmpty());
    EXPECT_FALSE(page.findChild<QPlainTextEdit*>(QStringLiteral("1218"))->isReadOnly());
    EXPECT_FALSE(page.findChild<QAbstractButton*>(QStringLiteral("1153"))->isHidden());
    EXPECT_EQ(page.productRows(), QStringList{QStringLiteral("Serum")});

    ASSERT_TRUE(page.animationStarted());
    EXPECT_TRUE(text(page, 1263).isEmpty());
    page.finishAnimation();
    EXPECT_TRUE(page.animationFinished());
    EXPECT_EQ(text(page, 1263), QStringLiteral("90"));
    EXPECT_EQ(text(page, 1278), QStringLiteral("55")); // item 4's number
    EXPECT_EQ(text(page, 1275), QStringLiteral("100"));

    // Each bar ends where 1.9 * score ends.
    const QImage shot = page.grab().toImage();
    for (int i : {2, 4, 5}) {
        const QLabel* label = page.findChild<QLabel*>(QString::number(1264 + i));
        const QRect track = SummaryGeometry::barTrack(label->geometry());
        const int width = SummaryGeometry::barWidth(items[i].score);
        const int y = track.center().y();
        EXPECT_EQ(QColor(shot.pixel(track.left() + width - 1, y)), QColor(111, 215, 174)) << i;
        if (width < track.width()) {
            EXPECT_EQ(QColor(shot.pixel(track.left() + width, y)), QColor(245, 245, 245)) << i;
        }
    }
}

TEST_F(SummaryReportTest, SaveWritesTheVisitAndHistoryModeShowsItAgain) {
    addCatalogue({QStringLiteral("Serum"), QStringLiteral("Night Cream")});
    {
        CSummaryReport fresh(
            0, items, nullptr,
            {QString(), [] {
                 return std::vector<ProductRecord>{product("serum"), product("Gone")};
             }});
        fresh.findChild<QPlainTextEdit*>(QStringLiteral("1218"))
            ->setPlainText(QStringLiteral("Come back in a month."));
        fresh.findChild<QAbstractButton*>(QStringLiteral("1153"))->click();
    }
    ASSERT_EQ(tips, QStringList{"0:" + TextLookup::text("IDS_SAVE_SUCCESS")});
    const QString visit = ReportPaths::visitFolder(app, member, QStringLiteral("202403030905"));
    EXPECT_EQ(visit, dir.path() + QStringLiteral("Reports/Anna/202403030905"));
    EXPECT_EQ(ReportStore::loadFreeTexts(visit).products, QStringLiteral("serum;Gone;"));

    ItemResults loaded = makeItemResults();
    ASSERT_TRUE(ReportStore::loadVisit(visit, loaded, nullptr));
    CSummaryReport stored(1, loaded, nullptr, {visit, {}});
    EXPECT_EQ(stored.scores(), (std::array<int, 8>{90, 85, 70, 60, 55, 100, 80, 79}));
    EXPECT_EQ(stored.overallSuggestion(), QStringLiteral("suggestion of item 4"));
    EXPECT_EQ(stored.expertSuggestion(), QStringLiteral("Come back in a month."));
    EXPECT_TRUE(stored.findChild<QPlainTextEdit*>(QStringLiteral("1218"))->isReadOnly());
    EXPECT_TRUE(stored.findChild<QAbstractButton*>(QStringLiteral("1153"))->isHidden());
    // "serum" matches "Serum" ignoring case; "Gone" is in no catalogue record.
    EXPECT_EQ(stored.productRows(), QStringList{QStringLiteral("Serum")});
}

TEST_F(SummaryReportTest, FailedSaveShowsAnErrorNamingTheFileAndNoSuccess) {
    dir.write(QStringLiteral("Reports/Anna"), "a file where the member folder belongs");
    CSummaryReport page(0, items, nullptr);
    page.OnSave();
    ASSERT_EQ(tips.size(), 1);
    EXPECT_TRUE(tips[0].startsWith("1:" + TextLookup::text("IDS_WARN_CATCH")));
    EXPECT_TRUE(tips[0].contains(dir.path() + QStringLiteral("Reports/Anna")));
}

TEST_F(SummaryReportTest, MissingDatabaseGivesAnErrorTipAndNoAnimation) {
    QDir().mkpath(DataPaths::productDatabase(app)); // a folder where the file belongs
    CSummaryReport page(0, items, nullptr);
    ASSERT_EQ(tips.size(), 1);
    EXPECT_TRUE(tips[0].startsWith("1:" + TextLookup::text("IDS_WARN_CATCH")));
    EXPECT_FALSE(page.animationStarted());
    page.finishAnimation();
    EXPECT_TRUE(text(page, 1263).isEmpty());
}

TEST_F(SummaryReportTest, PrintSavesThePageOnceAMinuteAndPrintsIt) {
    QStringList printed;
    PicturePrinter::setDialogHook([&](QPrinter& printer) {
        printed << printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.path() + QStringLiteral("printed.pdf"));
        return true;
    });
    CSummaryReport page(0, items, nullptr);
    page.finishAnimation();
    const QString bmp = dir.path() + QStringLiteral("Guests-Image/Anna/Report/Anna_") +
                        TextLookup::text("IDS_MAIN_ZJCL") + QStringLiteral("_202403030905.bmp");
    EXPECT_EQ(page.savedReportFile(), bmp);
    page.findChild<QAbstractButton*>(QStringLiteral("1208"))->click();
    ASSERT_TRUE(QFile::exists(bmp));
    QFile file(bmp);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_EQ(bytes.left(2), "BM");
    EXPECT_EQ(bytes, PicturePrinter::bitmapBytes(QImage(bmp)));
    // Save and Print were hidden for the capture and are back.
    EXPECT_FALSE(page.findChild<QAbstractButton*>(QStringLiteral("1208"))->isHidden());

    // The second print within the minute prints the first capture.
    page.findChild<QPlainTextEdit*>(QStringLiteral("1218"))->setPlainText("changed");
    page.OnPrint();
    EXPECT_EQ(QFile(bmp).size(), bytes.size());
    QFile again(bmp);
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);
    EXPECT_EQ(printed, (QStringList{bmp, bmp}));
    EXPECT_TRUE(tips.isEmpty());
}

TEST_F(SummaryReportTest, ExportPdfWritesBesideTheSavedPicture) {
    CSummaryReport page(0, items, nullptr);
    page.finishAnimation();
    page.findChild<QAbstractButton*>(QStringLiteral("exportPdf"))->click();
    QString pdf = page.savedReportFile();
    pdf.replace(QStringLiteral(".bmp"), QStringLiteral(".pdf"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5) == "%PDF-");
    ASSERT_EQ(tips.size(), 1);
    EXPECT_TRUE(tips[0].startsWith("0:"));
    EXPECT_TRUE(tips[0].contains(pdf));
}

TEST_F(SummaryReportTest, UnwritableReportFolderGivesAnErrorTip) {
    dir.write(QStringLiteral("Guests-Image/Anna/Report"), "a file where the folder belongs");
    CSummaryReport page(0, items, nullptr);
    page.OnExportPdf();
    ASSERT_EQ(tips.size(), 1);
    EXPECT_TRUE(tips[0].startsWith("1:"));
    EXPECT_TRUE(tips[0].contains(QStringLiteral("Guests-Image/Anna/Report")));
}

} // namespace
