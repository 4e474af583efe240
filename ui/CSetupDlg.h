#pragma once

#include <QDialog>

#include <array>

class CGdipButton;
class CSuggestionDlg;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;

// The settings screen: the salon's name and, per skin item, the graded texts
// of the current language.
//
// Threading: GUI thread only.
class CSetupDlg : public QDialog {
    Q_OBJECT
public:
    explicit CSetupDlg(QWidget* parent = nullptr);

    CSuggestionDlg* editor(int item) const { return m_editors[item]; }
    // Index of the editor on show.
    int shownEditor() const;

    static constexpr QSize kSize{1300, 760};

public slots:
    // Saves every editor, then the organisation name; tells the operator the outcome.
    void OnSave();
    void OnItemChanged(int index);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* m_title = nullptr;
    QComboBox* m_items = nullptr;
    QLineEdit* m_orgName = nullptr;
    CGdipButton* m_save = nullptr;
    CGdipButton* m_close = nullptr;
    std::array<CSuggestionDlg*, 8> m_editors{};
    // The Wi-Fi camera: its address and whether it stands in for a missing USB camera.
    QLineEdit* m_netCamera = nullptr;
    QCheckBox* m_netCameraAuto = nullptr;
};
