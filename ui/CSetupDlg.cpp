#include "CSetupDlg.h"

#include "CGdipButton.h"
#include "CNetCameraCapture.h"
#include "CSuggestionDlg.h"
#include "CTessalyApp.h"
#include "IniFile.h"
#include "Presetting.h"
#include "ScreenChrome.h"
#include "SharedFonts.h"
#include "SkinItem.h"
#include "TextLookup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QScreen>

namespace {

const QString kFieldStyle = QStringLiteral("color: rgb(80,80,80); background: rgb(187,211,238);"
                                           " border: none; padding: 0 6px;");

const QString kSetupSection = QStringLiteral("setup");
const QString kDefaultNetCamera = QString::fromLatin1(CNetCameraCapture::defaultAddress);

// Four numbers 0-255 separated by dots: the only form the camera address takes.
bool isCameraAddress(const QString& text) {
    const QStringList parts = text.split('.');
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        bool ok = false;
        const int n = part.toInt(&ok);
        if (!ok || part.isEmpty() || part.size() > 3 || n < 0 || n > 255 || part.startsWith('+'))
            return false;
    }
    return true;
}

QLabel* makeLabel(QWidget* parent, int id, const QString& text, const QFont& font,
                  const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::number(id));
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("background: transparent; color: %1;").arg(colour.name()));
    return label;
}

} // namespace

CSetupDlg::CSetupDlg(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CSetupDlg"));
    resize(kSize);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(kSize.width() / 2, kSize.height() / 2));
    }
    const CTessalyApp& app = theApp();
    const int language = app.m_nLanguage;
    const QColor grey(80, 80, 80);

    // Captions take the fonts of the current language, which the start page chose.
    m_title =
        makeLabel(this, 1007, TextLookup::text("IDS_SETTINGS"), SharedFonts::title(), Qt::white);
    m_title->setGeometry(30, 8, 600, 44);
    QLabel* itemLabel =
        makeLabel(this, 1210, TextLookup::text("IDS_DETECT_ITEM"), SharedFonts::label(), grey);
    itemLabel->setGeometry(40, 64, 140, 36);
    m_items = new QComboBox(this);
    m_items->setObjectName(QStringLiteral("1287"));
    m_items->setFont(SharedFonts::label());
    m_items->setStyleSheet(QStringLiteral("QComboBox { ") + kFieldStyle + QStringLiteral(" }"));
    for (const SkinItem& item : kSkinItems)
        m_items->addItem(TextLookup::text(item.textKey));
    m_items->setGeometry(180, 64, 220, 36);
    QLabel* orgLabel =
        makeLabel(this, 1224, TextLookup::text("IDS_JG_NAME"), SharedFonts::label(), grey);
    orgLabel->setGeometry(440, 64, 140, 36);
    m_orgName = new QLineEdit(this);
    m_orgName->setObjectName(QStringLiteral("1218"));
    m_orgName->setFont(SharedFonts::label());
    m_orgName->setStyleSheet(kFieldStyle);
    m_orgName->setGeometry(580, 64, 380, 36);
    m_orgName->setText(Presetting::orgName(app));
    // The name is stored like a graded text: only what comes back whole.
    connect(m_orgName, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (Presetting::storedLength(text) > Presetting::kMaxStoredChars)
            m_orgName->setText(Presetting::fitToLimit(text));
    });

    m_save = new CGdipButton(this);
    m_save->setObjectName(QStringLiteral("1207"));
    m_save->LoadStdImage(413);
    m_save->SetText(TextLookup::text("IDS_SAVE"), language, 0, 6, 18, AlignCentre, Qt::white, 0);
    m_save->setGeometry(kSize.width() - 200, 60, 140, 44);
    m_close = new CGdipButton(this);
    m_close->setObjectName(QStringLiteral("1209"));
    m_close->LoadStdImage(351);
    m_close->setGeometry(kSize.width() - 48, 8, 38, 38);

    const QRect client = rect();
    for (int i = 0; i < 8; ++i) {
        m_editors[i] = new CSuggestionDlg(i, this);
        m_editors[i]->setGeometry(client.left() + 40, client.top() + 110, client.width() - 80,
                                  client.height() - 150);
        m_editors[i]->setVisible(i == 0);
    }
    m_items->setCurrentIndex(0);

    const QString settings = app.settingsFile();
    QLabel* cameraLabel = makeLabel(this, 1291, TextLookup::text("IDS_NETCAMERA_ADDRESS"),
                                    SharedFonts::label(), grey);
    cameraLabel->setGeometry(40, kSize.height() - 38, 220, 32);
    m_netCamera = new QLineEdit(this);
    m_netCamera->setObjectName(QStringLiteral("1288"));
    m_netCamera->setFont(SharedFonts::label());
    m_netCamera->setStyleSheet(kFieldStyle);
    m_netCamera->setMaxLength(15);
    m_netCamera->setGeometry(270, kSize.height() - 38, 220, 32);
    m_netCamera->setText(
        IniFile::read(settings, kSetupSection, QStringLiteral("netcamera"), kDefaultNetCamera, 16));
    m_netCameraAuto = new QCheckBox(TextLookup::text("IDS_NETCAMERA_AUTO"), this);
    m_netCameraAuto->setObjectName(QStringLiteral("1289"));
    m_netCameraAuto->setFont(SharedFonts::label());
    m_netCameraAuto->setStyleSheet(
        QStringLiteral("color: rgb(80,80,80); background: transparent;"));
    m_netCameraAuto->setGeometry(520, kSize.height() - 38, 600, 32);
    m_netCameraAuto->setChecked(
        IniFile::readInt(settings, kSetupSection, QStringLiteral("netcamera_auto"), 0) == 1);

    connect(m_items, &QComboBox::currentIndexChanged, this, &CSetupDlg::OnItemChanged);

    // A damaged presetting file is named once, as the screen opens; it is shown
    // with the shipped texts and never overwritten.
    const QString damage = Presetting::damageReport(app);
    if (!damage.isEmpty())
        app.ShowTip(damage, CTessalyApp::TipError);
    connect(m_save, &QAbstractButton::clicked, this, &CSetupDlg::OnSave);
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);
}

