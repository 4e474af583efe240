#include "CUserDataDlg.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "CUserData_DetailsDlg.h"
#include "DataPaths.h"
#include "DataTips.h"
#include "PictureBox.h"
#include "ScreenChrome.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

namespace {

constexpr std::array<const char*, 8> kCaptionKeys{
    "IDS_MEMBER_NAME",  "IDS_MEMBER_SEX",   "IDS_MEMBER_AGE",     "IDS_MEMBER_BIRTHDAY",
    "IDS_MEMBER_PHONE", "IDS_MEMBER_EMAIL", "IDS_MEMBER_ADDRESS", "IDS_MEMBER_OPERATE"};

} // namespace

CUserDataDlg::CUserDataDlg(MemberRecord& currentMember, QWidget* parent)
    : CRecordManageDlg(QStringLiteral("CUserDataDlg"), QStringLiteral("member_bk.bmp"), parent),
      m_current(currentMember), m_table(theApp()) {
    // The standard picture fills the picture box until a member is chosen.
    buildControls();
    setTexts();
    m_picture->setPicture(DataPaths::standardMemberPicture(theApp()));

    // The database is created when missing but never replaced when damaged:
    // a damaged file may still hold members worth rescuing.
    if (m_table.open())
        listAllMembers();
    else
        DataTips::databaseError(m_table.lastError());
}

CUserDataDlg::~CUserDataDlg() = default;

void CUserDataDlg::buildControls() {
    buildSharedControls(1048,
                        {{nullptr, 0},
                         {"IDS_MEMBER_NAME", 2},
                         {"IDS_MEMBER_SEX", 1},
                         {"IDS_MEMBER_AGE", 1},
                         {"IDS_MEMBER_BIRTHDAY", 2},
                         {"IDS_MEMBER_PHONE", 2}},
                        8, 250);

    m_search = ScreenParts::lineEdit(this, 1056, QRect(kListLeft, kTopRow + 2, 300, 44),
                                     ScreenParts::kSearchBackground,
                                     MemberRecord::maxChars(MemberRecord::kNameCapacity));
    m_search->setFont(SharedFonts::faceFont(18));
    int x = kListLeft + 310;
    m_searchButton = ScreenParts::button(this, 1057, 411, QRect(x, kTopRow, 48, 48));
    x += 58;
    m_all = ScreenParts::button(this, 1058, 412, QRect(x, kTopRow + 2, 120, 44));
    x += 130;
    m_history = ScreenParts::button(this, 1055, 412, QRect(x, kTopRow + 2, 140, 44));
    const QFont font = SharedFonts::faceFont(17);
    int y = kTopRow + 262;
    for (int i = 0; i < 8; ++i, y += 30) {
        m_captions[i] = ScreenParts::label(this, 0, QRect(kMargin, y, 96, 28));
        m_captions[i]->setObjectName(QStringLiteral("caption%1").arg(1079 + i));
        m_captions[i]->setFont(font);
        m_values[i] =
            ScreenParts::valueLabel(this, 1079 + i, QRect(kMargin + 100, y, 176, 28), font);
    }
    m_start = ScreenParts::button(
        this, 1054, 413,
        QRect(kMargin + (kColumnWidth - 180) / 2, kSize.height() - kMargin - 46, 180, 44));

    connect(m_searchButton, &QAbstractButton::clicked, this, &CUserDataDlg::OnSearch);
    connect(m_all, &QAbstractButton::clicked, this, &CUserDataDlg::OnAll);
    connect(m_history, &QAbstractButton::clicked, this, &CUserDataDlg::OnHistory);
    connect(m_start, &QAbstractButton::clicked, this, &CUserDataDlg::OnStartDetect);
    connect(m_picture, &PictureBox::doubleClicked, this, &CUserDataDlg::OnPictureDoubleClicked);
}

void CUserDataDlg::setTexts() {
    const int language = SharedFonts::currentLanguage();
    const auto label = [language](CGdipButton* b, const char* key, const QColor& colour) {
        b->SetText(TextLookup::text(key), language, 0, 0, ScreenParts::kButtonTextHeight,
                   AlignCentre, colour, 0);
    };
    setWindowTitle(TextLookup::text("IDS_MEMBER_MANAGE"));
    m_title->setText(TextLookup::text("IDS_MEMBER_MANAGE"));
    m_search->setPlaceholderText(TextLookup::text("IDS_USERDATA_INPUTNAME"));
    label(m_all, "IDS_ALL", ScreenParts::kInk);
    label(m_history, "IDS_HISTORY_RECORD", ScreenParts::kInk);
    label(m_start, "IDS_STARTDETECT", Qt::white);
    for (int i = 0; i < 8; ++i)
        m_captions[i]->setText(TextLookup::text(kCaptionKeys[i]) + QLatin1Char(':'));
}

