#include "CMyListCtrl.h"

#include "CHeaderCtrlCl.h"
#include "CSkinVerticleScrollbar.h"
#include "ListGeometry.h"
#include "ListRowDelegate.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>

namespace {

// Per-row values live on the first column's item so they move with their row.
constexpr int kPictureRole = Qt::UserRole + 1;
constexpr int kDataRole = Qt::UserRole + 2;
// Per-cell text colour.
constexpr int kColourRole = Qt::UserRole + 3;

Qt::Alignment alignmentOfFormat(int format) {
    switch (format) {
    case AlignLeft:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case AlignRight:
        return Qt::AlignRight | Qt::AlignVCenter;
    default:
        return Qt::AlignCenter;
    }
}

} // namespace

CMyListCtrl::CMyListCtrl(QWidget* parent) : QTableWidget(parent) {
    m_header = new CHeaderCtrlCl(this);
    setHorizontalHeader(m_header);
    verticalHeader()->hide();
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_defaultRowHeight = verticalHeader()->defaultSectionSize();
    setItemDelegate(new ListRowDelegate(this));
    setShowGrid(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setFrameShape(QFrame::NoFrame);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetBkColor(m_background);
    SetRowHeight(m_rowHeight);

    connect(this, &QTableWidget::itemSelectionChanged, this,
            [this] { emit rowSelected(GetSelectedRow()); });
    connect(this, &QTableWidget::cellClicked, this, &CMyListCtrl::rowClicked);
    connect(this, &QTableWidget::cellDoubleClicked, this, &CMyListCtrl::rowDoubleClicked);
}

CMyListCtrl::~CMyListCtrl() {
    delete m_scrollbar.data();
}

int CMyListCtrl::InsertColumn(int index, const QString& title, int format, int width, int) {
    index = std::clamp(index, 0, columnCount());
    m_header->insertTitle(index, title, ListGeometry::alignmentCharOf(format));
    insertColumn(index);
    auto* headerItem = new QTableWidgetItem(title);
    headerItem->setTextAlignment(alignmentOfFormat(format));
    setHorizontalHeaderItem(index, headerItem);
    if (width >= 0)
        setColumnWidth(index, width);
    return index;
}

void CMyListCtrl::SetColumnFormat(int column, int format) {
    m_header->setAlignmentChar(column, ListGeometry::alignmentCharOf(format));
}

void CMyListCtrl::ShowHeader(bool show) {
    m_header->setVisible(show);
}

void CMyListCtrl::SetRowHeight(int height) {
    m_rowHeight = height;
    verticalHeader()->setDefaultSectionSize(height > 0 ? height : m_defaultRowHeight);
    for (int row = 0; row < rowCount(); ++row)
        setRowHeight(row, verticalHeader()->defaultSectionSize());
}

void CMyListCtrl::SetFont(int height, int second) {
    m_fontHeight = height;
    m_fontSecond = second;
    viewport()->update();
}

void CMyListCtrl::SetAlignment(TextAlignment alignment) {
    m_alignment = alignment;
    viewport()->update();
}

void CMyListCtrl::SetTextColor(const QColor& colour) {
    m_textColour = colour;
    viewport()->update();
}

void CMyListCtrl::SetBkColor(const QColor& colour) {
    m_background = colour;
    QPalette pal = palette();
    pal.setColor(QPalette::Base, colour);
    pal.setColor(QPalette::Window, colour);
    setPalette(pal);
    viewport()->update();
}

void CMyListCtrl::SetColTextColor(int column, const QColor& colour) {
    m_columnColours.insert(column, colour);
    viewport()->update();
}

void CMyListCtrl::SetItemTextColor(int column, int row, const QColor& colour) {
    if (QTableWidgetItem* it = cell(row, column))
        it->setData(kColourRole, colour);
}

QColor CMyListCtrl::textColourOf(int row, int column) const {
    if (const QTableWidgetItem* it = item(row, column)) {
        const QVariant own = it->data(kColourRole);
        if (own.isValid())
            return own.value<QColor>();
    }
    return m_columnColours.value(column, m_textColour);
}

QTableWidgetItem* CMyListCtrl::cell(int row, int column) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    QTableWidgetItem* it = item(row, column);
    if (!it) {
        it = new QTableWidgetItem;
        setItem(row, column, it);
    }
    return it;
}