int CSetupDlg::shownEditor() const {
    for (int i = 0; i < 8; ++i) {
        if (m_editors[i]->isVisibleTo(this))
            return i;
    }
    return -1;
}

void CSetupDlg::OnItemChanged(int index) {
    for (CSuggestionDlg* editor : m_editors)
        editor->hide();
    if (index >= 0 && index < 8) {
        m_editors[index]->show();
        m_editors[index]->update();
    }
}

void CSetupDlg::OnSave() {
    const CTessalyApp& app = theApp();
    // A mistyped camera address is refused before anything is written.
    const QString cameraAddress = m_netCamera->text().trimmed();
    if (!isCameraAddress(cameraAddress)) {
        app.ShowTip(TextLookup::text("IDS_NETCAMERA_INVALID"), CTessalyApp::TipError);
        return;
    }
    // Both camera keys in one replacement of "Setup.ini".
    const bool cameraSaved = IniFile::writeMany(
        app.settingsFile(), kSetupSection,
        {{QStringLiteral("netcamera"), cameraAddress},
         {QStringLiteral("netcamera_auto"),
          m_netCameraAuto->isChecked() ? QStringLiteral("1") : QStringLiteral("0")}});
    if (!cameraSaved) {
        app.ShowTip(TextLookup::text("IDS_WARN_CATCH") + QStringLiteral("Setup.ini"),
                    CTessalyApp::TipError);
        return;
    }
    // Every page and the organisation name in one replacement of the file:
    // a failure leaves the old file whole, never a mix of old and new texts.
    QList<QPair<QString, QString>> entries;
    for (CSuggestionDlg* editor : m_editors)
        entries += editor->entries();
    entries.append({QStringLiteral("OrgName"), m_orgName->text()});
    QString error;
    // A file that could not be written is reported, never announced as saved.
    if (Presetting::save(app, entries, &error))
        app.ShowTip(TextLookup::text("IDS_SAVE_SUCCESS"), CTessalyApp::TipSuccess);
    else
        app.ShowTip(TextLookup::text("IDS_WARN_CATCH") +
                        QStringLiteral("PreSetting/presetting.ini"),
                    CTessalyApp::TipError);
}

void CSetupDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        QDialog::keyPressEvent(event);
}

void CSetupDlg::paintEvent(QPaintEvent*) {
    ScreenChrome::paintSkin(*this, QStringLiteral("settings_bk.bmp"));
}
