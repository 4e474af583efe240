// Settings files the operator relies on: graded texts that come back as typed,
// one Save as one replacement, damaged files named and left alone.
#include "AtomicFile.h"
#include "CTessalyApp.h"
#include "IniFile.h"
#include "KillInsideWrite.h"
#include "LanguageSetting.h"
#include "Presetting.h"
#include "TempProgramFolder.h"
#include "TextLookup.h"
#include "Workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

struct AppFixture {
    TempProgramFolder dir;
    CTessalyApp app{dir.path()};
    QStringList tips;

    AppFixture() {
        app.m_nLanguage = 0;
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
    }
};

// Every graded text the screen would save.
QList<QPair<QString, QString>> everyText(const QString& text) {
    QList<QPair<QString, QString>> entries;
    for (int row = 0; row < Presetting::kRows; ++row) {
        for (int column = 0; column < Presetting::kColumns; ++column)
            entries.append({Presetting::key(row, column), text});
    }
    entries.append({QStringLiteral("OrgName"), text});
    return entries;
}

struct LongText {
    const char* name;
    QString text;
};

void PrintTo(const LongText& t, std::ostream* os) {
    *os << t.name;
}

class LongTexts : public ::testing::TestWithParam<LongText> {};

// What the editor lets through is saved, read back and saved again unchanged.
TEST_P(LongTexts, WhatTheEditorKeepsComesBackAsTyped) {
    AppFixture f;
    const QString typed = GetParam().text;
    const QString kept = Presetting::fitToLimit(typed);
    EXPECT_LE(Presetting::storedLength(kept), Presetting::kMaxStoredChars);
    EXPECT_TRUE(typed.startsWith(kept));
    if (Presetting::storedLength(typed) > Presetting::kMaxStoredChars) {
        EXPECT_FALSE(Presetting::writeGradedText(f.app, 2, 3, typed)) << "refused, never cut";
    }
    for (int save = 0; save < 2; ++save) {
        ASSERT_TRUE(Presetting::writeGradedText(f.app, 2, 3, kept));
        const QString back = Presetting::gradedText(f.app, 2, 3);
        EXPECT_EQ(back, QString(kept).replace(QStringLiteral("\r\n"), QStringLiteral("\n")))
            << "save " << save;
        ASSERT_TRUE(Presetting::writeGradedText(f.app, 2, 3, back));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, LongTexts,
    ::testing::Values(LongText{"TwelveHundred", QString(1200, 'a')},
                      LongText{"LineBreakAtTheLimit", QString(998, 'b') + "\ncd"},
                      LongText{"BackslashAtTheLimit", QString(998, 'c') + "\\n"},
                      LongText{"Backslashes", QString(700, '\\')},
                      LongText{"Chinese", QString(1100, QChar(0x7F8E))},
                      LongText{"SurrogatePairs", QString::fromUtf8("😀").repeated(600)},
                      LongText{"BlanksAndQuotes", "  \"" + QString(1100, 'q') + "\"  "},
                      LongText{"TypedBackslashN", QStringLiteral("a\\nb \\\\ c")},
                      LongText{"WindowsLineBreaks", QStringLiteral("one\r\ntwo")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Presetting, OneSaveIsOneReplacementOfTheFile) {
    AppFixture f;
    ASSERT_TRUE(Presetting::ensureExists(f.app));
    int replacements = 0;
    AtomicFile::setBeforeRenameHookForTesting([&replacements] { ++replacements; });
    const bool saved = Presetting::save(f.app, everyText(QStringLiteral("new")));
    AtomicFile::setBeforeRenameHookForTesting({});
    ASSERT_TRUE(saved);
    EXPECT_EQ(replacements, 1);
    EXPECT_EQ(Presetting::gradedText(f.app, 7, 9), QStringLiteral("new"));
    EXPECT_EQ(Presetting::orgName(f.app), QStringLiteral("new"));
}

// Killed while the new file is being put in place: the old file is whole,
// and the next start clears the temporary file.
TEST(Presetting, KilledSaveLeavesTheOldFileWhole) {
    AppFixture f;
    ASSERT_TRUE(Presetting::ensureExists(f.app));
    const QByteArray before = f.dir.read("PreSetting/presetting.ini");
    ASSERT_TRUE(killInsideWrite([&f] { Presetting::save(f.app, everyText(QString(900, 'k'))); }));
    EXPECT_EQ(f.dir.read("PreSetting/presetting.ini"), before);
    QStringList leftovers =
        QDir(f.dir.file("PreSetting")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(leftovers.size(), 2) << leftovers.join(' ').toStdString();

    Workspace::prepare(f.app);
    leftovers =
        QDir(f.dir.file("PreSetting")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(leftovers, QStringList{"presetting.ini"});
}

TEST(Presetting, DamagedFileShowsTheShippedTextsAndIsNeverOverwritten) {
    AppFixture f;
    const QByteArray shipped = Presetting::defaultBytes();
    for (const QByteArray& damaged :
         {shipped.left(shipped.size() / 3), QByteArray("\x13\x37 random bytes \xFF\x00", 17),
          shipped.left(shipped.size() - 1)}) {
        f.dir.write("PreSetting/presetting.ini", damaged);
        EXPECT_FALSE(Presetting::damageReport(f.app).isEmpty());
        EXPECT_TRUE(Presetting::damageReport(f.app).contains("presetting.ini"));
        EXPECT_FALSE(Presetting::gradedText(f.app, 7, 9).isEmpty()) << "the shipped text";
        QString error;
        EXPECT_FALSE(Presetting::save(f.app, everyText("x"), &error));
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(f.dir.read("PreSetting/presetting.ini"), damaged);
    }
    f.dir.write("PreSetting/presetting.ini", shipped);
    EXPECT_TRUE(Presetting::damageReport(f.app).isEmpty());
}

TEST(LanguageSetting, FailedWriteIsReportedAndTheFileKept) {
    AppFixture f;
    const QByteArray setup("[setup]\r\nlanguage=1\n\xC4\xE3=\x00\r\n", 24);
    f.dir.write("Setup.ini", setup);
    QFile::setPermissions(f.dir.file("Setup.ini"), QFile::ReadOwner | QFile::ReadGroup);
    EXPECT_FALSE(LanguageSetting::write(f.app, 2));
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:Setup.ini")) << f.tips[0].toStdString();
    EXPECT_EQ(f.dir.read("Setup.ini"), setup);

    QFile::setPermissions(f.dir.file("Setup.ini"), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(LanguageSetting::write(f.app, 2));
    EXPECT_EQ(f.dir.read("Setup.ini"), QByteArray("[setup]\r\nlanguage=2\n\xC4\xE3=\x00\r\n", 24));
}

TEST(TextLookup, DamagedLanguageFileIsNamedOnceAndKept) {
    AppFixture f;
    const QByteArray damaged("\xFE\xFF\x00[\x00S\x01\x02\x03", 9);
    f.dir.write("Language/English.ini", damaged);
    TextLookup::chooseLanguageFile(2);
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].contains("Language/English.ini")) << f.tips[0].toStdString();
    EXPECT_EQ(f.dir.read("Language/English.ini"), damaged);

    f.tips.clear();
    f.dir.write("Language/English.ini", "[Setting]\nIDS_A=a\n");
    TextLookup::chooseLanguageFile(2);
    EXPECT_TRUE(f.tips.isEmpty());
}

TEST(Workspace, MissingIconsFolderIsNamed) {
    AppFixture f;
    Workspace::prepare(f.app);
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].contains("icons/"));
    f.tips.clear();
    QDir().mkpath(f.dir.file("icons"));
    Workspace::prepare(f.app);
    EXPECT_TRUE(f.tips.isEmpty());
}

} // namespace
