#include "CHeaderCtrlCl.h"
#include "CMyListCtrl.h"
#include "CSkinVerticleScrollbar.h"
#include "ListGeometry.h"
#include "ListRowDelegate.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr QRgb kWhite = qRgb(255, 255, 255);
constexpr QRgb kSelected = qRgb(245, 153, 198);

using namespace ListGeometry;

TEST(ListGeometry, CheckBoxPictureFitAndAlignment) {
    const CheckBoxShape box = checkBoxShape(QRect(0, 30, 40, 30));
    EXPECT_EQ(box.box, QRect(QPoint(3, 32), QPoint(19, 57)));
    EXPECT_EQ(box.tick[0], QPoint(5, 37));
    EXPECT_EQ(box.tick[1], QPoint(8, 55));
    EXPECT_EQ(box.tick[2], QPoint(17, 34));

    // Twice as wide as the cell: full width, centred vertically.
    EXPECT_EQ(fitPicture(QSize(200, 50), QRect(0, 30, 100, 40)), QRect(0, 37, 100, 25));
    EXPECT_EQ(fitPicture(QSize(10, 40), QRect(0, 0, 100, 20)), QRect(47, 0, 5, 20));

    EXPECT_EQ(alignmentCharOf(AlignLeft), '0');
    EXPECT_EQ(alignmentCharOf(AlignCentre), '1');
    EXPECT_EQ(alignmentCharOf(AlignRight), '2');
    EXPECT_EQ(alignmentCharOf(7), '1');

    EXPECT_EQ(cellFontHeight(2, 18), 21);
    EXPECT_EQ(cellFontHeight(-1, 18), 18);
    EXPECT_EQ(headerFontHeight(2), 19);
    EXPECT_EQ(headerFontHeight(0), 24);
    EXPECT_FALSE(headerFontHeight(-1).has_value());
    EXPECT_EQ(headerHeight(31), 34);
}

TEST(ListGeometry, ScrollbarThumbAndReleaseRules) {
    EXPECT_EQ(scrollbarPlacement(QRect(50, 60, 400, 300)), QRect(450, 60, 12, 312));
    EXPECT_EQ(thumbTopFor(312, 0, 0), 20) << "nothing to scroll";
    EXPECT_EQ(thumbTopFor(312, 10, 0), 20);
    EXPECT_EQ(thumbTopFor(312, 10, 5), 138); // 237 / 10 * 5 = 118.5 -> 118 + 20
    EXPECT_EQ(thumbTopFor(312, 10, 10), 257);
    EXPECT_EQ(thumbTopFor(312, 10, 20), 272) << "clamped to height - 40";
    EXPECT_EQ(dragRowDelta(150, 312, 10, 2), 2); // (140 - 36) / 21.4 = 4.8 -> 4, minus 2
    EXPECT_EQ(dragRowDelta(150, 312, 0, 0), 0);

    const int h = 312, thumb = 100;
    const struct {
        QPoint pos;
        bool up, down, drag;
        ReleaseAction action;
    } cases[] = {
        {{5, 15}, true, false, false, ReleaseAction::LineUp},
        {{5, 3}, true, false, false, ReleaseAction::LineUp},
        {{5, h - 15}, false, true, false, ReleaseAction::LineDown},
        {{5, h - 3}, false, true, false, ReleaseAction::LineDown},
        {{5, 200}, false, false, false, ReleaseAction::PageDown},
        {{5, 60}, false, false, false, ReleaseAction::PageUp},
        {{5, 110}, false, false, false, ReleaseAction::None},
        {{5, 200}, false, false, true, ReleaseAction::None},
    };
    for (const auto& c : cases)
        EXPECT_EQ(releaseAction(c.pos, h, thumb, c.up, c.down, c.drag), c.action)
            << c.pos.y() << " up " << c.up << " down " << c.down << " drag " << c.drag;
}

class ListTest : public ::testing::Test {
protected:
    ListTest() {
        parent.resize(500, 400);
        list = new CMyListCtrl(&parent);
        list->setGeometry(10, 10, 300, 200);
        list->InsertColumn(0, "", AlignCentre, 40);
        list->InsertColumn(1, "Name", AlignLeft, 120);
        list->InsertColumn(2, "Date", AlignCentre, 100);
        list->SetRowHeight(30);
        list->SetFont(18, 0);
        parent.show();
    }

