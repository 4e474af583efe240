#pragma once

#include <QStyledItemDelegate>

class CMyListCtrl;

// Draws the cells of a CMyListCtrl: pink selection with white gaps, the check box
// and row picture in the first column, and aligned text in the other columns.
//
// Threading: GUI thread only.
class ListRowDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ListRowDelegate(CMyListCtrl* list);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    // The list toggles its own check boxes; the delegate edits nothing.
    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override;

    static constexpr QColor kSelectedFill{245, 153, 198};
    static constexpr QColor kCheckBoxFill{222, 222, 222};
    static constexpr QColor kTickColour{255, 11, 11};

private:
    CMyListCtrl* m_list;
};
