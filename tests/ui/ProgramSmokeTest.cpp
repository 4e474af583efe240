// The real program in a real window: start-up chain, workspace and the
// single-instance rule, on a private X server and a temporary program folder.
#include "TempProgramFolder.h"
#include "XvfbDisplay.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

namespace {

// Every file below the folder with its size, time stamp and content hash.
QStringList snapshot(const QString& folder) {
    QStringList entries;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QString line = info.filePath() + ' ' + QString::number(info.size()) + ' ' +
                       QString::number(info.lastModified().toMSecsSinceEpoch());
        if (info.isFile()) {
            QFile f(info.filePath());
            f.open(QIODevice::ReadOnly);
            line += ' ' + QCryptographicHash::hash(f.readAll(), QCryptographicHash::Md5).toHex();
        }
        entries << line;
    }
    entries.sort();
    return entries;
}

bool waitFor(const std::function<bool()>& condition, int ms) {
    QDeadlineTimer deadline(ms);
    while (!deadline.hasExpired()) {
        if (condition())
            return true;
        QThread::msleep(100);
    }
    return condition();
}

class ProgramSmoke : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(display.running()) << "Xvfb could not start";
        for (const char* entry : {"velatrix", "Language", "PreSetting", "icons"}) {
            if (QFileInfo::exists(TempProgramFolder::builtProgramFolder() + entry))
                dir.copy(QString::fromLatin1(entry));
        }
    }
    void TearDown() override {
        for (QProcess* p : {&first, &second}) {
            if (p->state() != QProcess::NotRunning) {
                p->kill();
                p->waitForFinished(5000);
            }
        }
    }
    void start(QProcess& p) {
        p.setProcessEnvironment(display.environment());
        p.setProgram(dir.file("velatrix"));
        p.setWorkingDirectory(QDir::tempPath()); // never the program folder
        p.start();
        ASSERT_TRUE(p.waitForStarted(10000)) << p.errorString().toStdString();
    }
    // The start page is the one 1360 x 760 window; the background covers the screen.
    bool startPageShown() const { return display.windowTree().contains("1360x760+"); }
    bool backgroundShown() const { return display.windowTree().contains("1600x900+0+0"); }

    XvfbDisplay display;
    TempProgramFolder dir;
    QProcess first;
    QProcess second;
};

TEST_F(ProgramSmoke, StartsIntoTheStartPageAndRefusesASecondInstance) {
    start(first);
    ASSERT_TRUE(waitFor([&] { return startPageShown(); }, 60000))
        << display.windowTree().toStdString();
    EXPECT_TRUE(backgroundShown()) << display.windowTree().toStdString();
    EXPECT_TRUE(QFileInfo(dir.file("Guests-Image")).isDir());
    EXPECT_TRUE(QFileInfo(dir.file("Reports")).isDir());

    display.screenshot(TempProgramFolder::artifactsFolder() + "startup.png");

    const QStringList before = snapshot(dir.path());
    start(second);
    // The second process shows its tip for two seconds and ends by itself.
    ASSERT_TRUE(second.waitForFinished(20000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second.exitCode(), 1);
    EXPECT_TRUE(second.readAllStandardError().contains("already running"));
    EXPECT_EQ(first.state(), QProcess::Running);
    EXPECT_EQ(snapshot(dir.path()), before);
}

TEST_F(ProgramSmoke, NameIsFreeAgainAfterACrash) {
    start(first);
    ASSERT_TRUE(waitFor([&] { return startPageShown(); }, 60000));
    first.kill(); // no shutdown code runs
    first.waitForFinished(5000);
    start(second);
    EXPECT_TRUE(waitFor([&] { return startPageShown(); }, 60000));
    EXPECT_EQ(second.state(), QProcess::Running);
}

} // namespace
