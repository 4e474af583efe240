#include "CProduct_DetailsDlg.h"

#include "CGdipButton.h"
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "DataTips.h"
#include "LimitedTextEdit.h"
#include "PictureFile.h"
#include "RecordNumber.h"
#include "ScreenParts.h"

#include <QLineEdit>

namespace {

constexpr int kTextTop = 250; // function and course, below the picture
constexpr int kTextHeight = 96;

} // namespace

CProduct_DetailsDlg::CProduct_DetailsDlg(Mode mode, const ProductRecord& record, Store store,
                                         QWidget* parent)
    : CDetailsDlg(mode, kClientSize, parent), m_record(record), m_store(std::move(store)) {
    setObjectName(QStringLiteral("CProduct_DetailsDlg"));
    buildControls();
    if (mode == ModeModify)
        fillFromRecord();
}

void CProduct_DetailsDlg::buildControls() {
    const auto limit = [](int capacity) { return ProductRecord::maxChars(capacity); };
    rowCaption(1210, "IDS_PRODUCT_TYPE", 0);
    m_type = edit(1065, 0, kFieldWidth, limit(ProductRecord::kTypeCapacity));
    rowCaption(1079, "IDS_PRODUCT_NAME", 1);
    m_name = edit(1039, 1, kFieldWidth, limit(ProductRecord::kNameCapacity));
    rowCaption(1228, "IDS_PRODUCT_MODEL", 2);
    m_model = edit(1227, 2, kFieldWidth, limit(ProductRecord::kModelCapacity));
    rowCaption(1124, "IDS_SETUP_PRICE", 3);
    m_price = edit(1125, 3, kFieldWidth - 60, limit(ProductRecord::kPriceCapacity));
    caption(1126, "IDS_PRODUCT_PRICE_UNIT",
            QRect(kFieldX + kFieldWidth - 54, rowTop(3), 54, kRowHeight), false);
    captionAt(1232, "IDS_PRODUCT_FUNCITON", kTextTop);
    m_function = textEdit(1222, kTextTop, kTextHeight, limit(ProductRecord::kFunctionCapacity));
    const int courseTop = kTextTop + kTextHeight + 10;
    captionAt(1088, "IDS_PRODUCT_COURSE", courseTop);
    m_course = textEdit(1223, courseTop, kTextHeight, limit(ProductRecord::kCourseCapacity));

    buildPictureColumn(1123, 166, 1207, 190);
    CGdipButton* save = buildButtons(1153, "IDS_SAVE", kClientSize.height() - 56);
    connect(save, &QAbstractButton::clicked, this, &CProduct_DetailsDlg::OnSave);
}

void CProduct_DetailsDlg::fillFromRecord() {
    const auto put = [](QLineEdit* e, const QString& text, int capacity) {
        ScreenParts::setTextWithin(e, text, ProductRecord::maxChars(capacity));
    };
    put(m_type, m_record.type, ProductRecord::kTypeCapacity);
    put(m_name, m_record.name, ProductRecord::kNameCapacity);
    put(m_model, m_record.model, ProductRecord::kModelCapacity);
    put(m_price, m_record.price, ProductRecord::kPriceCapacity);
    m_function->setText(m_record.function);
    m_course->setText(m_record.course);
    showStoredPicture(m_record.picturePath);
}

void CProduct_DetailsDlg::OnSave() {
    // Stray blanks around a name would make two products look alike, and the
    // operator hears about the first missing field in the order of the form.
    const QString name = m_name->text().trimmed();
    const QString type = m_type->text().trimmed();
    const QString model = m_model->text().trimmed();
    if (name.isEmpty()) {
        DataTips::error("IDS_PRODUCT_NAME_NOT_NULL");
        return;
    }
    if (type.isEmpty()) {
        DataTips::error("IDS_PRODUCT_TYPE_NOT_NULL");
        return;
    }
    if (model.isEmpty()) {
        DataTips::error("IDS_PRODUCT_MODEL_NOT_NULL");
        return;
    }
    const CTessalyApp& app = theApp();

    // A new product gets its number here; a changed one keeps the number that
    // identifies it in the table.
    ProductRecord record = m_record;
    if (m_mode == ModeAdd)
        record.number = RecordNumber::next();
    record.type = type;
    record.name = name;
    record.model = model;
    record.price = m_price->text();
    record.function = m_function->text();
    record.course = m_course->text();

    // The picture is stored before the record, so the record never points at a
    // picture that failed to save; it is kept at most 500 pixels wide.
    if (!pictureToStore(DataPaths::productImageFolder(app),
                        DataPaths::productPictureFile(app, name),
                        DataPaths::defaultProductPicture(app), &PictureFile::saveProductPicture,
                        record.picturePath))
        return;

    // The management screen stores the record and shows the outcome itself.
    m_record = record;
    if (m_store)
        m_store(m_record);
    accept();
}
