#include "CTipDlg.h"
#include "ScreenFixture.h"

#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QPointer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(TipDlg, ANewTipReplacesTheOldOneAtOnce) {
    ScreenFixture f;
    QPointer<CTipDlg> first = CTipDlg::Show("Saved", 0);
    QPointer<CTipDlg> second = CTipDlg::Show("Could not save", 1);
    EXPECT_TRUE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_EQ(CTipDlg::current(), second.data());
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(second->kind(), 1);
    CTipDlg::destroyCurrent();
}

TEST(TipDlg, IconByKind) {
    const std::pair<int, const char*> cases[] = {
        {0, "ok.png"}, {1, "error.png"}, {2, "info.png"}, {7, "info.png"}, {-3, "info.png"}};
    for (auto [kind, file] : cases)
        EXPECT_EQ(CTipDlg::iconFile(kind), QString::fromLatin1(file)) << kind;
}

TEST(TipDlg, DrawsTheIconAndWhiteTextOnTheDarkBox) {
    ScreenFixture f;
    CTipDlg tip("Saved", 0);
    const QImage shot = tip.grab().toImage();
    EXPECT_EQ(shot.height(), 52);
    EXPECT_EQ(shot.pixelColor(shot.width() - 3, 3), QColor(76, 76, 76));
    // The success icon sits at (8, 8): its middle is not the box colour.
    EXPECT_NE(shot.pixelColor(8 + 18, 8 + 18), QColor(76, 76, 76));
    bool white = false;
    for (int x = 52; x < shot.width() - 8 && !white; ++x)
        white = shot.pixelColor(x, 26).lightness() > 200;
    EXPECT_TRUE(white);
}

TEST(TipDlg, PlacementStaysCentredEvenWiderThanTheScreen) {
    EXPECT_EQ(CTipDlg::placement(200, {1600, 900}), QRect(670, 424, 260, 52));
    const QRect wide = CTipDlg::placement(3000, {1600, 900});
    EXPECT_LT(wide.left(), 0);
    EXPECT_EQ(wide.center().x(), 799);
}

TEST(TipDlg, FontByLanguage) {
    EXPECT_TRUE(CTipDlg::tipFont(2).bold());
    EXPECT_NEAR(QFontMetricsF(CTipDlg::tipFont(2)).height(), 22, 1.0);
    for (int language : {0, 1, -1}) {
        EXPECT_FALSE(CTipDlg::tipFont(language).bold());
        EXPECT_NEAR(QFontMetricsF(CTipDlg::tipFont(language)).height(), 25, 1.0);
    }
}

// The operator gets the full two seconds: the tip is still up just before they
// are over, and gone soon after.
TEST(TipDlg, StaysTwoSecondsThenHidesItself) {
    ScreenFixture f;
    QElapsedTimer clock;
    clock.start();
    QPointer<CTipDlg> tip = CTipDlg::Show("Saved", 0);
    while (clock.elapsed() < CTipDlg::kShowMs - 100)
        QTest::qWait(10);
    ASSERT_FALSE(tip.isNull());
    EXPECT_TRUE(tip->isVisible()) << clock.elapsed() << " ms";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !tip->isVisible(); }, 4000));
    EXPECT_GE(clock.elapsed(), CTipDlg::kShowMs);
    CTipDlg::destroyCurrent();
}

} // namespace
