#include "CSetupDlg.h"
#include "CSuggestionDlg.h"
#include "IniFile.h"
#include "Presetting.h"
#include "ScreenFixture.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// Every key of every section of the presetting file, as "section/key=value".
QStringList entries(const ScreenFixture& f) {
    const IniFile::Document doc = IniFile::parse(f.dir.read("PreSetting/presetting.ini"));
    QStringList out;
    QString section;
    for (const QString& line : doc.lines) {
        if (line.startsWith('['))
            section = line;
        else if (line.contains('='))
            out << section + '/' + line;
    }
    out.sort();
    return out;
}

TEST(SetupDlg, ShowsTheEditorOfTheChosenItem) {
    ScreenFixture f;
    CSetupDlg dlg;
    EXPECT_EQ(dlg.shownEditor(), 0);
    dlg.findChild<QComboBox*>("1287")->setCurrentIndex(5);
    EXPECT_EQ(dlg.shownEditor(), 5);
    EXPECT_EQ(dlg.editor(5)->item(), 5);
}

TEST(SetupDlg, SavingWithoutEditsChangesNothingButTellsTheOperator) {
    ScreenFixture f;
    const QStringList before = entries(f);
    CSetupDlg dlg;
    dlg.OnSave();
    EXPECT_EQ(entries(f), before);
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("0:"));
}

TEST(SetupDlg, SavingWritesOnlyTheCurrentLanguageSection) {
    ScreenFixture f;
    f.app.m_nLanguage = 2;
    const QStringList before = entries(f);
    CSetupDlg dlg;
    dlg.editor(3)->findChild<QPlainTextEdit*>("1175")->setPlainText("line one\nline two");
    dlg.findChild<QLineEdit*>("1218")->setText("Rose Salon");
    dlg.OnSave();

    // Section "2" now holds every item's ten texts (empty ones included) and the
    // name; section "0" is exactly as it was.
    const QStringList after = entries(f);
    QStringList section0Before = before.filter("[0]/");
    EXPECT_EQ(after.filter("[0]/"), section0Before);
    EXPECT_EQ(after.filter("[2]/").size(), 8 * 10 + 1);
    EXPECT_EQ(Presetting::gradedText(f.app, 3, 2), QStringLiteral("line one\nline two"));
    EXPECT_EQ(Presetting::gradedText(f.app, 3, 3), QString());
    EXPECT_EQ(Presetting::orgName(f.app), QStringLiteral("Rose Salon"));
}

// A long text typed or pasted into a box stops where the file can still give
// it back whole; saving twice changes nothing the operator sees.
TEST(SetupDlg, LongTextsStopAtTheLimitAndSurviveTwoSaves) {
    ScreenFixture f;
    f.app.m_nLanguage = 2;
    for (const QString& typed :
         {QString(1200, 'a'), QString(997, 'b') + "\n\\x" + QString(200, 'c'),
          QString(1200, QChar(0x7F8E))}) {
        QString shown;
        for (int save = 0; save < 2; ++save) {
            CSetupDlg dlg;
            auto* box = dlg.editor(4)->findChild<QPlainTextEdit*>("1219");
            ASSERT_NE(box, nullptr);
            if (save == 0) {
                box->clear();
                // Typed (the key simulation knows only ASCII), the rest pasted.
                const qsizetype keyed = typed.at(0).unicode() < 128 ? 50 : 0;
                QTest::keyClicks(box, typed.left(keyed));
                box->insertPlainText(typed.mid(keyed));
                shown = box->toPlainText();
                EXPECT_LE(Presetting::storedLength(shown), Presetting::kMaxStoredChars);
                EXPECT_TRUE(typed.startsWith(shown));
            } else {
                EXPECT_EQ(box->toPlainText(), shown) << "the first save came back whole";
            }
            f.tips.clear();
            dlg.OnSave();
            ASSERT_EQ(f.tips.size(), 1);
            EXPECT_TRUE(f.tips[0].startsWith("0:"));
        }
        EXPECT_EQ(Presetting::gradedText(f.app, 4, 1), shown);
    }
}

TEST(SetupDlg, ReadOnlyPresettingFileIsReportedNotAnnouncedAsSaved) {
    ScreenFixture f;
    const QString path = f.app.presettingFile();
    const QByteArray before = f.dir.read("PreSetting/presetting.ini");
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    CSetupDlg dlg;
    dlg.findChild<QLineEdit*>("1218")->setText("Changed");
    dlg.OnSave();
    ASSERT_EQ(f.tips.size(), 1);
    EXPECT_TRUE(f.tips[0].startsWith("1:")) << f.tips[0].toStdString();
    EXPECT_EQ(f.dir.read("PreSetting/presetting.ini"), before);
}

} // namespace
