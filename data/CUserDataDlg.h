#pragma once

#include "CRecordManageDlg.h"
#include "MemberRecord.h"
#include "MemberTable.h"

#include <QList>

#include <array>
#include <functional>

class CGdipButton;
class CMyListCtrl;
class PictureBox;
class QLabel;
class QLineEdit;

// Member management: lists, searches, adds, changes and deletes members, opens a
// member's history, and hands one member over to the start page.
//
// The start page passes its current member record; after exec() returns
// Accepted it holds the chosen member (sex as its display word, member-selected
// flag 1), and visitOpenedFromHistory() / handOverText() tell what to open:
//
//   CUserDataDlg dlg(m_currentMember);
//   dlg.setHistoryOpener(...);              // the history list, once it exists
//   if (dlg.exec() == QDialog::Accepted)
//       openMainWindow(dlg.visitOpenedFromHistory(), dlg.handOverText());
//
// Start detection without a selection, and closing the window through its
// title bar, set the record's member-selected flag to 0.
//
// Threading: GUI thread only; owns its database connection.
class CUserDataDlg : public CRecordManageDlg {
    Q_OBJECT
public:
    // Shows the visit history of the member of that name, modally over parent.
    // True, with the chosen visit stamp (the visit folder name), when the
    // operator picked a visit; false when they left it.
    using HistoryOpener =
        std::function<bool(QWidget* parent, const QString& memberName, QString& visitStamp)>;

    explicit CUserDataDlg(MemberRecord& currentMember, QWidget* parent = nullptr);
    ~CUserDataDlg() override;

    // Without an opener the history button shows nothing and stays on the screen.
    void setHistoryOpener(HistoryOpener opener) { m_historyOpener = std::move(opener); }

    // Hand-over values, valid after the screen closed with Accepted.
    int visitOpenedFromHistory() const { return m_visitOpenedFromHistory; }
    QString handOverText() const { return m_handOverText; }

    // The operations the details dialog calls; true on success (the dialog
    // shows the success tip). Failures show their tips here.
    bool addMember(MemberRecord& record);
    bool changeMember(const MemberRecord& record);

    // The members of the list, in line order.
    const QList<MemberRecord>& members() const { return m_members; }

protected:
    void OnAdd() override;
    void OnChange() override;
    void OnDelete() override;
    void OnSelectionChanged() override;
    // Closing through the title bar hands no member over.
    void releaseOnClose() override;

private slots:
    void OnSearch();
    void OnAll();
    void OnHistory();
    void OnStartDetect();
    void OnPictureDoubleClicked();

private:
    void buildControls();
    void setTexts();
    void listAllMembers();
    void fillList();
    void showMember(const MemberRecord& record);
    void clearMember();
    void handOver(const MemberRecord& record, int fromHistory, const QString& text);

    MemberRecord& m_current;
    MemberTable m_table;
    QList<MemberRecord> m_members;
    HistoryOpener m_historyOpener;
    int m_visitOpenedFromHistory = 0;
    QString m_handOverText;

    QLineEdit* m_search = nullptr;
    CGdipButton* m_searchButton = nullptr;
    CGdipButton* m_all = nullptr;
    CGdipButton* m_history = nullptr;
    CGdipButton* m_start = nullptr;
    std::array<QLabel*, 8> m_captions{};
    std::array<QLabel*, 8> m_values{}; // 1079 .. 1086
};
