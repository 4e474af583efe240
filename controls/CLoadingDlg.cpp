#include "CLoadingDlg.h"

#include "CPictureEx.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QTimerEvent>

namespace {

constexpr QColor kBackground{244, 244, 244};
constexpr QColor kGrey{80, 80, 80};
constexpr int kGifId = 362;
constexpr int kMaxDots = 3;

} // namespace

CLoadingDlg::CLoadingDlg(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint), m_owner(owner) {
    setObjectName(QStringLiteral("341"));
    setFixedSize(kSize);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, kBackground);
    pal.setColor(QPalette::WindowText, kGrey);
    setPalette(pal);
    setAutoFillBackground(true);

    m_picture = new CPictureEx(this);
    m_picture->setObjectName(QStringLiteral("1244"));
    m_picture->setGeometry(170, 60, 300, 300);

    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("1294"));
    m_text->setGeometry(0, 360, 640, 120);
    m_text->setAlignment(Qt::AlignCenter);
}

QRect CLoadingDlg::placement(const QPoint& ownerTopLeft) {
    return QRect(ownerTopLeft + QPoint(446, 90), kSize);
}

QString CLoadingDlg::progressText() const {
    return m_text->text();
}

void CLoadingDlg::showEvent(QShowEvent* event) {
    // Every run starts afresh: the text without dots, the animation from frame 0.
    if (m_owner)
        setGeometry(placement(m_owner->frameGeometry().topLeft()));
    m_text->setFont(SharedFonts::title());
    m_baseText = TextLookup::text("IDS_ANALYSISING");
    m_text->setText(m_baseText);
    m_dots = 0;
    if (m_picture->Load(kGifId, QStringLiteral("GIF")))
        m_picture->Draw();
    if (m_timer)
        killTimer(m_timer);
    m_timer = startTimer(kDotIntervalMs);
    m_closing = false;
    QDialog::showEvent(event);
}

void CLoadingDlg::hideEvent(QHideEvent* event) {
    if (m_timer)
        killTimer(m_timer);
    m_timer = 0;
    m_picture->Stop();
    QDialog::hideEvent(event);
}

void CLoadingDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() == m_timer)
        OnDotTimer();
}

void CLoadingDlg::OnDotTimer() {
    ++m_dots;
    if (m_dots > kMaxDots) {
        m_dots = 0;
        m_text->setText(m_baseText);
    } else {
        m_text->setText(m_text->text() + '.');
    }
}

void CLoadingDlg::OnCancel() {
    m_closing = true;
    done(QDialog::Rejected);
}

void CLoadingDlg::PostCancel() {
    QMetaObject::invokeMethod(this, &CLoadingDlg::OnCancel, Qt::QueuedConnection);
}

void CLoadingDlg::keyPressEvent(QKeyEvent* event) {
    // Escape and Enter would leave the main window usable while the run writes.
    if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_Return ||
        event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CLoadingDlg::closeEvent(QCloseEvent* event) {
    if (!m_closing) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void CLoadingDlg::reject() {
    if (m_closing)
        QDialog::reject();
}
