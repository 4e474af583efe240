#include "CProduct_DetailsDlg.h"

#include "CGdipButton.h"
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "DataTips.h"
#include "LimitedTextEdit.h"
#include "PictureBox.h"
#include "PictureFile.h"
#include "RecordNumber.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr int kCaptionX = 16;
constexpr int kFieldX = 112;
constexpr int kFieldWidth = 230;
constexpr int kRowHeight = 32;
constexpr int kRowStep = 40;
constexpr int kTextTop = 250; // function and course, below the picture
constexpr int kTextHeight = 96;

} // namespace

CProduct_DetailsDlg::CProduct_DetailsDlg(Mode mode, const ProductRecord& record, Store store,
                                         QWidget* parent)
    : CDrawnFrameDlg(parent), m_mode(mode), m_record(record), m_store(std::move(store)) {
    setObjectName(QStringLiteral("CProduct_DetailsDlg"));
    setClientSize(kClientSize);
    setCaptionText(TextLookup::text(mode == ModeAdd ? "IDS_ADD" : "IDS_MODEFY"));
    buildControls();
    if (mode == ModeModify)
        fillFromRecord();
}

void CProduct_DetailsDlg::buildControls() {
    QWidget* area = clientArea();
    ScreenParts::whiten(area);
    const QFont font = SharedFonts::faceFont(16);

    const auto caption = [&](int id, const char* key, const QRect& r, bool colon = true) {
        QLabel* l = ScreenParts::label(area, id, r);
        l->setFont(font);
        l->setText(TextLookup::text(key) + (colon ? QStringLiteral(":") : QString()));
        return l;
    };
    const auto rowCaption = [&](int id, const char* key, int row) {
        return caption(id, key,
                       QRect(kCaptionX, 14 + row * kRowStep, kFieldX - kCaptionX - 4, kRowHeight));
    };
    const auto edit = [&](int id, int row, int width, int capacity) {
        QLineEdit* e =
            ScreenParts::lineEdit(area, id, QRect(kFieldX, 14 + row * kRowStep, width, kRowHeight),
                                  ScreenParts::kEditBackground, ProductRecord::maxChars(capacity));
        e->setFont(font);
        return e;
    };
    const auto textEdit = [&](int id, int top, int capacity) {
        auto* e = new LimitedTextEdit(area);
        e->setObjectName(QString::number(id));
        e->setGeometry(kFieldX, top, kClientSize.width() - kFieldX - 16, kTextHeight);
        e->setMaxLength(ProductRecord::maxChars(capacity));
        e->setFont(font);
        e->setStyleSheet(
            QStringLiteral("QPlainTextEdit { background: %1; color: %2; border: 1px solid "
                           "rgb(230,230,230); border-radius: 4px; }")
                .arg(ScreenParts::kEditBackground.name(), ScreenParts::kInk.name()));
        return e;
    };

    rowCaption(1210, "IDS_PRODUCT_TYPE", 0);
    m_type = edit(1065, 0, kFieldWidth, ProductRecord::kTypeCapacity);
    rowCaption(1079, "IDS_PRODUCT_NAME", 1);
    m_name = edit(1039, 1, kFieldWidth, ProductRecord::kNameCapacity);
    rowCaption(1228, "IDS_PRODUCT_MODEL", 2);
    m_model = edit(1227, 2, kFieldWidth, ProductRecord::kModelCapacity);
    rowCaption(1124, "IDS_SETUP_PRICE", 3);
    m_price = edit(1125, 3, kFieldWidth - 60, ProductRecord::kPriceCapacity);
    caption(1126, "IDS_PRODUCT_PRICE_UNIT",
            QRect(kFieldX + kFieldWidth - 54, 14 + 3 * kRowStep, 54, kRowHeight), false);
    caption(1232, "IDS_PRODUCT_FUNCITON",
            QRect(kCaptionX, kTextTop, kFieldX - kCaptionX - 4, kRowHeight));
    m_function = textEdit(1222, kTextTop, ProductRecord::kFunctionCapacity);
    caption(1088, "IDS_PRODUCT_COURSE",
            QRect(kCaptionX, kTextTop + kTextHeight + 10, kFieldX - kCaptionX - 4, kRowHeight));
    m_course = textEdit(1223, kTextTop + kTextHeight + 10, ProductRecord::kCourseCapacity);

    const int pictureX = kFieldX + kFieldWidth + 24;
    const int pictureWidth = kClientSize.width() - pictureX - 16;
    m_picture = new PictureBox(area);
    m_picture->setObjectName(QStringLiteral("1123"));
    m_picture->setGeometry(pictureX, 14, pictureWidth, 166);
    m_scan = ScreenParts::button(area, 1207, 412,
                                 QRect(pictureX + (pictureWidth - 140) / 2, 190, 140, 44),
                                 TextLookup::text("IDS_SETUP_SCAN"));

    const int buttonsY = kClientSize.height() - 56;
    m_cancel = ScreenParts::button(area, 1209, 412,
                                   QRect(kClientSize.width() / 2 - 150, buttonsY, 140, 44),
                                   TextLookup::text("IDS_CANCEL"));
    m_save =
        ScreenParts::button(area, 1153, 413, QRect(kClientSize.width() / 2 + 10, buttonsY, 140, 44),
                            TextLookup::text("IDS_SAVE"), Qt::white);

    connect(m_scan, &QAbstractButton::clicked, this, &CProduct_DetailsDlg::OnScan);
    connect(m_save, &QAbstractButton::clicked, this, &CProduct_DetailsDlg::OnSave);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
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
    m_chosen = m_record.picturePath;
    m_picture->setPicture(m_chosen);
}

void CProduct_DetailsDlg::choosePicture(const QString& path) {
    m_chosen = path;
    m_pictureChosen = true;
    m_picture->setPicture(path);
}

void CProduct_DetailsDlg::OnScan() {
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Image file (*.jpg *.bmp)"));
    if (!file.isEmpty())
        choosePicture(file);
}

void CProduct_DetailsDlg::OnSave() {
    // 1. Name, type and model, trimmed, in this order.
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

    // 2.-3. The record.
    ProductRecord record = m_record;
    if (m_mode == ModeAdd)
        record.number = RecordNumber::next();
    record.type = type;
    record.name = name;
    record.model = model;
    record.price = m_price->text();
    record.function = m_function->text();
    record.course = m_course->text();

    // 4.-5. The picture, at most 500 pixels wide.
    QDir().mkpath(DataPaths::productImageFolder(app));
    const QString target = DataPaths::productPictureFile(app, name);
    if (!m_chosen.isEmpty() && QFileInfo::exists(m_chosen)) {
        if (m_mode == ModeModify && !m_pictureChosen) {
            // The mirror file of the product's name may be a namesake's picture:
            // keep the stored one.
            record.picturePath.clear();
        } else {
            QString error;
            if (!PictureFile::saveProductPicture(m_chosen, target, &error)) {
                DataTips::databaseError(error);
                return;
            }
            record.picturePath = target;
        }
    } else {
        record.picturePath = DataPaths::defaultProductPicture(app);
    }

    // 6.-7. Store (the screen shows the outcome) and close.
    m_record = record;
    if (m_store)
        m_store(m_record);
    accept();
}

void CProduct_DetailsDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenParts::swallowsKey(event))
        CDrawnFrameDlg::keyPressEvent(event);
}
