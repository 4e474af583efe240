#pragma once

#include <QDialog>
#include <QFont>
#include <QPixmap>
#include <QPointer>

// The tip: a dark, translucent notice with an icon and one line of text that
// hides itself after two seconds. At most one tip exists; a new one replaces the
// old at once.
//
// The tip stays above every other window of the program, also with no window
// manager to honour the stay-on-top hint: while it is visible, any other
// top-level window that is shown or raised puts the tip back on top.
//
// Threading: GUI thread only.
class CTipDlg : public QDialog {
    Q_OBJECT
public:
    // kind 0 success, 1 error, anything else information.
    CTipDlg(const QString& text, int kind, QWidget* parent = nullptr);

    // The tip routine: destroys the current tip and shows a new modeless one.
    static CTipDlg* Show(const QString& text, int kind);
    // The start-up variant: the same box, run modally until it hides itself.
    static void ShowModal(const QString& text, int kind);
    static CTipDlg* current() { return s_current; }
    static void destroyCurrent();

    static QString iconFile(int kind);
    // Tip font of a language index: 25 px normal, or 22 px bold for English.
    static QFont tipFont(int language);
    // Window rectangle for a text of the given width on a screen of the given size.
    static QRect placement(int textWidth, const QSize& screen);

    QString text() const { return m_text; }
    int kind() const { return m_kind; }

    static constexpr int kShowMs = 2000;
    static constexpr int kAlpha = 200;

    // Puts the current tip above every other window (no-op without a tip).
    static void raiseCurrent();

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QString m_text;
    int m_kind;
    QFont m_font;
    QPixmap m_icon;
    int m_timer = 0;
    static QPointer<CTipDlg> s_current;
};