    void addRows(int count) {
        for (int i = 0; i < count; ++i) {
            const int row = list->InsertItem(list->GetItemCount(), QString());
            list->SetItemText(row, 1, QStringLiteral("Row %1").arg(row));
        }
        QApplication::processEvents(); // the list lays its rows out later
    }

    QImage shot() { return list->grab().toImage(); }
    // Top-left of a cell in the list's own coordinates.
    QPoint cellAt(int row, int column) {
        const QRect r = list->visualRect(list->model()->index(row, column));
        return list->viewport()->mapTo(list, r.topLeft());
    }

    QWidget parent;
    CMyListCtrl* list = nullptr;
};

TEST_F(ListTest, SelectedRowIsPinkWithWhiteGapsAndAnUnfilledFirstColumn) {
    addRows(3);
    list->SetSelectedRow(1);
    EXPECT_EQ(list->GetSelectedRow(), 1);
    const QImage image = shot();
    const QPoint c1 = cellAt(1, 1);
    const QPoint c2 = cellAt(1, 2);
    const QPoint first = cellAt(1, 0);

    EXPECT_EQ(image.pixel(c2 + QPoint(50, 5)), kSelected);
    EXPECT_EQ(image.pixel(c1 + QPoint(118, 5)), kWhite) << "gap at the cell's right edge";
    EXPECT_EQ(image.pixel(c2 + QPoint(1, 5)), kWhite) << "gap at the next cell's left edge";
    EXPECT_EQ(image.pixel(c2 + QPoint(50, 0)), kWhite) << "gap between rows";
    EXPECT_EQ(image.pixel(first + QPoint(30, 5)), kWhite) << "first column not filled";
    EXPECT_EQ(image.pixel(cellAt(0, 2) + QPoint(50, 5)), kWhite) << "other rows stay white";
}

TEST_F(ListTest, CheckBoxesDrawAndToggleOnClick) {
    addRows(2);
    list->SetCheckBoxes(true);
    list->SetCheck(0, true);
    QSignalSpy changed(list, &CMyListCtrl::checkChanged);

    const QImage image = shot();
    const QPoint row1 = cellAt(1, 0);
    EXPECT_EQ(image.pixel(row1 + QPoint(10, 4)), qRgb(222, 222, 222)) << "unchecked box";
    EXPECT_EQ(image.pixel(row1 + QPoint(3, 10)), qRgb(0, 0, 0)) << "box frame";
    bool red = false;
    const QPoint row0 = cellAt(0, 0);
    for (int y = 2; y < 28; ++y)
        for (int x = 3; x < 20; ++x)
            red |= qRed(image.pixel(row0 + QPoint(x, y))) > 200 &&
                   qGreen(image.pixel(row0 + QPoint(x, y))) < 60;
    EXPECT_TRUE(red) << "checked box shows the red tick";

    const QPoint boxCentre = list->viewport()->mapFrom(list, row1 + QPoint(10, 15));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, boxCentre);
    EXPECT_TRUE(list->GetCheck(1));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed[0][0].toInt(), 1);
    const QPoint nameCell = list->viewport()->mapFrom(list, cellAt(1, 1) + QPoint(30, 15));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, nameCell);
    EXPECT_TRUE(list->GetCheck(1)) << "a click outside the box only selects";
    EXPECT_EQ(list->GetSelectedRow(), 1);
}

TEST_F(ListTest, TextColoursResolveCellThenColumnThenList) {
    addRows(2);
    list->SetColTextColor(2, Qt::blue);
    list->SetItemTextColor(2, 1, Qt::green);
    EXPECT_EQ(list->textColourOf(0, 1), QColor(80, 80, 80));
    EXPECT_EQ(list->textColourOf(0, 2), QColor(Qt::blue));
    EXPECT_EQ(list->textColourOf(1, 2), QColor(Qt::green));
    list->DeleteItem(0);
    EXPECT_EQ(list->textColourOf(0, 2), QColor(Qt::green)) << "cell colours move with their row";
}

