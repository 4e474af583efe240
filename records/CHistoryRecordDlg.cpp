#include "CHistoryRecordDlg.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "CTessalyApp.h"
#include "DataPaths.h"
#include "ReportStore.h"
#include "ScreenParts.h"
#include "SharedFonts.h"
#include "TextLookup.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace {

constexpr int kMargin = 12;
constexpr int kButtonWidth = 140;
constexpr int kButtonHeight = 44;
constexpr int kScrollbarWidth = 14;

constexpr std::array<const char*, 9> kScoreColumns{
    "IDS_SKINCOLOR",    "IDS_WATER_OIL",   "IDS_TEXTURE", "IDS_SPOT",       "IDS_GLOSS",
    "IDS_Inflammation", "IDS_Sensitivity", "IDS_Pore",    "IDS_AVERA_SCORE"};

} // namespace

CHistoryRecordDlg::CHistoryRecordDlg(const QString& memberName, QWidget* parent)
    : CDrawnFrameDlg(parent), m_folder(DataPaths::memberReportFolder(theApp(), memberName)) {
    setObjectName(QStringLiteral("369"));
    setClientSize(kClientSize);
    setCaptionText(TextLookup::text("IDS_HISTORY_RECORD"));
    ScreenParts::whiten(clientArea());

    QWidget* area = clientArea();
    const int listHeight = kClientSize.height() - 3 * kMargin - kButtonHeight;
    m_list = new CMyListCtrl(area);
    m_list->setObjectName(QStringLiteral("1284"));
    m_list->setGeometry(kMargin, kMargin, kClientSize.width() - 2 * kMargin - kScrollbarWidth,
                        listHeight);
    m_list->ShowHeader(true);
    m_list->SetAlignment(AlignCentre);
    m_list->SetRowHeight(30);
    m_list->SetFont(18, 0);
    m_list->setSortingEnabled(false);
    // Column 0 is an empty, zero-wide column; the date takes 2/11 of the width
    // and each score 1/11 (integer division of the client width).
    const int w = m_list->contentsRect().width();
    // Eleven columns share a narrow list: no column may insist on its title's width.
    m_list->horizontalHeader()->setMinimumSectionSize(0);
    m_list->InsertColumn(0, QString(), AlignCentre, 0);
    m_list->SetColumnFormat(0, AlignCentre);
    m_list->InsertColumn(1, TextLookup::text("IDS_DATE"), AlignCentre, w * 2 / 11);
    for (int c = 0; c < 9; ++c)
        m_list->InsertColumn(2 + c, TextLookup::text(kScoreColumns[c]), AlignCentre, w / 11);
    m_list->SetSkinnedScrollbar(true);
    m_list->CreateScrollbar();

    const int buttonsTop = kMargin + listHeight + kMargin;
    const int centre = kClientSize.width() / 2;
    m_view = ScreenParts::button(
        area, 1207, 413, QRect(centre - kButtonWidth - 20, buttonsTop, kButtonWidth, kButtonHeight),
        TextLookup::text("IDS_VIEW"), Qt::white);
    m_close = ScreenParts::button(area, 1208, 412,
                                  QRect(centre + 20, buttonsTop, kButtonWidth, kButtonHeight),
                                  TextLookup::text("IDS_CLOSE"), QColor(80, 80, 80));
    connect(m_view, &QAbstractButton::clicked, this, &CHistoryRecordDlg::OnView);
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_list, &CMyListCtrl::rowDoubleClicked, this, &CHistoryRecordDlg::OnView);

    listHistory();
    ScreenParts::centreOnScreen(this);
}

void CHistoryRecordDlg::listHistory() {
    QList<QStringList> rows;
    for (const ReportStore::HistoryRow& visit : ReportStore::listHistory(m_folder)) {
        QStringList cells{visit.dateText};
        for (const QString& score : visit.scores)
            cells << score;
        rows << cells;
    }
    ScreenParts::fillList(m_list, rows);
}

void CHistoryRecordDlg::OnView() {
    const int row = m_list->GetSelectedRow();
    if (row < 0) {
        theApp().ShowTip(TextLookup::text("IDS_SELECT_ONE"), CTessalyApp::TipInfo);
        return;
    }
    m_visitStamp = ReportStore::stampFromDateText(m_list->GetItemText(row, 1));
    accept();
}

void CHistoryRecordDlg::keyPressEvent(QKeyEvent* event) {
    // Escape leaves as Cancel; Enter does not pick a visit by accident.
    if (event->key() == Qt::Key_Escape) {
        reject();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        return;
    CDrawnFrameDlg::keyPressEvent(event);
}
