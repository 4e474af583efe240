#include "CDrawnFrameDlg.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kPink = qRgb(247, 111, 137);

TEST(DrawnFrame, CloseSpotIsTheSameRectangleForEveryDialog) {
    const struct {
        QPoint pos;
        bool inside;
    } cases[] = {
        {{545, 10}, true},  {{537, 1}, true},   {{560, 24}, true}, {{561, 10}, false},
        {{545, 25}, false}, {{536, 10}, false}, {{545, 0}, false}, {{300, 10}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CDrawnFrameDlg::inCloseSpot(c.pos), c.inside) << c.pos.x() << "," << c.pos.y();
}

TEST(DrawnFrame, ClickOnTheCloseSpotCancelsAndElsewhereDoesNot) {
    CDrawnFrameDlg dialog;
    dialog.setCaptionText("History");
    dialog.setClientSize(QSize(570, 400));
    dialog.show();
    QSignalSpy rejected(&dialog, &QDialog::rejected);

    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(300, 10));
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(2, 200));
    EXPECT_EQ(rejected.count(), 0);
    EXPECT_TRUE(dialog.isVisible());

    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(545, 10));
    EXPECT_EQ(rejected.count(), 1);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(DrawnFrame, CaptionAndBordersArePinkWithoutTheirPicturesAndClientIsNot) {
    CDrawnFrameDlg dialog;
    dialog.setCaptionText("History");
    dialog.setClientSize(QSize(570, 400));
    const QImage shot = dialog.grab().toImage();
    const int w = shot.width();
    const int h = shot.height();
    EXPECT_EQ(shot.pixel(300, CDrawnFrameDlg::kCaptionHeight - 1), kPink);
    EXPECT_EQ(shot.pixel(w - 50, 20), kPink);
    EXPECT_EQ(shot.pixel(1, h / 2), kPink);
    EXPECT_EQ(shot.pixel(w - 2, h / 2), kPink);
    EXPECT_EQ(shot.pixel(w / 2, h - 2), kPink);
    EXPECT_NE(shot.pixel(w / 2, h / 2), kPink);
    EXPECT_EQ(dialog.clientArea()->geometry(),
              QRect(CDrawnFrameDlg::kFrameWidth, CDrawnFrameDlg::kCaptionHeight, 570, 400));
}

} // namespace
