#pragma once

#include <QDialog>

class CGdipButton;
class QLabel;

// The confirmation box: a white modal box with a message and two picture
// buttons. The first label goes on the right-hand button (1207), which answers 1,
// as does Enter; the second on the left-hand one (1208), which answers 2, as do
// Escape and closing the box.
//
// Threading: GUI thread only.
class CMessageBoxDLg : public QDialog {
    Q_OBJECT
public:
    enum Answer { Confirmed = 1, Declined = 2 };

    // Texts are already translated.
    CMessageBoxDLg(const QString& message, const QString& first, const QString& second,
                   QWidget* parent = nullptr);

    // The confirmation routine: shows the box modally without owner and returns 1
    // or 2; the box is gone when it returns.
    static int Ask(const QString& message, const QString& first, const QString& second);

    static constexpr QSize kSize{560, 260};

public slots:
    void accept() override;
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_message;
    QString m_first;
    QString m_second;
    QLabel* m_text = nullptr;
    CGdipButton* m_ok = nullptr;
    CGdipButton* m_cancel = nullptr;
};
