#pragma once

#include <QDialog>
#include <QPointer>

class CPictureEx;
class QLabel;

// The progress box shown modally while an analysis runs: an animation and the
// text "analysing" with dots that cycle every second (none, one, two, three). It
// sits at (446, 90) from its owner's top-left corner.
//
// The operator cannot close it: the analysis is still writing its results, so
// only the owner closes it, with PostCancel() (or OnCancel()) when the run has
// completed. The owner keeps the box for the next run.
//
// Threading: GUI thread only; a worker reaches it only through its owner.
class CLoadingDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLoadingDlg(QWidget* owner);

    static constexpr QSize kSize{640, 480};
    static constexpr int kDotIntervalMs = 1000;
    // Window rectangle for an owner window at ownerTopLeft (screen coordinates).
    static QRect placement(const QPoint& ownerTopLeft);

    QString progressText() const;
    int dotCount() const { return m_dots; }
    CPictureEx* animation() const { return m_picture; }

public slots:
    // The Cancel command: ends the modal loop.
    void OnCancel();
    // Queues the Cancel command, as the completion handler does.
    void PostCancel();
    // The dot timer's step: one more dot, or back to none after three.
    void OnDotTimer();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    QPointer<QWidget> m_owner;
    CPictureEx* m_picture = nullptr;
    QLabel* m_text = nullptr;
    QString m_baseText;
    int m_dots = 0;
    int m_timer = 0;
    bool m_closing = false;
};
