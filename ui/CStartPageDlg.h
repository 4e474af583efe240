#pragma once

#include "MemberRecord.h"

#include <QDialog>
#include <QPixmap>

class CGdipButton;
class QComboBox;
class QLabel;

// The start page: member management, quick start for a guest, product
// management, settings and the language choice. Closing it ends the program.
// It owns the current member record and the screens it opens.
//
// Threading: GUI thread only.
class CStartPageDlg : public QDialog {
    Q_OBJECT
public:
    explicit CStartPageDlg(QWidget* parent = nullptr);
    ~CStartPageDlg() override;

    int languageSelection() const { return m_nLanguage; }
    // The member every report header reads: the one handed over by member
    // management, or the guest of a quick start.
    const MemberRecord& currentMember() const { return m_currentMember; }

    // Makes a record the walk-in guest: the guest name, age "25", the female sex
    // word, each cut to its field's size; every other field empty; not selected.
    static void fillGuest(MemberRecord& record);
    // Member management's history command: the visit history of that member,
    // modally over parent; true with the chosen visit stamp.
    static bool openHistory(QWidget* parent, const QString& memberName, QString& visitStamp);

    static constexpr int kWidth = 1360;
    static constexpr int kHeight = 760;

public slots:
    void OnLanguageChanged(int index);
    void OnMemberManage();
    void OnGuestStart();
    void OnProductManage();
    void OnSettings();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void setButtonCaptions();
    void runMainWindow(int fromHistory, const QString& visitFolder);

    int m_nLanguage = 0;
    MemberRecord m_currentMember;
    QPixmap m_background;
    QComboBox* m_language = nullptr;
    QLabel* m_version = nullptr;
    CGdipButton* m_member = nullptr;
    CGdipButton* m_guest = nullptr;
    CGdipButton* m_product = nullptr;
    CGdipButton* m_settings = nullptr;
    CGdipButton* m_close = nullptr;
};
