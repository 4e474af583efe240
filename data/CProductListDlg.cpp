#include "CProductListDlg.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "DataTips.h"
#include "ProductPickerOwner.h"
#include "ScreenChrome.h"
#include "ScreenParts.h"
#include "TextLookup.h"

#include <QCloseEvent>

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
    ScreenParts::whiten(area);

    constexpr int margin = 12;
    constexpr int scrollbar = 12;
    const int buttonsY = kClientSize.height() - 56;
    m_list = ScreenParts::list(
        area, 1231,
        QRect(margin, margin, kClientSize.width() - 2 * margin - scrollbar, buttonsY - 2 * margin),
        kRowHeight,
        {{"IDS_PRODUCT_IMAGE", 1},
         {"IDS_PRODUCT_TYPE", 1},
         {"IDS_PRODUCT_NAME", 2},
         {"IDS_PRODUCT_MODEL", 1},
         {"IDS_SETUP_PRICE", 1}},
        6);

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
    QList<QStringList> rows;
    QStringList pictures;
    for (const ProductRecord& p : std::as_const(m_products)) {
        rows.append({p.type, p.name, p.model, p.price});
        // An empty path draws no picture: the product has none stored.
        pictures.append(p.picturePath);
    }
    ScreenParts::fillList(m_list, rows, pictures);
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
    if (!ScreenChrome::swallowEnterEscape(event))
        CDrawnFrameDlg::keyPressEvent(event);
}

void CProductListDlg::closeEvent(QCloseEvent* event) {
    m_table.close();
    CDrawnFrameDlg::closeEvent(event);
}
