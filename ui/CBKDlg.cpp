#include "CBKDlg.h"

#include "CStartPageDlg.h"
#include "CTessalyApp.h"
#include "ScreenChrome.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimerEvent>

CBKDlg::CBKDlg(QWidget* parent) : QDialog(parent, Qt::Window | Qt::FramelessWindowHint) {
    setObjectName(QStringLiteral("CBKDlg"));
    setWindowTitle(QStringLiteral("Velatrix"));
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->availableGeometry());
    m_timer = startTimer(kStartDelayMs);
}

void CBKDlg::paintEvent(QPaintEvent*) {
    ScreenChrome::paintSkin(*this, QStringLiteral("home_bk.bmp"));
}

void CBKDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        QDialog::keyPressEvent(event);
}

void CBKDlg::reject() {
    // Only the end of the start page closes the background.
    if (m_closing)
        QDialog::reject();
}

void CBKDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer)
        return;
    killTimer(m_timer);
    m_timer = 0;
    runStartPage();
}

void CBKDlg::runStartPage() {
    {
        CStartPageDlg startPage(this);
        startPage.exec();
    }
    m_closing = true;
    reject();
}