TEST_F(ListTest, RowPictureFillsTheFirstColumnKeepingItsShape) {
    QTemporaryDir dir;
    QImage wide(80, 10, QImage::Format_RGB32);
    wide.fill(qRgb(0, 0, 200));
    const QString path = dir.filePath("wide.png");
    ASSERT_TRUE(wide.save(path));
    addRows(2);
    list->SetRowPicture(0, path);
    list->SetRowPicture(1, dir.filePath("missing.png"));
    const QImage image = shot();
    const QPoint row0 = cellAt(0, 0);
    EXPECT_EQ(image.pixel(row0 + QPoint(20, 15)), qRgb(0, 0, 200));
    EXPECT_EQ(image.pixel(row0 + QPoint(20, 4)), kWhite) << "centred vertically, not stretched";
    EXPECT_EQ(image.pixel(cellAt(1, 0) + QPoint(20, 15)), kWhite);
}

TEST_F(ListTest, HeaderColoursGradientAndHeight) {
    const QImage image = shot();
    CHeaderCtrlCl* header = list->headerCtrl();
    EXPECT_EQ(image.pixel(45, 2), qRgb(252, 239, 243));
    bool pinkText = false;
    for (int x = 40; x < 160; ++x)
        for (int y = 0; y < header->height(); ++y)
            pinkText |= image.pixel(x, y) == qRgb(246, 109, 141);
    EXPECT_TRUE(pinkText) << "title drawn in the title colour";
    // Right of the last column (ends at x = 260).
    EXPECT_EQ(image.pixel(280, 0), qRgb(166, 166, 166));
    EXPECT_EQ(image.pixel(280, 3), qRgb(142, 142, 142));
    EXPECT_EQ(image.pixel(280, header->height() - 1),
              qRgb(headerGradientGrey(header->height() - 1),
                   headerGradientGrey(header->height() - 1),
                   headerGradientGrey(header->height() - 1)));
    EXPECT_EQ(header->alignmentChar(1), '0');
    EXPECT_EQ(header->title(2), "Date");

    list->ShowHeader(false);
    EXPECT_TRUE(header->isHidden());
}

TEST_F(ListTest, SkinnedScrollbarThumbArrowsAndRepeat) {
    list->SetSkinnedScrollbar(true);
    list->CreateScrollbar();
    CSkinVerticleScrollbar* bar = list->scrollbar();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->geometry(), QRect(310, 10, 12, 212));

    QImage empty = bar->grab().toImage();
    EXPECT_EQ(empty.pixel(3, 3), qRgb(252, 239, 243)) << "up arrow area";
    EXPECT_EQ(empty.pixel(6, 10), qRgb(90, 90, 90)) << "up arrow";
    EXPECT_EQ(empty.pixel(6, 212 - 10), qRgb(90, 90, 90)) << "down arrow";
    EXPECT_EQ(empty.pixel(5, 30), kWhite) << "no thumb without rows to scroll";

    addRows(30);
    QScrollBar* scroll = list->verticalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    EXPECT_EQ(bar->grab().toImage().pixel(5, 30), qRgb(252, 239, 243)) << "thumb shown";

    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(5, 205));
    EXPECT_TRUE(bar->isDownPressed());
    EXPECT_TRUE(bar->firstRepeatTimer().isActive());
    EXPECT_EQ(bar->firstRepeatTimer().interval(), 150);
    EXPECT_EQ(scroll->value(), 0) << "nothing before the first delay";
    bar->OnFirstRepeat();
    EXPECT_FALSE(bar->firstRepeatTimer().isActive());
    EXPECT_TRUE(bar->repeatTimer().isActive());
    EXPECT_EQ(bar->repeatTimer().interval(), 50);
    bar->OnRepeat();
    bar->OnRepeat();
    EXPECT_EQ(scroll->value(), 2);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(5, 205));
    EXPECT_EQ(scroll->value(), 3) << "the release adds one line";
    EXPECT_FALSE(bar->repeatTimer().isActive());
    EXPECT_EQ(bar->thumbTop(), thumbTopFor(bar->height(), scroll->maximum(), 3));

    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(scroll->value(), 2);
    EXPECT_FALSE(bar->firstRepeatTimer().isActive()) << "a short click does not repeat";

    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(5, 180));
    EXPECT_EQ(scroll->value(), 2 + scroll->pageStep());

    list->setGeometry(20, 30, 300, 100);
    EXPECT_EQ(bar->geometry(), QRect(320, 30, 12, 112)) << "follows the list";
}

} // namespace
