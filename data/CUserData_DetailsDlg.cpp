#include "CUserData_DetailsDlg.h"

#include "CGdipButton.h"
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "DataTips.h"
#include "LimitedTextEdit.h"
#include "PictureFile.h"
#include "RecordNumber.h"
#include "ScreenParts.h"
#include "TextLookup.h"

#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <QRegularExpressionValidator>

namespace {

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
    : CDetailsDlg(mode, kClientSize, parent), m_record(record), m_store(std::move(store)) {
    setObjectName(QStringLiteral("CUserData_DetailsDlg"));
    buildControls();
    m_female->setChecked(true);
    m_birthday->setDate(QDate::currentDate());
    if (mode == ModeModify)
        fillFromRecord();
}

void CUserData_DetailsDlg::buildControls() {
    QWidget* area = clientArea();
    const auto fieldEdit = [this](int id, int row, int capacity) {
        return edit(id, row, kFieldWidth, MemberRecord::maxChars(capacity));
    };

    rowCaption(1079, "IDS_MEMBER_NAME", 0);
    m_name = fieldEdit(1039, 0, MemberRecord::kNameCapacity);
    rowCaption(1080, "IDS_MEMBER_SEX", 1);
    m_male = new QRadioButton(TextLookup::text("IDS_MEMBER_SEX_MEN"), area);
    m_male->setObjectName(QStringLiteral("1059"));
    m_male->setGeometry(kFieldX, rowTop(1), 110, kRowHeight);
    m_female = new QRadioButton(TextLookup::text("IDS_MEMBER_SEX_WOMEN"), area);
    m_female->setObjectName(QStringLiteral("1060"));
    m_female->setGeometry(kFieldX + 115, rowTop(1), 115, kRowHeight);
    ScreenParts::styleRadios({m_male, m_female}, m_font);
    rowCaption(1081, "IDS_MEMBER_AGE", 2);
    m_age = fieldEdit(1047, 2, MemberRecord::kAgeCapacity);
    m_age->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), m_age));
    rowCaption(1082, "IDS_MEMBER_BIRTHDAY", 3);
    m_birthday = new QDateEdit(area);
    m_birthday->setObjectName(QStringLiteral("1061"));
    m_birthday->setGeometry(kFieldX, rowTop(3), kFieldWidth, kRowHeight);
    m_birthday->setDisplayFormat(QLatin1String(kBirthdayFormat));
    m_birthday->setCalendarPopup(true);
    m_birthday->setFont(m_font);
    rowCaption(1083, "IDS_MEMBER_PHONE", 4);
    m_phone = fieldEdit(1041, 4, MemberRecord::kPhoneCapacity);
    rowCaption(1084, "IDS_MEMBER_EMAIL", 5);
    m_email = fieldEdit(1042, 5, MemberRecord::kEmailCapacity);
    rowCaption(1085, "IDS_MEMBER_ADDRESS", 6);
    m_address = fieldEdit(1043, 6, MemberRecord::kAddressCapacity);
    rowCaption(1086, "IDS_MEMBER_OPERATE", 7);
    m_operator = fieldEdit(1044, 7, MemberRecord::kOperatorCapacity);
    rowCaption(1087, "IDS_MEMBER_REMARK", 8);
    m_remark = textEdit(1045, rowTop(8), 84, MemberRecord::maxChars(MemberRecord::kRemarkCapacity));

    buildPictureColumn(1037, 216, 1208, 244);
    CGdipButton* ok = buildButtons(1207, "IDS_OK", kClientSize.height() - 58);
    connect(ok, &QAbstractButton::clicked, this, &CUserData_DetailsDlg::OnSave);
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
    showStoredPicture(m_record.picturePath);
}

void CUserData_DetailsDlg::OnSave() {
    // The name identifies the member in searches and folders: blanks around it
    // are dropped and an empty one is refused.
    const QString name = m_name->text().trimmed();
    if (name.isEmpty()) {
        DataTips::error("IDS_INPUT_NAMEERROR");
        return;
    }
    const CTessalyApp& app = theApp();

    // A new member gets its number here; a changed one keeps the number that
    // identifies it in the table.
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

    // The picture is stored before the record, so the record never points at a
    // picture that failed to save.
    if (!pictureToStore(DataPaths::memberImageFolder(app), DataPaths::memberPictureFile(app, name),
                        DataPaths::defaultMemberPicture(app), &PictureFile::saveMemberPicture,
                        record.picturePath))
        return;

    // The dialog closes whatever the outcome: failures already showed their tips.
    m_record = record;
    if (m_store && m_store(m_record))
        DataTips::success(m_mode == ModeAdd ? "IDS_ADD_SUCCESS" : "IDS_MOD_SUCCESS");
    accept();
}
