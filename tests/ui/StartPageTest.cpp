#include "CGdipButton.h"
#include "CStartPageDlg.h"
#include "IniFile.h"
#include "ScreenFixture.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QComboBox>
#include <QTest>

#include <gtest/gtest.h>

namespace {

QString caption(const CStartPageDlg& page, const char* id) {
    return page.findChild<CGdipButton*>(id)->labelText();
}

TEST(StartPage, OpensInTheRememberedLanguage) {
    struct Case {
        const char* setup; // nullptr: no Setup.ini
        int index;
        const char* file;
        int labelHeight;
    };
    const Case cases[] = {
        {nullptr, 0, "简体中文.ini", 24},
        {"[setup]\r\nlanguage=1\r\n", 1, "繁體中文.ini", 24},
        {"[setup]\r\nlanguage=2\r\n", 2, "English.ini", 20},
        // Outside the list: no selection, English texts, the Chinese font sizes.
        {"[setup]\r\nlanguage=3\r\n", -1, "English.ini", 24},
    };
    for (const Case& c : cases) {
        ScreenFixture f;
        if (c.setup)
            f.dir.write("Setup.ini", c.setup);
        CStartPageDlg page;
        EXPECT_EQ(page.findChild<QComboBox*>("1075")->currentIndex(), c.index);
        EXPECT_EQ(f.app.m_nLanguage, c.index);
        EXPECT_TRUE(f.app.m_strLanguagePath.endsWith(QString::fromUtf8(c.file)));
        EXPECT_EQ(SharedFonts::heightsFor(f.app.m_nLanguage).label, c.labelHeight);
        EXPECT_EQ(caption(page, "1002"), TextLookup::text("IDS_MEMBER_MANAGE"));
        EXPECT_NE(caption(page, "1002"), QStringLiteral("Not found"));
        EXPECT_TRUE(f.tips.isEmpty());
        // Opening never writes the settings file.
        EXPECT_EQ(f.dir.read("Setup.ini"), QByteArray(c.setup ? c.setup : ""));
    }
}

TEST(StartPage, LanguageChangeRemembersItAndRelabelsTheBigButtonsOnly) {
    ScreenFixture f;
    CStartPageDlg page;
    const QString title = page.windowTitle();
    const QString chineseCaption = caption(page, "1003");

    page.findChild<QComboBox*>("1075")->setCurrentIndex(2);

    EXPECT_EQ(f.app.m_nLanguage, 2);
    EXPECT_EQ(IniFile::read(f.app.settingsFile(), "setup", "language"), QStringLiteral("2"));
    EXPECT_EQ(SharedFonts::language(), 2);
    EXPECT_NE(caption(page, "1003"), chineseCaption);
    EXPECT_EQ(caption(page, "1003"), TextLookup::text("IDS_STARTDETECT"));
    EXPECT_EQ(page.windowTitle(), title); // keeps its language until reopened
}

TEST(StartPage, MissingLanguageFileIsReportedAndTextsReadNotFound) {
    ScreenFixture f;
    f.dir.write("Setup.ini", "[setup]\r\nlanguage=1\r\n");
    QFile::remove(f.dir.file("Language/繁體中文.ini"));
    CStartPageDlg page;
    EXPECT_EQ(f.tips, QStringList{QStringLiteral("1:所選語言包丟失，請重新安裝本程序！")});
    EXPECT_EQ(caption(page, "1002"), QStringLiteral("Not found"));
}

TEST(StartPage, GuestReplacesWhateverMemberCameBefore) {
    ScreenFixture f;
    f.dir.write("Language/English.ini",
                "[Setting]\nIDS_MEMBER_DEFAULT_CUSTOMER=" + QByteArray(40, 'G') +
                    "\nIDS_MEMBER_SEX_WOMEN=Female\n");
    f.app.m_nLanguage = 2;
    TextLookup::chooseLanguageFile(2);
    MemberRecord record;
    record.selected = 1;
    record.name = "Ann";
    record.phone = "555";
    CStartPageDlg::fillGuest(record);
    EXPECT_EQ(record.name, QString(MemberRecord::maxChars(MemberRecord::kNameCapacity), 'G'));
    EXPECT_EQ(record.age, QStringLiteral("25"));
    EXPECT_EQ(record.sex, QStringLiteral("Female"));
    EXPECT_EQ(record.phone, QString());
    EXPECT_EQ(record.selected, 0);
}

TEST(StartPage, EnterAndEscapeDoNotCloseIt) {
    ScreenFixture f;
    CStartPageDlg page;
    page.show();
    QTest::keyClick(&page, Qt::Key_Escape);
    QTest::keyClick(&page, Qt::Key_Return);
    EXPECT_TRUE(page.isVisible());
    QTest::mouseClick(page.findChild<CGdipButton*>("1004"), Qt::LeftButton);
    EXPECT_FALSE(page.isVisible());
    EXPECT_EQ(page.result(), QDialog::Rejected);
}

} // namespace
