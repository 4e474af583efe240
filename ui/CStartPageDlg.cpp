#include "CStartPageDlg.h"

#include "CTessalyApp.h"
#include "LanguageSetting.h"
#include "TextLookup.h"
#include "VelatrixVersion.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace {

QPushButton* makeButton(QWidget* parent, int id, const QRect& geometry) {
    auto* b = new QPushButton(parent);
    b->setObjectName(QString::number(id));
    b->setGeometry(geometry);
    return b;
}

} // namespace

CStartPageDlg::CStartPageDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CStartPageDlg"));
    // 1. Size and centre; place the controls.
    resize(kWidth, kHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize s = screen->size();
        move((s.width() - kWidth) / 2, (s.height() - kHeight) / 2);
    }
    m_member = makeButton(this, 1002, {120, 166, 251, 344});
    m_guest = makeButton(this, 1003, {411, 166, 251, 344});
    m_product = makeButton(this, 1005, {702, 166, 251, 344});
    m_settings = makeButton(this, 1006, {993, 166, 251, 344});
    m_close = makeButton(this, 1004, {10, 700, 50, 50});
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("1075"));
    m_language->setGeometry(1200, 10, 150, 30);
    m_version = new QLabel(this);
    m_version->setObjectName(QStringLiteral("1291"));
    m_version->setGeometry(1220, 720, 130, 30);

    // 2.-4. Language list, the remembered choice, the language index.
    m_language->addItems(
        {QStringLiteral("简体中文"), QStringLiteral("繁體中文"), QStringLiteral("English")});
    m_language->setCurrentIndex(0);
    CTessalyApp& app = theApp();
    if (QFileInfo::exists(app.settingsFile()))
        m_language->setCurrentIndex(LanguageSetting::read(app));
    m_nLanguage = m_language->currentIndex();
    app.m_nLanguage = m_nLanguage;

    // 5. The language file.
    TextLookup::chooseLanguageFile(m_nLanguage);

    // 6. Title, captions, version.
    setWindowTitle(TextLookup::text("IDS_APP_NAME"));
    setButtonCaptions();
    m_version->setText(QStringLiteral("Version : ") + QStringLiteral(VELATRIX_VERSION));

    connect(m_language, &QComboBox::currentIndexChanged, this, &CStartPageDlg::OnLanguageChanged);
    connect(m_close, &QAbstractButton::clicked, this, &CStartPageDlg::OnClose);
}

void CStartPageDlg::setButtonCaptions() {
    m_member->setText(TextLookup::text("IDS_MEMBER_MANAGE"));
    m_guest->setText(TextLookup::text("IDS_STARTDETECT"));
    m_product->setText(TextLookup::text("IDS_PRODUCT_MANAGE"));
    m_settings->setText(TextLookup::text("IDS_SETTINGS"));
}

void CStartPageDlg::OnLanguageChanged(int index) {
    CTessalyApp& app = theApp();
    m_nLanguage = index;
    app.m_nLanguage = index;
    LanguageSetting::write(app, index);
    TextLookup::chooseLanguageFile(index);
    setButtonCaptions();
}

void CStartPageDlg::OnClose() {
    reject();
}

void CStartPageDlg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
