// Damaged files in a real window with no window manager: the error tip names
// the file, stands above the screen that is open, nothing crashes and the
// file stays byte for byte as it was.
#include "TempProgramFolder.h"
#include "XvfbDisplay.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

struct DamagedFile {
    const char* name;
    const char* file;   // relative to the program folder; a folder when it ends in "/"
    const char* screen; // what the driver opens
    const char* named;  // what the tip must contain
};

void PrintTo(const DamagedFile& d, std::ostream* os) {
    *os << d.name;
}

class DamagedFiles : public ::testing::TestWithParam<DamagedFile> {};

QByteArray randomBytes(int size) {
    QByteArray bytes(size, 0);
    quint32 state = 20261210;
    for (char& b : bytes) {
        state = state * 1664525u + 1013904223u;
        b = static_cast<char>(state >> 24);
    }
    return bytes;
}

TEST_P(DamagedFiles, TipNamesTheFileOnTopAndTheFileIsKept) {
    const DamagedFile& c = GetParam();
    XvfbDisplay display;
    ASSERT_TRUE(display.running()) << "Xvfb could not start";
    TempProgramFolder dir{"Language", "PreSetting", "icons"};
    const QString file = QString::fromLatin1(c.file);
    QByteArray damaged;
    if (file.endsWith('/')) {
        ASSERT_TRUE(QDir(dir.file(file)).removeRecursively());
    } else {
        damaged = randomBytes(6000);
        dir.write(file, damaged);
    }

    QProcess driver;
    driver.setProcessEnvironment(display.environment());
    driver.start(QStringLiteral(VELATRIX_DAMAGED_FILE_DRIVER), {dir.path(), c.screen});
    ASSERT_TRUE(driver.waitForStarted(10000));
    // The driver prints the window ids once both windows are up; the stacking
    // is read while they still are.
    QString report;
    QString tree;
    while (driver.waitForReadyRead(10000)) {
        report += QString::fromUtf8(driver.readAllStandardOutput());
        if (report.contains("screen ") && report.endsWith('\n')) {
            tree = display.windowTree();
            break;
        }
    }
    ASSERT_TRUE(driver.waitForFinished(20000));
    EXPECT_EQ(driver.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(driver.exitCode(), 0) << driver.readAllStandardError().toStdString();

    const QRegularExpressionMatch screen =
        QRegularExpression(QStringLiteral("screen (\\d+)")).match(report);
    const QRegularExpressionMatch tip =
        QRegularExpression(QStringLiteral("tip (\\d+) (.*)")).match(report);
    ASSERT_TRUE(screen.hasMatch()) << report.toStdString();
    ASSERT_TRUE(tip.hasMatch()) << "no tip was on show: " << report.toStdString();
    EXPECT_TRUE(tip.captured(2).contains(QLatin1String(c.named))) << tip.captured(2).toStdString();

    // xwininfo lists the root's children from the top of the stack down.
    const auto position = [&tree](const QString& id) {
        return tree.indexOf(QStringLiteral("0x%1 ").arg(id.toULongLong(), 0, 16));
    };
    const qsizetype tipAt = position(tip.captured(1));
    const qsizetype screenAt = position(screen.captured(1));
    ASSERT_GE(tipAt, 0) << tree.toStdString();
    ASSERT_GE(screenAt, 0) << tree.toStdString();
    EXPECT_LT(tipAt, screenAt) << "the tip is beneath the screen:\n" << tree.toStdString();

    if (!damaged.isEmpty()) {
        EXPECT_EQ(dir.read(file), damaged) << "the damaged file was changed";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFiles,
    ::testing::Values(
        DamagedFile{"MemberDatabase", "UserData.mdb", "members", "UserData.mdb"},
        DamagedFile{"ProductDatabase", "Product.mdb", "products", ""},
        DamagedFile{"LanguageFile", "Language/English.ini", "settings", "Language/English.ini"},
        DamagedFile{"PresettingFile", "PreSetting/presetting.ini", "settings", "presetting.ini"},
        DamagedFile{"IconsFolder", "icons/", "members", "icons/"}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
