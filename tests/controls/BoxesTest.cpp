#include "CGdipButton.h"
#include "CLoadingDlg.h"
#include "CMessageBoxDLg.h"
#include "CPictureEx.h"
#include "CTessalyApp.h"
#include "FixtureResources.h"
#include "GifWriter.h"
#include "SharedFonts.h"
#include "TempProgramFolder.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

namespace {

// Runs the confirmation routine and acts on the box once it is up.
int answer(const std::function<void(CMessageBoxDLg*)>& act) {
    QTimer::singleShot(0, [act] {
        auto* box = qobject_cast<CMessageBoxDLg*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        act(box);
    });
    return CMessageBoxDLg::Ask("Exit the program?", "OK", "Cancel");
}

TEST(MessageBox, AnswersOneForConfirmingAndTwoForEverythingElse) {
    const struct {
        const char* name;
        std::function<void(CMessageBoxDLg*)> act;
        int expected;
    } cases[] = {
        {"first button",
         [](CMessageBoxDLg* b) {
             QTest::mouseClick(b->findChild<QWidget*>("1207"), Qt::LeftButton);
         },
         1},
        {"second button",
         [](CMessageBoxDLg* b) {
             QTest::mouseClick(b->findChild<QWidget*>("1208"), Qt::LeftButton);
         },
         2},
        {"Enter", [](CMessageBoxDLg* b) { QTest::keyClick(b, Qt::Key_Return); }, 1},
        {"keypad Enter", [](CMessageBoxDLg* b) { QTest::keyClick(b, Qt::Key_Enter); }, 1},
        {"Escape", [](CMessageBoxDLg* b) { QTest::keyClick(b, Qt::Key_Escape); }, 2},
        {"close", [](CMessageBoxDLg* b) { b->close(); }, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(answer(c.act), c.expected) << c.name;
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the box is gone";
}

TEST(MessageBox, LabelsGoOnTheirButtonsWithTheirColours) {
    SharedFonts::rebuild(0);
    CMessageBoxDLg box("Delete?", "OK", "Cancel");
    auto* ok = box.findChild<CGdipButton*>("1207");
    auto* cancel = box.findChild<CGdipButton*>("1208");
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->labelText(), "OK");
    EXPECT_EQ(ok->labelColour(), QColor(Qt::white));
    EXPECT_EQ(cancel->labelText(), "Cancel");
    EXPECT_EQ(cancel->labelColour(), QColor(80, 80, 80));
    EXPECT_GT(ok->x(), cancel->x()) << "the confirming button is on the right";
    EXPECT_NEAR(QFontMetricsF(box.findChild<QLabel*>("1097")->font()).height(), 30, 1.0);
}

class LoadingBox : public ::testing::Test {
protected:
    LoadingBox() : app(folder.path()) {
        folder.write("Language/English.ini", "[Setting]\nIDS_ANALYSISING=Analysing\n");
        app.m_strLanguagePath = folder.file("Language/English.ini");
        app.m_nLanguage = 2;
        resources.addData(362, "GIF",
                          GifWriter::write(QSize(30, 30),
                                           {qRgb(244, 244, 244), qRgb(247, 111, 137)}, 0,
                                           {{QRect(0, 0, 30, 30), {}, 1, 20, 2, -1},
                                            {QRect(5, 5, 20, 20), {}, 0, 20, 2, -1}}));
        owner.setGeometry(100, 50, 1360, 760);
    }

    TempProgramFolder folder;
    CTessalyApp app;
    FixtureResources resources;
    QWidget owner;
};

TEST_F(LoadingBox, DotsCycleAndOnlyTheCompletionClosesIt) {
    CLoadingDlg box(&owner);
    QStringList seen;
    bool stillOpenAfterEscape = false;
    bool animated = false;
    QRect placed;
    QTimer::singleShot(0, [&] {
        placed = box.geometry();
        animated = box.animation()->isPlaying();
        seen << box.progressText();
        for (int i = 0; i < 5; ++i) {
            box.OnDotTimer();
            seen << box.progressText();
        }
        QTest::keyClick(&box, Qt::Key_Escape);
        box.close();
        stillOpenAfterEscape = box.isVisible();
        box.PostCancel();
    });
    box.exec();

    // (446, 90) from the owner's window corner, frame included.
    EXPECT_EQ(placed.topLeft() - owner.frameGeometry().topLeft(), QPoint(446, 90));
    EXPECT_EQ(placed.size(), QSize(640, 480));
    EXPECT_TRUE(animated);
    EXPECT_EQ(seen, QStringList({"Analysing", "Analysing.", "Analysing..", "Analysing...",
                                 "Analysing", "Analysing."}));
    EXPECT_TRUE(stillOpenAfterEscape);
    EXPECT_FALSE(box.isVisible());
    EXPECT_FALSE(box.animation()->isPlaying());

    // The owner keeps the box; the next run starts again without dots.
    QString next;
    QTimer::singleShot(0, [&] {
        next = box.progressText();
        box.OnCancel();
    });
    box.exec();
    EXPECT_EQ(next, "Analysing");
}

TEST(SharedFonts, HeightsByLanguage) {
    const struct {
        int language;
        SharedFonts::Heights h;
    } cases[] = {
        {0, {40, 30, 24, 30, 22, 30}},
        {1, {40, 30, 24, 30, 22, 30}},
        {-1, {40, 30, 24, 30, 22, 30}},
        {2, {28, 30, 20, 28, 22, 30}},
    };
    for (const auto& c : cases) {
        SharedFonts::rebuild(c.language);
        EXPECT_EQ(SharedFonts::language(), c.language);
        EXPECT_NEAR(QFontMetricsF(SharedFonts::mainTitle()).height(), c.h.mainTitle, 1.0);
        EXPECT_NEAR(QFontMetricsF(SharedFonts::title()).height(), c.h.title, 1.0);
        EXPECT_NEAR(QFontMetricsF(SharedFonts::label()).height(), c.h.label, 1.0);
        EXPECT_NEAR(QFontMetricsF(SharedFonts::message()).height(), c.h.message, 1.0);
        EXPECT_NEAR(QFontMetricsF(SharedFonts::text()).height(), c.h.text, 1.0);
        EXPECT_NEAR(QFontMetricsF(SharedFonts::score()).height(), c.h.score, 1.0);
        EXPECT_EQ(SharedFonts::label().weight(), QFont::Normal);
    }
    SharedFonts::rebuild(0);
}

} // namespace