void CUserDataDlg::listAllMembers() {
    const DataResult result = m_table.listAll(m_members);
    if (result != DataResult::Ok) {
        // The list keeps what it showed.
        DataTips::failure(result, m_table.lastError());
        return;
    }
    fillList();
}

void CUserDataDlg::fillList() {
    QList<QStringList> rows;
    for (const MemberRecord& m : std::as_const(m_members))
        rows.append({m.name, MemberRecord::sexWord(m.sex), m.age, m.birthday, m.phone});
    ScreenParts::fillList(m_list, rows);
}

void CUserDataDlg::showMember(const MemberRecord& record) {
    ScreenParts::showValues(m_values, {record.name, MemberRecord::sexWord(record.sex), record.age,
                                       record.birthday, record.phone, record.email, record.address,
                                       record.operatorName});
}

void CUserDataDlg::clearMember() {
    ScreenParts::clearValues(m_values);
    m_picture->setPicture(QString());
}

void CUserDataDlg::OnSelectionChanged() {
    const int row = m_list->GetSelectedRow();
    if (row < 0 || row >= m_members.size())
        return;
    const MemberRecord& record = m_members.at(row);
    showMember(record);
    m_picture->setPicture(QFileInfo::exists(record.picturePath) ? record.picturePath : QString());
}

void CUserDataDlg::OnSearch() {
    const QString name = m_search->text(); // as typed: the match is exact
    if (name.isEmpty())
        return;
    QList<MemberRecord> found;
    const DataResult result = m_table.search(name, found);
    if (!DataTips::searchFound(result, m_table.lastError()))
        return;
    m_members = found;
    fillList();
}

void CUserDataDlg::OnAll() {
    listAllMembers();
}

void CUserDataDlg::OnAdd() {
    CUserData_DetailsDlg details(
        CUserData_DetailsDlg::ModeAdd, MemberRecord(),
        [this](MemberRecord& r) { return addMember(r); }, this);
    details.exec();
}

void CUserDataDlg::OnChange() {
    const int row = selectedRecordRow(int(m_members.size()), "IDS_SELECT_USER");
    if (row < 0)
        return;
    CUserData_DetailsDlg details(
        CUserData_DetailsDlg::ModeModify, m_members.at(row),
        [this](MemberRecord& r) { return changeMember(r); }, this);
    details.exec();
}

bool CUserDataDlg::addMember(MemberRecord& record) {
    const DataResult result = m_table.add(record);
    if (!DataTips::stored(
            result, m_table.lastError(), [this] { listAllMembers(); }, "IDS_OPEN_DATA_FAILED"))
        return false;
    listAllMembers();
    return true;
}

bool CUserDataDlg::changeMember(const MemberRecord& record) {
    if (m_list->GetSelectedRow() < 0)
        return false;
    // A change that cannot open its query shows the engine's message alone.
    const DataResult result = m_table.change(record);
    if (!DataTips::stored(result, m_table.lastError(), [this] { listAllMembers(); }))
        return false;
    showMember(record);
    const QString picture = DataPaths::memberPictureFile(theApp(), record.name);
    listAllMembers();
    m_picture->setPicture(QFileInfo::exists(picture) ? picture : QString());
    return true;
}

void CUserDataDlg::OnDelete() {
    const int row = rowToDelete(int(m_members.size()), "IDS_SELECT_USER");
    if (row < 0)
        return;
    const MemberRecord record = m_members.at(row);
    const DataResult result = m_table.remove(record);
    if (result != DataResult::Ok) {
        DataTips::failure(result, m_table.lastError(), "IDS_OPEN_DATA_FAILED");
        return;
    }
    m_list->DeleteItem(row);
    m_members.removeAt(row);
    clearMember();
}

void CUserDataDlg::handOver(const MemberRecord& record, int fromHistory, const QString& text) {
    m_current = record.handedOver();
    m_visitOpenedFromHistory = fromHistory;
    m_handOverText = text;
    m_table.close();
    accept();
}

void CUserDataDlg::OnStartDetect() {
    const int row = m_list->GetSelectedRow();
    if (row < 0 || row >= m_members.size()) {
        DataTips::info("IDS_SELECT_USER");
        m_current.selected = 0;
        return;
    }
    const MemberRecord record = m_members.at(row);
    handOver(record, 0, record.name);
}

void CUserDataDlg::OnHistory() {
    const int row = selectedRecordRow(int(m_members.size()), "IDS_SELECT_USER");
    if (row < 0)
        return;
    const MemberRecord record = m_members.at(row);
    QString visitStamp;
    if (m_historyOpener && m_historyOpener(this, record.name, visitStamp))
        handOver(record, 1, visitStamp);
}

void CUserDataDlg::OnPictureDoubleClicked() {
    const QString file =
        QFileDialog::getOpenFileName(this, QString(), QString(), QStringLiteral("BMP file(*.bmp)"));
    if (!file.isEmpty())
        m_picture->setPicture(file);
}

void CUserDataDlg::releaseOnClose() {
    m_table.close();
    m_current.selected = 0;
}
