#include "ButtonLooks.h"
#include "CGdipButton.h"
#include "FixtureResources.h"

#include <QApplication>
#include <QEnterEvent>
#include <QFontMetricsF>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kParent = qRgb(10, 200, 10);
constexpr QRgb kStdBody = qRgb(100, 150, 200);
constexpr QRgb kStdCorner = qRgb(255, 0, 0);
constexpr QRgb kAltBody = qRgb(20, 40, 60);

// A 40 x 20 picture in one colour with a marked top-left pixel, so a look moved
// by (1,1) can be told from one that is not.
QImage picture(QRgb body, QRgb corner) {
    QImage image(40, 20, QImage::Format_ARGB32);
    image.fill(body);
    image.setPixel(0, 0, corner);
    return image;
}

class ButtonTest : public ::testing::Test {
protected:
    ButtonTest() {
        resources.addPicture(413, "PNG", picture(kStdBody, kStdCorner));
        resources.addPicture(414, "PNG", picture(kAltBody, kAltBody));
        parent.resize(100, 60);
        parent.setAutoFillBackground(true);
        QPalette pal = parent.palette();
        pal.setColor(QPalette::Window, QColor(kParent));
        parent.setPalette(pal);
        button = new CGdipButton(&parent);
        button->setObjectName("1207");
        button->setGeometry(10, 10, 40, 20);
        parent.show();
    }

    // The button as it appears on its parent.
    QRgb pixel(int x, int y) {
        return parent.grab().toImage().pixel(button->x() + x, button->y() + y);
    }

    void hover() {
        QEnterEvent enter(QPointF(5, 5), QPointF(15, 15), QPointF(15, 15));
        QApplication::sendEvent(button, &enter);
    }

    FixtureResources resources;
    QWidget parent;
    CGdipButton* button = nullptr;
};

TEST(ButtonLooks, ColourMatricesBrightenForHoverAndGreyForDisabled) {
    struct Case {
        QRgb in, hover, disabled;
    };
    const Case cases[] = {
        {qRgb(100, 150, 200), qRgb(118, 170, 223), qRgb(147, 147, 147)},
        {qRgb(0, 0, 0), qRgb(13, 13, 13), qRgb(0, 0, 0)},
        {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(255, 255, 255)},
        {qRgba(0, 0, 100, 77), qRgba(13, 13, 118, 77), qRgba(11, 11, 11, 77)},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ButtonLooks::hoverPixel(c.in), c.hover) << std::hex << c.in;
        EXPECT_EQ(ButtonLooks::disabledPixel(c.in), c.disabled) << std::hex << c.in;
    }
}

TEST(ButtonLooks, LabelFontFollowsLanguageAndLabelRectFollowsFactors) {
    EXPECT_EQ(ButtonLooks::labelPixelHeight(2, 16), 19);
    EXPECT_EQ(ButtonLooks::labelPixelHeight(0, 16), 22);
    EXPECT_EQ(ButtonLooks::labelPixelHeight(1, 40), 56);
    EXPECT_EQ(ButtonLooks::labelPixelHeight(2, 20), 24);
    EXPECT_FALSE(ButtonLooks::labelPixelHeight(-1, 16).has_value());
    EXPECT_FALSE(ButtonLooks::labelPixelHeight(3, 16).has_value());

    // The start page's big buttons: text in the lower part, from 0.6 of the height.
    EXPECT_EQ(ButtonLooks::labelRect(QSize(251, 344), 0, 0.6),
              QRect(QPoint(0, 206), QPoint(250, 343)));
    EXPECT_EQ(ButtonLooks::labelRect(QSize(100, 40), 0.4, 0), QRect(QPoint(40, 0), QPoint(99, 39)));
}

TEST_F(ButtonTest, StandardPressedHoverAndDisabledLooks) {
    ASSERT_TRUE(button->LoadStdImage(413, "PNG"));
    EXPECT_EQ(pixel(0, 0), kStdCorner);
    EXPECT_EQ(pixel(5, 5), kStdBody);

    button->setDown(true);
    EXPECT_EQ(button->currentLook(), CGdipButton::LookPressed);
    EXPECT_EQ(pixel(0, 0), kParent) << "the pressed look is moved one pixel right and down";
    EXPECT_EQ(pixel(1, 1), kStdCorner);
    button->setDown(false);

    hover();
    EXPECT_EQ(button->currentLook(), CGdipButton::LookHover);
    EXPECT_EQ(pixel(5, 5), ButtonLooks::hoverPixel(kStdBody));

    button->setEnabled(false);
    EXPECT_EQ(button->currentLook(), CGdipButton::LookDisabled);
    EXPECT_EQ(pixel(5, 5), ButtonLooks::disabledPixel(kStdBody));
}

TEST_F(ButtonTest, ToggleModeFlipsTheLookOnEveryPress) {
    button->LoadStdImage(413);
    button->SetToggle(true);
    EXPECT_FALSE(button->isToggleMode()) << "no toggling without an alternate picture";

    ASSERT_TRUE(button->LoadAltImage(414));
    button->SetToggle(true);
    EXPECT_EQ(pixel(5, 5), kAltBody);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(button->currentLook(), CGdipButton::LookPressed);
    EXPECT_EQ(pixel(1, 1), kStdCorner);
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(pixel(5, 5), kStdBody);

    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_TRUE(button->isToggled());
    EXPECT_EQ(pixel(5, 5), kAltBody);

    button->SetToggle(false);
    EXPECT_FALSE(button->isToggleMode());
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(pixel(5, 5), kStdBody) << "out of toggle mode a press leaves the look alone";
}

TEST_F(ButtonTest, MissingPictureShowsOnlyTheLabelAndStillClicks) {
    EXPECT_FALSE(button->LoadStdImage(999));
    button->SetText("OK", 2, 0, 0, 16, AlignCentre, Qt::white, 0);
    EXPECT_NEAR(QFontMetricsF(button->labelFont()).height(), 19, 1.0); // 16 x 1.2
    EXPECT_EQ(button->currentLook(), CGdipButton::LookCount);

    const QImage shot = parent.grab().toImage();
    bool white = false;
    for (int y = 10; y < 30; ++y)
        for (int x = 10; x < 50; ++x)
            white |= shot.pixel(x, y) == qRgb(255, 255, 255);
    EXPECT_TRUE(white) << "the label is drawn";
    EXPECT_EQ(shot.pixel(11, 11), kParent);

    QSignalSpy clicked(button, &QAbstractButton::clicked);
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(clicked.count(), 1);
    // A double click arrives as press, release, double click, release; the
    // double click counts as a press of its own.
    for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease,
                              QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
        const bool up = type == QEvent::MouseButtonRelease;
        QMouseEvent event(type, QPointF(20, 10), button->mapToGlobal(QPointF(20, 10)),
                          Qt::LeftButton, up ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(button, &event);
    }
    EXPECT_EQ(clicked.count(), 3);
}

TEST_F(ButtonTest, DefaultLanguageKeepsTheWidgetFont) {
    button->SetText("Print", -1, 0.4, 7, 18, AlignLeft, QColor(80, 80, 80), 0);
    EXPECT_FALSE(button->hasLabelFont());
    EXPECT_EQ(button->labelFont(), button->font());
    EXPECT_EQ(button->spareValue(), 7);
}

} // namespace
