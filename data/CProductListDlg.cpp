#include "CProductListDlg.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "DataTips.h"
#include "ProductPickerOwner.h"
#include "ScreenParts.h"
#include "TextLookup.h"

#include <QCloseEvent>
#include <QKeyEvent>

CProductListDlg::CProductListDlg(ProductPickerOwner& owner, QWidget* parent)
    : CDrawnFrameDlg(parent), m_owner(owner), m_table(theApp()) {
    setObjectName(QStringLiteral("CProductListDlg"));
    setClientSize(kClientSize);
    setCaptionText(TextLookup::text("IDS_PRODUCT_MANAGE"));
    buildControls();
    if (m_table.open())
        loadList();
    else
        DataTips::databaseError(m_table.lastError());
}

CProductListDlg::~CProductListDlg() = default;

void CProductListDlg::buildControls() {
    QWidget* area = clientArea();
    area->setAutoFillBackground(true);
    QPalette pal = area->palette();
    pal.setColor(QPalette::Window, Qt::white);
    area->setPalette(pal);

    constexpr int margin = 12;
    constexpr int scrollbar = 12;
    const int buttonsY = kClientSize.height() - 56;
    m_list = new CMyListCtrl(area);
    m_list->setObjectName(QStringLiteral("1231"));
    m_list->setGeometry(margin, margin, kClientSize.width() - 2 * margin - scrollbar,
                        buttonsY - 2 * margin);
    ScreenParts::styleList(m_list, kRowHeight);
    const int w = m_list->width();
    m_list->InsertColumn(0, TextLookup::text("IDS_PRODUCT_IMAGE"), CMyListCtrl::FormatCenter,
                         w / 6);
    m_list->InsertColumn(1, TextLookup::text("IDS_PRODUCT_TYPE"), CMyListCtrl::FormatCenter, w / 6);
    m_list->InsertColumn(2, TextLookup::text("IDS_PRODUCT_NAME"), CMyListCtrl::FormatCenter,
                         2 * w / 6);
    m_list->InsertColumn(3, TextLookup::text("IDS_PRODUCT_MODEL"), CMyListCtrl::FormatCenter,
                         w / 6);
    m_list->InsertColumn(4, TextLookup::text("IDS_SETUP_PRICE"), CMyListCtrl::FormatCenter, w / 6);
    m_list->SetSkinnedScrollbar(true);
    m_list->CreateScrollbar();

    m_close = ScreenParts::button(area, 1208, 412,
                                  QRect(kClientSize.width() / 2 - 150, buttonsY, 140, 44),
                                  TextLookup::text("IDS_CLOSE"));
    m_ok =
        ScreenParts::button(area, 1207, 413, QRect(kClientSize.width() / 2 + 10, buttonsY, 140, 44),
                            TextLookup::text("IDS_OK"), Qt::white);
    connect(m_ok, &QAbstractButton::clicked, this, &CProductListDlg::OnOK);
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_list, &CMyListCtrl::rowDoubleClicked, this, &CProductListDlg::OnOK);
}

void CProductListDlg::loadList() {
    const DataResult result = m_table.listAll(m_products, ProductTable::Listing::Picker);
    if (result != DataResult::Ok) {
        DataTips::databaseError(m_table.lastError());
        return;
    }
    m_list->setUpdatesEnabled(false);
    m_list->DeleteAllItems();
    for (const ProductRecord& p : std::as_const(m_products)) {
        const int row = m_list->InsertItem(m_list->GetItemCount(), QString());
        // An empty path draws no picture: the product has none stored.
        m_list->SetRowPicture(row, p.picturePath);
        m_list->SetItemText(row, 1, p.type);
        m_list->SetItemText(row, 2, p.name);
        m_list->SetItemText(row, 3, p.model);
        m_list->SetItemText(row, 4, p.price);
    }
    m_list->setUpdatesEnabled(true);
}

void CProductListDlg::OnOK() {
    const int row = m_list->GetSelectedRow();
    if (row < 0 || row >= m_products.size()) {
        DataTips::info("IDS_SELECT_PRODUCT");
        return;
    }
    m_owner.appendRecommendedProduct(m_products.at(row));
    accept();
}

void CProductListDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        CDrawnFrameDlg::keyPressEvent(event);
    }
}

void CProductListDlg::closeEvent(QCloseEvent* event) {
    m_table.close();
    CDrawnFrameDlg::closeEvent(event);
}
