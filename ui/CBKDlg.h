#pragma once

#include <QDialog>

// The full-screen background that hosts the screen chain: it covers the work
// area, paints "home_bk.bmp", and half a second after it appears runs the start
// page modally; when the start page returns it closes, which ends the program.
// Enter and Escape never close it.
//
// Threading: GUI thread only.
class CBKDlg : public QDialog {
    Q_OBJECT
public:
    explicit CBKDlg(QWidget* parent = nullptr);

    static constexpr int kStartDelayMs = 500;

signals:
    // Accepted and ignored, as the program's other windows expect.
    void WM_USER_37();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void reject() override;

private:
    void runStartPage();

    int m_timer = 0;
    bool m_closing = false;
};
