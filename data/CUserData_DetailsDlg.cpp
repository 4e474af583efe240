#include "CUserData_DetailsDlg.h"

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

#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

constexpr int kCaptionX = 16;
constexpr int kFieldX = 112;
constexpr int kFieldWidth = 230;
constexpr int kRowHeight = 32;
constexpr int kRowStep = 40;
constexpr char kBirthdayFormat[] = "yyyy/MM/dd";

QDate dateOf(const QString& text) {
    for (const char* format : {"yyyy/MM/dd", "yyyy/M/d", "yyyy-MM-dd", "yyyy-M-d", "yyyy.M.d"}) {
        const QDate d = QDate::fromString(text.trimmed(), QLatin1String(format));
        if (d.isValid())
            return d;
    }
    return {};
}

} // namespace

CUserData_DetailsDlg::CUserData_DetailsDlg(Mode mode, const MemberRecord& record, Store store,
                                           QWidget* parent)
    : CDrawnFrameDlg(parent), m_mode(mode), m_record(record), m_store(std::move(store)) {
    setObjectName(QStringLiteral("CUserData_DetailsDlg"));
    setClientSize(kClientSize);
    setCaptionText(TextLookup::text(mode == ModeAdd ? "IDS_ADD" : "IDS_MODEFY"));
    buildControls();
    m_female->setChecked(true);
    m_birthday->setDate(QDate::currentDate());
    if (mode == ModeModify)
        fillFromRecord();
}

void CUserData_DetailsDlg::buildControls() {
    QWidget* area = clientArea();
    ScreenParts::whiten(area);
    const QFont font = SharedFonts::faceFont(16);

    const auto caption = [&](int id, const char* key, int row) {
        QLabel* l = ScreenParts::label(
            area, id, QRect(kCaptionX, 14 + row * kRowStep, kFieldX - kCaptionX - 4, kRowHeight));
        l->setFont(font);
        l->setText(TextLookup::text(key) + QLatin1Char(':'));
        return l;
    };
    const auto edit = [&](int id, int row, int capacity) {
        QLineEdit* e = ScreenParts::lineEdit(
            area, id, QRect(kFieldX, 14 + row * kRowStep, kFieldWidth, kRowHeight),
            ScreenParts::kEditBackground, MemberRecord::maxChars(capacity));
        e->setFont(font);
        return e;
    };

    caption(1079, "IDS_MEMBER_NAME", 0);
    m_name = edit(1039, 0, MemberRecord::kNameCapacity);
    caption(1080, "IDS_MEMBER_SEX", 1);
    m_male = new QRadioButton(TextLookup::text("IDS_MEMBER_SEX_MEN"), area);
    m_male->setObjectName(QStringLiteral("1059"));
    m_male->setGeometry(kFieldX, 14 + kRowStep, 110, kRowHeight);
    m_female = new QRadioButton(TextLookup::text("IDS_MEMBER_SEX_WOMEN"), area);
    m_female->setObjectName(QStringLiteral("1060"));
    m_female->setGeometry(kFieldX + 115, 14 + kRowStep, 115, kRowHeight);
    for (QRadioButton* r : {m_male, m_female}) {
        r->setFont(font);
        r->setStyleSheet(QStringLiteral("color: %1;").arg(ScreenParts::kInk.name()));
    }
    caption(1081, "IDS_MEMBER_AGE", 2);
    m_age = edit(1047, 2, MemberRecord::kAgeCapacity);
    m_age->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_age));
    caption(1082, "IDS_MEMBER_BIRTHDAY", 3);
    m_birthday = new QDateEdit(area);
    m_birthday->setObjectName(QStringLiteral("1061"));
    m_birthday->setGeometry(kFieldX, 14 + 3 * kRowStep, kFieldWidth, kRowHeight);
    m_birthday->setDisplayFormat(QLatin1String(kBirthdayFormat));
    m_birthday->setCalendarPopup(true);
    m_birthday->setFont(font);
    caption(1083, "IDS_MEMBER_PHONE", 4);
    m_phone = edit(1041, 4, MemberRecord::kPhoneCapacity);
    caption(1084, "IDS_MEMBER_EMAIL", 5);
    m_email = edit(1042, 5, MemberRecord::kEmailCapacity);
    caption(1085, "IDS_MEMBER_ADDRESS", 6);
    m_address = edit(1043, 6, MemberRecord::kAddressCapacity);
    caption(1086, "IDS_MEMBER_OPERATE", 7);
    m_operator = edit(1044, 7, MemberRecord::kOperatorCapacity);
    caption(1087, "IDS_MEMBER_REMARK", 8);
    m_remark = new LimitedTextEdit(area);
    m_remark->setObjectName(QStringLiteral("1045"));
    m_remark->setGeometry(kFieldX, 14 + 8 * kRowStep, kClientSize.width() - kFieldX - 16, 84);
    m_remark->setMaxLength(MemberRecord::maxChars(MemberRecord::kRemarkCapacity));
    m_remark->setFont(font);
    m_remark->setStyleSheet(
        QStringLiteral("QPlainTextEdit { background: %1; color: %2; border: "
                       "1px solid rgb(230,230,230); border-radius: 4px; }")
            .arg(ScreenParts::kEditBackground.name(), ScreenParts::kInk.name()));

    const int pictureX = kFieldX + kFieldWidth + 24;
    const int pictureWidth = kClientSize.width() - pictureX - 16;
    m_picture = new PictureBox(area);
    m_picture->setObjectName(QStringLiteral("1037"));
    m_picture->setGeometry(pictureX, 14, pictureWidth, 216);
    m_scan = ScreenParts::button(area, 1208, 412,
                                 QRect(pictureX + (pictureWidth - 140) / 2, 244, 140, 44),
                                 TextLookup::text("IDS_SETUP_SCAN"));

    const int buttonsY = kClientSize.height() - 58;
    m_cancel = ScreenParts::button(area, 1209, 412,
                                   QRect(kClientSize.width() / 2 - 150, buttonsY, 140, 44),
                                   TextLookup::text("IDS_CANCEL"));
    m_ok =
        ScreenParts::button(area, 1207, 413, QRect(kClientSize.width() / 2 + 10, buttonsY, 140, 44),
                            TextLookup::text("IDS_OK"), Qt::white);

    connect(m_scan, &QAbstractButton::clicked, this, &CUserData_DetailsDlg::OnScan);
    connect(m_ok, &QAbstractButton::clicked, this, &CUserData_DetailsDlg::OnSave);
    connect(m_cancel, &QAbstractButton::clicked, this, &QDialog::reject);
}