int CMyListCtrl::InsertItem(int row, const QString& firstColumnText) {
    row = std::clamp(row, 0, rowCount());
    insertRow(row);
    setRowHeight(row, verticalHeader()->defaultSectionSize());
    if (QTableWidgetItem* it = cell(row, 0))
        it->setText(firstColumnText);
    return row;
}

bool CMyListCtrl::SetItemText(int row, int column, const QString& text) {
    QTableWidgetItem* it = cell(row, column);
    if (!it)
        return false;
    it->setText(text);
    return true;
}

QString CMyListCtrl::GetItemText(int row, int column) const {
    const QTableWidgetItem* it = item(row, column);
    return it ? it->text() : QString();
}

bool CMyListCtrl::DeleteItem(int row) {
    if (row < 0 || row >= rowCount())
        return false;
    removeRow(row);
    return true;
}

void CMyListCtrl::DeleteAllItems() {
    clearSelection();
    setRowCount(0);
}

void CMyListCtrl::SetItemData(int row, const QVariant& data) {
    if (QTableWidgetItem* it = cell(row, 0))
        it->setData(kDataRole, data);
}

QVariant CMyListCtrl::GetItemData(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it ? it->data(kDataRole) : QVariant();
}

void CMyListCtrl::SetRowPicture(int row, const QString& path) {
    if (QTableWidgetItem* it = cell(row, 0))
        it->setData(kPictureRole, path);
}

QString CMyListCtrl::rowPicture(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it ? it->data(kPictureRole).toString() : QString();
}

void CMyListCtrl::SetCheckBoxes(bool on) {
    m_checkBoxes = on;
    viewport()->update();
}

void CMyListCtrl::SetCheck(int row, bool checked) {
    QTableWidgetItem* it = cell(row, 0);
    if (!it || GetCheck(row) == checked)
        return;
    it->setData(Qt::CheckStateRole, checked ? Qt::Checked : Qt::Unchecked);
    emit checkChanged(row, checked);
}

bool CMyListCtrl::GetCheck(int row) const {
    const QTableWidgetItem* it = item(row, 0);
    return it && it->data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

int CMyListCtrl::GetSelectedRow() const {
    const QList<QTableWidgetItem*> items = selectedItems();
    if (!items.isEmpty())
        return items.first()->row();
    const QModelIndexList rows =
        selectionModel() ? selectionModel()->selectedRows() : QModelIndexList();
    return rows.isEmpty() ? -1 : rows.first().row();
}

void CMyListCtrl::SetSelectedRow(int row) {
    if (row < 0 || row >= rowCount())
        clearSelection();
    else
        selectRow(row);
}

void CMyListCtrl::SetSkinnedScrollbar(bool on) {
    m_skinned = on;
    if (m_scrollbar) {
        m_scrollbar->setVisible(on && isVisibleTo(parentWidget()));
        if (on)
            m_scrollbar->placeBesideList();
    }
}

void CMyListCtrl::CreateScrollbar() {
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    if (m_scrollbar || !parentWidget())
        return;
    m_scrollbar = new CSkinVerticleScrollbar(this, parentWidget());
    if (m_skinned)
        m_scrollbar->placeBesideList();
    else
        m_scrollbar->hide();
}

void CMyListCtrl::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const QModelIndex index = indexAt(pos);
    if (m_checkBoxes && event->button() == Qt::LeftButton && index.isValid() &&
        index.column() == 0) {
        const QRect box = ListGeometry::checkBoxShape(visualRect(index)).box;
        if (box.contains(pos))
            SetCheck(index.row(), !GetCheck(index.row()));
    }
    QTableWidget::mousePressEvent(event);
}

void CMyListCtrl::keyPressEvent(QKeyEvent* event) {
    if (m_checkBoxes && event->key() == Qt::Key_Space && GetSelectedRow() >= 0) {
        const int row = GetSelectedRow();
        SetCheck(row, !GetCheck(row));
        return;
    }
    QTableWidget::keyPressEvent(event);
}
