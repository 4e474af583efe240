#include "CMessageBoxDLg.h"

#include "CGdipButton.h"
#include "SharedFonts.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

namespace {

constexpr QColor kGrey{80, 80, 80};
constexpr QColor kAccent{247, 111, 137};
constexpr int kLabelBaseHeight = 16;

} // namespace

CMessageBoxDLg::CMessageBoxDLg(const QString& message, const QString& first, const QString& second,
                               QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), m_message(message), m_first(first),
      m_second(second) {
    setObjectName(QStringLiteral("353"));
    setWindowTitle(message);
    setFixedSize(kSize);

    m_text = new QLabel(message, this);
    m_text->setObjectName(QStringLiteral("1097"));
    m_text->setGeometry(20, 24, kSize.width() - 40, 140);
    m_text->setFont(SharedFonts::message());
    m_text->setAlignment(Qt::AlignCenter);
    m_text->setWordWrap(true);
    QPalette textPalette = m_text->palette();
    textPalette.setColor(QPalette::WindowText, kGrey);
    m_text->setPalette(textPalette);

    const int language = SharedFonts::currentLanguage();
    m_ok = new CGdipButton(this);
    m_ok->setObjectName(QStringLiteral("1207"));
    m_ok->setGeometry(310, 186, 160, 50);
    m_ok->LoadStdImage(413);
    m_ok->SetText(first, language, 0, 0, kLabelBaseHeight, AlignCentre, Qt::white, 0);
    connect(m_ok, &QAbstractButton::clicked, this, &CMessageBoxDLg::accept);

    m_cancel = new CGdipButton(this);
    m_cancel->setObjectName(QStringLiteral("1208"));
    m_cancel->setGeometry(90, 186, 160, 50);
    m_cancel->LoadStdImage(412);
    m_cancel->SetText(second, language, 0, 0, kLabelBaseHeight, AlignCentre, kGrey, 0);
    connect(m_cancel, &QAbstractButton::clicked, this, &CMessageBoxDLg::reject);
}

int CMessageBoxDLg::Ask(const QString& message, const QString& first, const QString& second) {
    CMessageBoxDLg box(message, first, second);
    return box.exec() == Confirmed ? Confirmed : Declined;
}

void CMessageBoxDLg::accept() {
    done(Confirmed);
}

void CMessageBoxDLg::reject() {
    done(Declined);
}

void CMessageBoxDLg::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        accept();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void CMessageBoxDLg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    // A thin accent edge keeps the white box apart from white screens behind it.
    p.setPen(kAccent);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}
