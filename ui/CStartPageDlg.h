#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QAbstractButton;

// The start page: member management, quick start for a guest, product
// management, settings and the language choice. Closing it ends the program.
//
// Threading: GUI thread only.
class CStartPageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CStartPageDlg(QWidget* parent = nullptr);

    int languageSelection() const { return m_nLanguage; }

    static constexpr int kWidth = 1360;
    static constexpr int kHeight = 760;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnLanguageChanged(int index);
    void OnClose();

private:
    void setButtonCaptions();

    int m_nLanguage = 0;
    QComboBox* m_language = nullptr;
    QLabel* m_version = nullptr;
    QAbstractButton* m_member = nullptr;
    QAbstractButton* m_guest = nullptr;
    QAbstractButton* m_product = nullptr;
    QAbstractButton* m_settings = nullptr;
    QAbstractButton* m_close = nullptr;
};
