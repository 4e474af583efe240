#include "CProductDlg.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CProduct_DetailsDlg.h"
#include "CTessalyApp.h"
#include "DataTips.h"
#include "PictureBox.h"
#include "ScreenChrome.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

constexpr std::array<int, 6> kCaptionIds{1210, 1079, 1228, 1124, 1087, 1088};
constexpr std::array<int, 6> kValueIds{1211, 1080, 1229, 1125, 1089, 1090};
constexpr std::array<const char*, 6> kCaptionKeys{"IDS_PRODUCT_TYPE",     "IDS_PRODUCT_NAME",
                                                  "IDS_PRODUCT_MODEL",    "IDS_SETUP_PRICE",
                                                  "IDS_PRODUCT_FUNCITON", "IDS_PRODUCT_COURSE"};

} // namespace

CProductDlg::CProductDlg(QWidget* parent)
    : CRecordManageDlg(QStringLiteral("CProductDlg"), QStringLiteral("products_bk.bmp"), parent),
      m_table(theApp()) {
    // A new screen searches by name until the operator picks the model instead.
    buildControls();
    setTexts();
    m_byName->setChecked(true);

    // Without its database the screen still opens, empty, and says why.
    if (m_table.open()) {
        listAllProducts();
    } else {
        DataTips::databaseError(m_table.lastError());
        DataTips::error("IDS_OPEN_DATA_FAILED");
    }
}

CProductDlg::~CProductDlg() = default;

void CProductDlg::buildControls() {
    buildSharedControls(1231,
                        {{nullptr, 0},
                         {"IDS_PRODUCT_TYPE", 1},
                         {"IDS_PRODUCT_NAME", 2},
                         {"IDS_PRODUCT_MODEL", 1},
                         {"IDS_SETUP_PRICE", 1}},
                        5, 220);

    const QFont font = SharedFonts::faceFont(17);
    m_byName = new QRadioButton(this);
    m_byName->setObjectName(QStringLiteral("1051"));
    m_byName->setGeometry(kListLeft, kTopRow + 8, 140, 32);
    m_byModel = new QRadioButton(this);
    m_byModel->setObjectName(QStringLiteral("1230"));
    m_byModel->setGeometry(kListLeft + 144, kTopRow + 8, 110, 32);
    ScreenParts::styleRadios({m_byName, m_byModel}, font);
    int x = kListLeft + 260;
    m_search = ScreenParts::lineEdit(this, 1056, QRect(x, kTopRow + 2, 220, 44),
                                     ScreenParts::kSearchBackground,
                                     ProductRecord::maxChars(ProductRecord::kNameCapacity));
    m_search->setFont(SharedFonts::faceFont(18));
    x += 230;
    m_searchButton = ScreenParts::button(this, 1057, 411, QRect(x, kTopRow, 48, 48));
    x += 58;
    m_all = ScreenParts::button(this, 1058, 412, QRect(x, kTopRow + 2, 120, 44));
    int y = kTopRow + 232;
    for (int i = 0; i < 6; ++i) {
        const bool tall = i >= 4; // function and course are free text
        const int height = tall ? 96 : 28;
        m_captions[i] = ScreenParts::label(this, kCaptionIds[i], QRect(kMargin, y, 96, 28));
        m_captions[i]->setFont(font);
        m_values[i] = ScreenParts::valueLabel(
            this, kValueIds[i], QRect(kMargin + 100, y, i == 3 ? 120 : 176, height), font);
        if (tall) {
            m_values[i]->setWordWrap(true);
            m_values[i]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        }
        y += height + 4;
    }
    m_priceUnit =
        ScreenParts::label(this, 1126, QRect(kMargin + 226, kTopRow + 232 + 3 * 32, 50, 28));
    m_priceUnit->setFont(font);

    connect(m_searchButton, &QAbstractButton::clicked, this, &CProductDlg::OnSearch);
    connect(m_all, &QAbstractButton::clicked, this, &CProductDlg::OnAll);
}

