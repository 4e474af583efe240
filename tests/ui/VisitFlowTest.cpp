// One whole visit in real windows on a private X server: analysed, saved,
// reopened from member management's history, exported to PDF (the driver does
// the screens; this test gives it a program folder and a display).
#include "TempProgramFolder.h"
#include "XvfbDisplay.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {

TEST(VisitFlow, SavedVisitReopensFromHistoryAsItWasAndExportsPdf) {
    XvfbDisplay display;
    ASSERT_TRUE(display.running()) << "Xvfb could not start";
    TempProgramFolder dir{"Language", "PreSetting", "icons", "standard"};
    const QString shots = TempProgramFolder::artifactsFolder() + QStringLiteral("visit-flow");

    QProcess driver;
    QProcessEnvironment env = display.environment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    driver.setProcessEnvironment(env);
    driver.start(QStringLiteral(VELATRIX_VISIT_FLOW_DRIVER), {dir.path(), shots});
    ASSERT_TRUE(driver.waitForFinished(240000));
    const QString out = QString::fromLocal8Bit(driver.readAllStandardOutput());
    const QString err = QString::fromLocal8Bit(driver.readAllStandardError());
    EXPECT_EQ(driver.exitCode(), 0) << err.toStdString() << out.toStdString();

    // The visit folder as saved: sixteen pictures and the visit file.
    const QDir member(dir.path() + QStringLiteral("Reports/Anna Lind"));
    const QStringList visits = member.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    ASSERT_EQ(visits.size(), 1);
    const QStringList files = QDir(member.filePath(visits[0])).entryList(QDir::Files);
    EXPECT_EQ(files.size(), 17) << files.join(' ').toStdString();
    EXPECT_TRUE(files.contains(QStringLiteral("info.ini")));
    EXPECT_TRUE(files.contains(QStringLiteral("mk_0.jpg")));
    EXPECT_TRUE(out.contains(QStringLiteral("pdf ") + dir.path() +
                             QStringLiteral("Guests-Image/Anna Lind/Report/")));
}

} // namespace
