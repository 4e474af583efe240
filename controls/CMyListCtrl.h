#pragma once

#include "TextAlignment.h"

#include "CSkinVerticleScrollbar.h"

#include <QColor>
#include <QHash>
#include <QPointer>
#include <QTableWidget>

class CHeaderCtrlCl;

// The program's table: report-style rows of fixed height drawn by the program
// (pink selection with white gaps between cells, text in the list's alignment and
// colours), an optional picture and an optional check box in the first column,
// the pink header CHeaderCtrlCl and, when asked for, the skinned scrollbar
// CSkinVerticleScrollbar beside it. The list has no scrollbars of its own.
//
// The first column carries only the check box and the row picture; texts go in
// columns 1 and up. Rows are selected whole, one at a time.
//
// Usage:
//   list->InsertColumn(0, "", AlignCentre, 40);
//   list->InsertColumn(1, text("IDS_NAME"), AlignCentre, 200);
//   list->SetAlignment(AlignCentre); list->SetRowHeight(30); list->SetFont(18, 0);
//   int row = list->InsertItem(list->GetItemCount(), QString());
//   list->SetItemText(row, 1, name);
//   list->SetSkinnedScrollbar(true); list->CreateScrollbar();
//
// Threading: GUI thread only.
class CMyListCtrl : public QTableWidget {
    Q_OBJECT
public:
    explicit CMyListCtrl(QWidget* parent = nullptr);
    ~CMyListCtrl() override;

    // Columns and header.
    int InsertColumn(int index, const QString& title, int format = AlignLeft, int width = 100,
                     int subItem = -1);
    void SetColumnFormat(int column, int format);
    void ShowHeader(bool show);
    CHeaderCtrlCl* headerCtrl() const { return m_header; }

    // Look.
    void SetRowHeight(int height); // 0 or less keeps the default height
    int rowHeight() const { return m_rowHeight; }
    // Cell text height in pixels; the second value is kept and not used.
    void SetFont(int height, int second);
    int fontHeight() const { return m_fontHeight; }
    int fontSecondValue() const { return m_fontSecond; }
    // The rows' text alignment; the first column keeps its own.
    void SetAlignment(TextAlignment alignment);
    TextAlignment alignment() const { return m_alignment; }
    void SetTextColor(const QColor& colour);
    void SetBkColor(const QColor& colour);
    QColor backgroundColour() const { return m_background; }
    void SetColTextColor(int column, const QColor& colour);
    void SetItemTextColor(int column, int row, const QColor& colour);
    // The cell's text colour: the cell's own, else the column's, else the list's.
    QColor textColourOf(int row, int column) const;

    // Rows.
    int InsertItem(int row, const QString& firstColumnText);
    bool SetItemText(int row, int column, const QString& text);
    QString GetItemText(int row, int column) const;
    int GetItemCount() const { return rowCount(); }
    bool DeleteItem(int row);
    void DeleteAllItems();
    void SetItemData(int row, const QVariant& data);
    QVariant GetItemData(int row) const;
    // Picture file drawn in the row's first column (nothing when it does not exist).
    void SetRowPicture(int row, const QString& path);
    QString rowPicture(int row) const;

    // Check boxes in the first column.
    void SetCheckBoxes(bool on);
    bool hasCheckBoxes() const { return m_checkBoxes; }
    void SetCheck(int row, bool checked);
    bool GetCheck(int row) const;

    // Selection: the selected row, or -1.
    int GetSelectedRow() const;
    void SetSelectedRow(int row);

    // Skinned scrollbar.
    void SetSkinnedScrollbar(bool on);
    bool skinnedScrollbar() const { return m_skinned; }
    // Creates the skinned scrollbar beside the list, in the list's parent.
    void CreateScrollbar();
    CSkinVerticleScrollbar* scrollbar() const { return m_scrollbar; }

signals:
    void rowSelected(int row); // -1 when nothing is selected
    void rowClicked(int row, int column);
    void rowDoubleClicked(int row, int column);
    void checkChanged(int row, bool checked);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QTableWidgetItem* cell(int row, int column);

    CHeaderCtrlCl* m_header = nullptr;
    QPointer<CSkinVerticleScrollbar> m_scrollbar;
    int m_defaultRowHeight = 0;
    int m_rowHeight = 20;
    int m_fontHeight = 20;
    int m_fontSecond = 0;
    TextAlignment m_alignment = AlignLeft;
    QColor m_textColour{80, 80, 80};
    QColor m_background{Qt::white};
    bool m_skinned = false;
    bool m_checkBoxes = false;
    QHash<int, QColor> m_columnColours;
};