void CProductDlg::setTexts() {
    setWindowTitle(TextLookup::text("IDS_PRODUCT_MANAGE"));
    m_title->setText(TextLookup::text("IDS_PRODUCT_MANAGE"));
    m_byName->setText(TextLookup::text("IDS_PRODUCT_NAME"));
    m_byModel->setText(TextLookup::text("IDS_PRODUCT_MODEL"));
    m_search->setPlaceholderText(TextLookup::text("IDS_PRODUCT_INPUTNAME"));
    m_all->SetText(TextLookup::text("IDS_ALL"), SharedFonts::currentLanguage(), 0, 0,
                   ScreenParts::kButtonTextHeight, AlignCentre, ScreenParts::kInk, 0);
    for (int i = 0; i < 6; ++i) {
        // The course caption stands alone; the others end with ":".
        m_captions[i]->setText(TextLookup::text(kCaptionKeys[i]) +
                               (i == 5 ? QString() : QStringLiteral(":")));
    }
    m_priceUnit->setText(TextLookup::text("IDS_PRODUCT_PRICE_UNIT"));
}

void CProductDlg::listAllProducts() {
    const DataResult result = m_table.listAll(m_products);
    if (result != DataResult::Ok) {
        DataTips::failure(result, m_table.lastError(), "IDS_OPEN_DATA_FAILED");
        return;
    }
    fillList();
}

void CProductDlg::fillList() {
    QList<QStringList> rows;
    for (const ProductRecord& p : std::as_const(m_products))
        rows.append({p.type, p.name, p.model, p.price});
    ScreenParts::fillList(m_list, rows);
}

void CProductDlg::showProduct(const ProductRecord& record) {
    ScreenParts::showValues(m_values, {record.type, record.name, record.model, record.price,
                                       record.function, record.course});
}

void CProductDlg::clearProduct() {
    ScreenParts::clearValues(m_values);
    m_picture->setPicture(QString());
}

void CProductDlg::OnSelectionChanged() {
    const int row = m_list->GetSelectedRow();
    if (row < 0 || row >= m_products.size())
        return;
    const ProductRecord& record = m_products.at(row);
    showProduct(record);
    m_picture->setPicture(QFileInfo::exists(record.picturePath) ? record.picturePath : QString());
}

void CProductDlg::OnSearch() {
    const QString text = m_search->text();
    if (text.isEmpty())
        return;
    QList<ProductRecord> found;
    const DataResult result = m_byName->isChecked() ? m_table.searchByName(text, found)
                                                    : m_table.searchByModel(text, found);
    if (!DataTips::searchFound(result, m_table.lastError()))
        return;
    m_products = found;
    fillList();
}

void CProductDlg::OnAll() {
    listAllProducts();
}

void CProductDlg::OnAdd() {
    CProduct_DetailsDlg details(
        CProduct_DetailsDlg::ModeAdd, ProductRecord(),
        [this](ProductRecord& r) { return addProduct(r); }, this);
    details.exec();
}

void CProductDlg::OnChange() {
    const int row = selectedRecordRow(int(m_products.size()), "IDS_SELECT_PRODUCT");
    if (row < 0)
        return;
    CProduct_DetailsDlg details(
        CProduct_DetailsDlg::ModeModify, m_products.at(row),
        [this](ProductRecord& r) { return changeProduct(r); }, this);
    details.exec();
}

bool CProductDlg::addProduct(ProductRecord& record) {
    const DataResult result = m_table.add(record);
    if (!DataTips::stored(
            result, m_table.lastError(), [this] { listAllProducts(); }, "IDS_OPEN_DATA_FAILED"))
        return false;
    listAllProducts();
    DataTips::success("IDS_ADD_SUCCESS");
    return true;
}

bool CProductDlg::changeProduct(const ProductRecord& record) {
    if (m_list->GetSelectedRow() < 0)
        return false;
    const DataResult result = m_table.change(record);
    if (!DataTips::stored(
            result, m_table.lastError(), [this] { listAllProducts(); }, "IDS_OPEN_DATA_FAILED"))
        return false;
    showProduct(record);
    listAllProducts();
    DataTips::success("IDS_MOD_SUCCESS");
    return true;
}

void CProductDlg::OnDelete() {
    const int row = rowToDelete(int(m_products.size()), "IDS_SELECT_PRODUCT");
    if (row < 0)
        return;
    // The selected product by its number: another product may share its type
    // and name.
    const DataResult result = m_table.remove(m_products.at(row));
    if (result != DataResult::Ok) {
        DataTips::failure(result, m_table.lastError(), "IDS_OPEN_DATA_FAILED");
        return;
    }
    m_list->DeleteItem(row);
    m_products.removeAt(row);
    clearProduct();
}

void CProductDlg::releaseOnClose() {
    m_table.close();
}
