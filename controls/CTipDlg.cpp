#include "CTipDlg.h"

#include "CTessalyApp.h"
#include "SharedFonts.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <QTimerEvent>

QPointer<CTipDlg> CTipDlg::s_current;

namespace {

// Watches every top-level window: one that appears or comes forward while a
// tip is visible would cover it without a window manager, so the tip is put
// back on top once that window is up.
class TipKeeper : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::Show && type != QEvent::WindowActivate && type != QEvent::ZOrderChange)
            return false;
        auto* widget = qobject_cast<QWidget*>(watched);
        CTipDlg* tip = CTipDlg::current();
        if (!widget || !widget->isWindow() || !tip || widget == tip || !tip->isVisible())
            return false;
        QTimer::singleShot(0, tip, [] { CTipDlg::raiseCurrent(); });
        return false;
    }
};

void installTipKeeper() {
    static TipKeeper* keeper = nullptr;
    if (keeper || !QCoreApplication::instance())
        return;
    keeper = new TipKeeper;
    keeper->setParent(QCoreApplication::instance());
    QCoreApplication::instance()->installEventFilter(keeper);
}

} // namespace

CTipDlg::CTipDlg(const QString& text, int kind, QWidget* parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                          Qt::WindowDoesNotAcceptFocus),
      m_text(text), m_kind(kind) {
    setObjectName(QStringLiteral("340"));
    setAttribute(Qt::WA_ShowWithoutActivating);
    const CTessalyApp* app = CTessalyApp::instance();
    m_font = tipFont(app ? app->m_nLanguage : 0);
    if (app)
        m_icon.load(app->m_strSkinPath + iconFile(kind));
    setWindowOpacity(kAlpha / 255.0);

    const QScreen* screen = QGuiApplication::primaryScreen();
    const QSize screenSize = screen ? screen->size() : QSize(1360, 768);
    const int textWidth = QFontMetrics(m_font).horizontalAdvance(m_text);
    setGeometry(placement(textWidth, screenSize));
    // A coarse timer may fire up to 5 % early; the tip promises its full two seconds.
    m_timer = startTimer(kShowMs, Qt::PreciseTimer);
}

QString CTipDlg::iconFile(int kind) {
    switch (kind) {
    case 0:
        return QStringLiteral("ok.png");
    case 1:
        return QStringLiteral("error.png");
    default:
        return QStringLiteral("info.png");
    }
}

QFont CTipDlg::tipFont(int language) {
    return language == 2 ? SharedFonts::faceFont(22, QFont::Bold)
                         : SharedFonts::faceFont(25, QFont::Normal);
}

QRect CTipDlg::placement(int textWidth, const QSize& screen) {
    const int width = textWidth + 60;
    const int height = 52;
    return QRect((screen.width() - textWidth - 60) / 2, (screen.height() - height) / 2, width,
                 height);
}

void CTipDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(76, 76, 76));
    if (!m_icon.isNull())
        p.drawPixmap(8, 8, m_icon);
    p.setPen(Qt::white);
    p.setFont(m_font);
    const QRect textRect(QPoint(52, 8), QPoint(width() - 8 - 1, height() - 8 - 1));
    p.drawText(textRect, Qt::AlignCenter | Qt::TextSingleLine, m_text);
}

void CTipDlg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    installTipKeeper();
    raise();
}

void CTipDlg::raiseCurrent() {
    if (s_current && s_current->isVisible())
        s_current->raise();
}

void CTipDlg::timerEvent(QTimerEvent* event) {
    if (event->timerId() != m_timer)
        return;
    killTimer(m_timer);
    m_timer = 0;
    if (isModal())
        done(QDialog::Rejected);
    else
        hide();
}

void CTipDlg::destroyCurrent() {
    delete s_current.data();
    s_current.clear();
}

CTipDlg* CTipDlg::Show(const QString& text, int kind) {
    destroyCurrent();
    auto* tip = new CTipDlg(text, kind);
    tip->show();
    s_current = tip;
    return tip;
}

void CTipDlg::ShowModal(const QString& text, int kind) {
    destroyCurrent();
    CTipDlg tip(text, kind);
    s_current = &tip;
    tip.exec();
}