void CUserData_DetailsDlg::fillFromRecord() {
    const auto put = [](QLineEdit* e, const QString& text, int capacity) {
        ScreenParts::setTextWithin(e, text, MemberRecord::maxChars(capacity));
    };
    put(m_name, m_record.name, MemberRecord::kNameCapacity);
    put(m_age, m_record.age, MemberRecord::kAgeCapacity);
    put(m_phone, m_record.phone, MemberRecord::kPhoneCapacity);
    put(m_email, m_record.email, MemberRecord::kEmailCapacity);
    put(m_address, m_record.address, MemberRecord::kAddressCapacity);
    put(m_operator, m_record.operatorName, MemberRecord::kOperatorCapacity);
    m_remark->setText(m_record.remark);
    const bool male = m_record.sex == QLatin1String("0");
    m_male->setChecked(male);
    m_female->setChecked(!male);
    const QDate birthday = dateOf(m_record.birthday);
    if (birthday.isValid())
        m_birthday->setDate(birthday);
    m_chosen = m_record.picturePath;
    m_picture->setPicture(m_chosen);
}

void CUserData_DetailsDlg::choosePicture(const QString& path) {
    m_chosen = path;
    m_pictureChosen = true;
    m_picture->setPicture(path);
}

void CUserData_DetailsDlg::OnScan() {
    const QString file = QFileDialog::getOpenFileName(this, QString(), QString(),
                                                      QStringLiteral("Image file (*.jpg *.bmp)"));
    if (!file.isEmpty())
        choosePicture(file);
}

void CUserData_DetailsDlg::OnSave() {
    // 1. The name, without surrounding white space, must not be empty.
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        DataTips::error("IDS_INPUT_NAMEERROR");
        return;
    }
    const CTessalyApp& app = theApp();

    // 2.-4. The record.
    MemberRecord record = m_record;
    if (m_mode == ModeAdd)
        record.number = RecordNumber::next();
    record.name = name;
    record.sex = m_male->isChecked() ? QStringLiteral("0") : QStringLiteral("1");
    record.age = m_age->text();
    record.birthday = m_birthday->date().toString(QLatin1String(kBirthdayFormat));
    record.phone = m_phone->text();
    record.email = m_email->text();
    record.address = m_address->text();
    record.operatorName = m_operator->text();
    record.remark = m_remark->text();

    // 5.-6. The picture.
    QDir().mkpath(DataPaths::memberImageFolder(app));
    const QString target = DataPaths::memberPictureFile(app, name);
    if (!m_chosen.isEmpty() && QFileInfo::exists(m_chosen)) {
        if (m_mode == ModeModify && !m_pictureChosen) {
            // The picture shown is the mirror file of the member's name, which a
            // namesake may have written: keep the stored picture instead of
            // importing that file. The next listing writes it under the new name.
            record.picturePath.clear();
        } else {
            QString error;
            if (!PictureFile::saveMemberPicture(m_chosen, target, &error)) {
                DataTips::databaseError(error);
                return;
            }
            record.picturePath = target;
        }
    } else {
        record.picturePath = DataPaths::defaultMemberPicture(app);
    }

    // 7. Store; the dialog closes whatever the outcome (failures showed their tips).
    m_record = record;
    if (m_store && m_store(m_record))
        DataTips::success(m_mode == ModeAdd ? "IDS_ADD_SUCCESS" : "IDS_MOD_SUCCESS");
    accept();
}

void CUserData_DetailsDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenParts::swallowsKey(event))
        CDrawnFrameDlg::keyPressEvent(event);
}
