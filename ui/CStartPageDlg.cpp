#include "CStartPageDlg.h"

#include "CGdiPlusBitmapResource.h"
#include "CGdipButton.h"
#include "CHistoryRecordDlg.h"
#include "CMainDlg.h"
#include "CProductDlg.h"
#include "CSetupDlg.h"
#include "CTessalyApp.h"
#include "CUserDataDlg.h"
#include "CurrentMember.h"
#include "LanguageSetting.h"
#include "ScreenChrome.h"
#include "SharedFonts.h"
#include "TextLookup.h"
#include "VelatrixVersion.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QScreen>

namespace {

CGdipButton* makeButton(QWidget* parent, int id, int picture, const QRect& geometry) {
    auto* b = new CGdipButton(parent);
    b->setObjectName(QString::number(id));
    b->LoadStdImage(picture);
    b->setGeometry(geometry);
    return b;
}

} // namespace

CStartPageDlg::~CStartPageDlg() {
    CurrentMember::set(nullptr);
}

CStartPageDlg::CStartPageDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CStartPageDlg"));
    CurrentMember::set(&m_currentMember);
    // The page has a fixed size and sits in the middle of the background window.
    CGdiPlusBitmapResource background;
    if (background.Load(439, QStringLiteral("BITMAP")))
        m_background = QPixmap::fromImage(background.image());
    resize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize s = screen->size();
        move((s.width() - kWidth) / 2, (s.height() - kHeight) / 2);
    }
    m_member = makeButton(this, 1002, 405, {120, 166, 251, 344});
    m_guest = makeButton(this, 1003, 408, {411, 166, 251, 344});
    m_product = makeButton(this, 1005, 406, {702, 166, 251, 344});
    m_settings = makeButton(this, 1006, 407, {993, 166, 251, 344});
    m_close = makeButton(this, 1004, 242, {10, 700, 50, 50});
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("1075"));
    m_language->setGeometry(1200, 10, 150, 30);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("1291"));
    m_version->setGeometry(1220, 720, 130, 30);
    m_version->setStyleSheet(QStringLiteral("color: rgb(80,80,80); background: transparent;"));

    // Simplified Chinese until a choice has been saved in the settings file.
    m_language->addItems(
        {QStringLiteral("简体中文"), QStringLiteral("繁體中文"), QStringLiteral("English")});
    m_language->setCurrentIndex(0);
    CTessalyApp& app = theApp();
    if (QFileInfo::exists(app.settingsFile()))
        m_language->setCurrentIndex(LanguageSetting::read(app));
    m_nLanguage = m_language->currentIndex();
    app.m_nLanguage = m_nLanguage;

    // Fonts first: the captions below are laid out in the language's fonts.
    SharedFonts::rebuild(m_nLanguage);
    TextLookup::chooseLanguageFile(m_nLanguage);

    // The version comes from the build, so the page always shows the running one.
    setWindowTitle(TextLookup::text("IDS_APP_NAME"));
    setButtonCaptions();
    m_language->setFont(SharedFonts::label());
    m_version->setText(QStringLiteral("Version : ") + QStringLiteral(VELATRIX_VERSION));

    connect(m_language, &QComboBox::currentIndexChanged, this, &CStartPageDlg::OnLanguageChanged);
    connect(m_member, &QAbstractButton::clicked, this, &CStartPageDlg::OnMemberManage);
    connect(m_guest, &QAbstractButton::clicked, this, &CStartPageDlg::OnGuestStart);
    connect(m_product, &QAbstractButton::clicked, this, &CStartPageDlg::OnProductManage);
    connect(m_settings, &QAbstractButton::clicked, this, &CStartPageDlg::OnSettings);
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);
}

void CStartPageDlg::setButtonCaptions() {
    const QColor grey(80, 80, 80);
    const std::pair<CGdipButton*, const char*> captions[] = {
        {m_member, "IDS_MEMBER_MANAGE"},
        {m_guest, "IDS_STARTDETECT"},
        {m_product, "IDS_PRODUCT_MANAGE"},
        {m_settings, "IDS_SETTINGS"},
    };
    for (auto [button, key] : captions)
        button->SetText(TextLookup::text(key), m_nLanguage, 0, 20, 40, AlignCentre, grey, 0.6);
}

void CStartPageDlg::OnLanguageChanged(int index) {
    CTessalyApp& app = theApp();
    // Every screen opened from now on reads the language from the application state.
    m_nLanguage = index;
    app.m_nLanguage = index;
    SharedFonts::rebuild(index);
    m_language->setFont(SharedFonts::label());
    // The next start opens in the same language.
    LanguageSetting::write(app, index);
    TextLookup::chooseLanguageFile(index);
    // Only the big captions and buttons change at once; the title and version
    // keep their language until the page opens again.
    setButtonCaptions();
    for (CGdipButton* b : {m_member, m_guest, m_product, m_settings, m_close})
        b->update();
}

void CStartPageDlg::OnMemberManage() {
    CUserDataDlg members(m_currentMember, this);
    members.setHistoryOpener(&CStartPageDlg::openHistory);
    if (members.exec() == QDialog::Accepted)
        runMainWindow(members.visitOpenedFromHistory(), members.handOverText());
    m_currentMember.selected = 0;
}

bool CStartPageDlg::openHistory(QWidget* parent, const QString& memberName, QString& visitStamp) {
    CHistoryRecordDlg history(memberName, parent);
    if (history.exec() != QDialog::Accepted)
        return false;
    visitStamp = history.visitStamp();
    return true;
}

void CStartPageDlg::fillGuest(MemberRecord& record) {
    const auto cut = [](const QString& text, int capacity) {
        return text.left(MemberRecord::maxChars(capacity));
    };
    // Nothing of a member handed over earlier stays with the guest.
    record = MemberRecord{};
    record.name = cut(TextLookup::text("IDS_MEMBER_DEFAULT_CUSTOMER"), MemberRecord::kNameCapacity);
    record.age = cut(QStringLiteral("25"), MemberRecord::kAgeCapacity);
    record.sex = cut(TextLookup::text("IDS_MEMBER_SEX_WOMEN"), MemberRecord::kSexCapacity);
    record.selected = 0;
}

void CStartPageDlg::OnGuestStart() {
    fillGuest(m_currentMember);
    runMainWindow(0, QString());
    m_currentMember.selected = 0;
}

void CStartPageDlg::runMainWindow(int fromHistory, const QString& visitFolder) {
    CMainDlg main(fromHistory, visitFolder, this);
    main.exec();
}

void CStartPageDlg::OnProductManage() {
    CProductDlg products(this);
    products.exec();
}

void CStartPageDlg::OnSettings() {
    CSetupDlg settings(this);
    settings.exec();
}

void CStartPageDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        QDialog::keyPressEvent(event);
}

void CStartPageDlg::paintEvent(QPaintEvent*) {
    if (m_background.isNull())
        return;
    QPainter p(this);
    p.drawTiledPixmap(rect(), m_background);
}
