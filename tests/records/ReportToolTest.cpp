// velatrix-report run as a separate process from a copy of the program folder,
// the way a salon's export script runs it.
#include "ReportStore.h"
#include "TempProgramFolder.h"

#include <QFile>
#include <QImage>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

class ReportToolTest : public ::testing::Test {
protected:
    ReportToolTest() {
        ItemResults items = makeItemResults();
        const std::array<int, 8> scores{90, 85, 70, 60, 55, 100, 80, 79};
        for (int i = 0; i < 8; ++i)
            items[i].score = scores[i];
        EXPECT_TRUE(ReportStore::saveVisit(dir.path() + QStringLiteral("Reports/Anna"),
                                           QDateTime(QDate(2024, 3, 3), QTime(9, 5)), items,
                                           "Drink water.", "See you soon.", {})
                        .ok);
    }

    Outcome run(const QStringList& args) {
        QProcess process;
        process.start(dir.path() + QStringLiteral("velatrix-report"), args);
        process.waitForFinished(60000);
        return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
                QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    TempProgramFolder dir{"Language", "PreSetting", "icons", "velatrix-report"};
};

TEST_F(ReportToolTest, RendersAStoredVisitAndPrintsItsNineScores) {
    const QString pdf = dir.file(QStringLiteral("out/anna.pdf"));
    const QString png = dir.file(QStringLiteral("anna.png"));
    dir.write(QStringLiteral("out/.keep"), "");
    const Outcome o = run({dir.file(QStringLiteral("Reports/Anna/202403030905")),
                           QStringLiteral("--pdf"), pdf, QStringLiteral("--png"), png});
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, QStringLiteral("90 85 70 60 55 100 80 79 77\n"));
    QFile file(pdf);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(5), "%PDF-");
    const QImage page(png);
    ASSERT_FALSE(page.isNull());
    EXPECT_EQ(page.size(), QSize(1120, 800));
}

TEST_F(ReportToolTest, FolderThatIsNotAReadableVisitExitsTwoWithOneLine) {
    dir.write(QStringLiteral("Reports/Anna/202401010000/sb.jpg"), "");
    for (const QString& folder : {dir.file(QStringLiteral("Reports/Anna/209901010000")),
                                  dir.file(QStringLiteral("Reports/Anna/202401010000"))}) {
        SCOPED_TRACE(folder.toStdString());
        const Outcome o = run({folder});
        EXPECT_EQ(o.status, 2);
        EXPECT_TRUE(o.out.isEmpty());
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
        EXPECT_TRUE(o.err.startsWith(QStringLiteral("velatrix-report: ")));
    }
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({dir.file(QStringLiteral("Reports/Anna/202403030905")), "--pdf"}).status, 2);
}

} // namespace
