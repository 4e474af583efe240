#pragma once

#include "CDrawnFrameDlg.h"

#include <QString>

class CGdipButton;
class CMyListCtrl;

// A member's visit history: one row per stored visit (date and the nine scores
// as stored), oldest first. View returns the chosen visit's stamp with
// Accepted; Close, Escape and the frame's close spot leave with Rejected.
//
//   CHistoryRecordDlg dlg(memberName, parent);
//   if (dlg.exec() == QDialog::Accepted)
//       open(dlg.visitStamp());
//
// Threading: GUI thread only. The list is read once, when the dialog is made.
class CHistoryRecordDlg : public CDrawnFrameDlg {
    Q_OBJECT
public:
    // Lists the visits in "Reports/<member name>" (the name mapped by the data
    // paths, as every folder of a member is).
    explicit CHistoryRecordDlg(const QString& memberName, QWidget* parent = nullptr);

    // The chosen stamp; empty until View succeeded.
    QString visitStamp() const { return m_visitStamp; }
    CMyListCtrl* list() const { return m_list; }

    // The drawn frame puts its close spot at x 537-561 for every dialog, so
    // the window is 564 wide.
    static constexpr QSize kClientSize{564 - 2 * kFrameWidth, 380};

protected:
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    void OnView();

private:
    void listHistory();

    QString m_folder;
    QString m_visitStamp;
    CMyListCtrl* m_list = nullptr;
    CGdipButton* m_view = nullptr;
    CGdipButton* m_close = nullptr;
};
