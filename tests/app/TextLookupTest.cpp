#include "TextLookup.h"
#include "CTessalyApp.h"
#include "IniFile.h"
#include "Presetting.h"
#include "TempProgramFolder.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

// An application state on a temporary program folder that records its tips.
struct AppFixture {
    TempProgramFolder dir;
    CTessalyApp app{dir.path()};
    QStringList tips;

    AppFixture() {
        app.setTipHandler(
            [this](const QString& text, int kind) { tips << QString::number(kind) + ':' + text; });
    }
    void useLanguageFile(const QByteArray& bytes, int index = 2) {
        dir.write("Language/" + TextLookup::languageFileName(index), bytes);
        app.m_nLanguage = index;
        TextLookup::chooseLanguageFile(index);
    }
};

TEST(TextLookup, LooksUpKeysWithLineBreaksAndTheBufferLimit) {
    AppFixture f;
    f.useLanguageFile("[Setting]\nIDS_A=one\\ntwo\nIDS_LONG=" + QByteArray(1200, 'y') + "\n");
    EXPECT_EQ(TextLookup::text("IDS_A"), QStringLiteral("one\ntwo"));
    EXPECT_EQ(TextLookup::text("IDS_LONG").size(), 999);
    EXPECT_EQ(TextLookup::text("IDS_MISSING"), QStringLiteral("Not found"));
    EXPECT_EQ(TextLookup::text("ids_a"), QStringLiteral("Not found")); // keys match exactly
    EXPECT_TRUE(f.tips.isEmpty());
}

TEST(TextLookup, DamagedLanguageFileGivesNotFound) {
    AppFixture f;
    f.useLanguageFile(QByteArray("\xFE\xFF\x00[\x00S\x01\x02\x03", 9));
    EXPECT_EQ(TextLookup::text("IDS_A"), QStringLiteral("Not found"));
}

TEST(TextLookup, LanguageChoiceAndMissingFileTips) {
    struct Case {
        int index;
        const char* file;
        const char* tip;
    };
    const Case cases[] = {
        {0, "简体中文.ini", "1:所选语言包丢失，请重新安装本程序！"},
        {1, "繁體中文.ini", "1:所選語言包丟失，請重新安裝本程序！"},
        {2, "English.ini", "1:Language packs is missing, Please reinstall the Program!"},
        {-1, "English.ini", nullptr},
        {3, "English.ini", nullptr},
    };
    for (const Case& c : cases) {
        AppFixture f;
        TextLookup::chooseLanguageFile(c.index);
        EXPECT_EQ(f.app.m_strLanguagePath, f.dir.path() + "Language/" + QString::fromUtf8(c.file));
        EXPECT_EQ(f.tips, c.tip ? QStringList{QString::fromUtf8(c.tip)} : QStringList{}) << c.index;
        EXPECT_EQ(TextLookup::text("IDS_APP_NAME"), QStringLiteral("Not found"));
    }
}

TEST(TextLookup, Grades) {
    const std::pair<int, int> cases[] = {{101, 0}, {90, 0}, {89, 1}, {80, 1}, {79, 2}, {70, 2},
                                         {69, 3},  {60, 3}, {59, 4}, {0, 4},  {-5, 4}};
    for (auto [score, grade] : cases)
        EXPECT_EQ(TextLookup::gradeOf(score), grade) << score;
}

TEST(Presetting, MissingFileIsRestoredFromTheDefault) {
    AppFixture f;
    const QString path = f.app.presettingFile();
    ASSERT_FALSE(QFileInfo::exists(path));
    f.app.m_nLanguage = 0;
    EXPECT_FALSE(TextLookup::resultText(0, 95).isEmpty());

    const QByteArray restored = f.dir.read("PreSetting/presetting.ini");
    EXPECT_EQ(restored, Presetting::defaultBytes());
    ASSERT_TRUE(restored.startsWith("\xFF\xFE"));
    const QString text = QString::fromUtf16(
        reinterpret_cast<const char16_t*>(restored.constData() + 2), (restored.size() - 2) / 2);
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), text.count('\n'));
    // The shipped copy in the built program folder is the same file.
    QFile shipped(TempProgramFolder::builtProgramFolder() + "PreSetting/presetting.ini");
    ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
    EXPECT_EQ(shipped.readAll(), restored);
}

TEST(Presetting, DefaultHoldsEveryGradedTextOfTheFirstLanguageOnly) {
    AppFixture f;
    for (int language : {0, 1}) {
        f.app.m_nLanguage = language;
        for (int row = 0; row < Presetting::kRows; ++row) {
            for (int column = 0; column < Presetting::kColumns; ++column) {
                const QString text = Presetting::gradedText(f.app, row, column);
                EXPECT_EQ(text.isEmpty(), language == 1) << language << row << column;
            }
        }
    }
}

TEST(Presetting, GradedLookupsPickTheColumnOfTheGrade) {
    AppFixture f;
    f.app.m_nLanguage = 2;
    for (int column = 0; column < Presetting::kColumns; ++column)
        ASSERT_TRUE(Presetting::writeGradedText(f.app, 3, column, QString("c%1").arg(column)));
    EXPECT_EQ(TextLookup::resultText(3, 75), QStringLiteral("c2"));
    EXPECT_EQ(TextLookup::suggestionText(3, 75), QStringLiteral("c7"));
    EXPECT_EQ(TextLookup::resultText(3, 100), QStringLiteral("c0"));
    EXPECT_EQ(TextLookup::suggestionText(3, 12), QStringLiteral("c9"));
    // Section "2" only: the default section "0" is untouched.
    f.app.m_nLanguage = 0;
    EXPECT_NE(TextLookup::resultText(3, 75), QStringLiteral("c2"));
}

TEST(Presetting, MultiLineTextsRoundTripAndTheFileKeepsItsFormat) {
    AppFixture f;
    f.app.m_nLanguage = 0;
    ASSERT_TRUE(Presetting::writeGradedText(f.app, 1, 6, QStringLiteral("第一行\n第二行")));
    ASSERT_TRUE(Presetting::writeOrgName(f.app, QStringLiteral("玫瑰美容")));
    EXPECT_EQ(Presetting::gradedText(f.app, 1, 6), QStringLiteral("第一行\n第二行"));
    EXPECT_EQ(Presetting::orgName(f.app), QStringLiteral("玫瑰美容"));
    const IniFile::Document doc = IniFile::parse(f.dir.read("PreSetting/presetting.ini"));
    EXPECT_EQ(doc.encoding, IniFile::Encoding::Utf16LE);
    EXPECT_EQ(doc.newline, QStringLiteral("\r\n"));
}

TEST(Presetting, UnwritableFolderGivesEmptyTexts) {
    AppFixture f;
    f.dir.write("PreSetting", "a file where the folder should be");
    EXPECT_FALSE(Presetting::ensureExists(f.app));
    EXPECT_EQ(TextLookup::resultText(0, 95), QString());
}

} // namespace
