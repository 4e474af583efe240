#include "CRecordManageDlg.h"

#include "CGdipButton.h"
#include "CMyListCtrl.h"
#include "DataTips.h"
#include "PictureBox.h"
#include "ScreenChrome.h"

#include <QCloseEvent>
#include <QLabel>

CRecordManageDlg::CRecordManageDlg(const QString& objectName, const QString& backgroundFile,
                                   QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    resize(kSize);
    ScreenParts::centreOnScreen(this);
    m_background = ScreenParts::background(backgroundFile);
}

void CRecordManageDlg::buildSharedControls(int listId,
                                           std::initializer_list<ScreenParts::Column> columns,
                                           int wholeParts, int pictureHeight) {
    m_title = ScreenParts::title(this, QRect(kMargin, 10, 600, 44));
    m_close = ScreenParts::button(this, 1208, 351, QRect(kRight - 38, 12, 38, 38));
    m_delete = ScreenParts::button(this, 1053, 414, QRect(kRight - 48, kTopRow, 48, 48));
    m_change = ScreenParts::button(this, 1052, 416, QRect(kRight - 106, kTopRow, 48, 48));
    m_add = ScreenParts::button(this, 1049, 415, QRect(kRight - 164, kTopRow, 48, 48));

    const int listTop = kTopRow + 64;
    m_list = ScreenParts::list(this, listId,
                               QRect(kListLeft, listTop, kRight - kListLeft - kScrollbarWidth,
                                     kSize.height() - listTop - kMargin),
                               30, columns, wholeParts);

    m_picture = new PictureBox(this);
    m_picture->setObjectName(QStringLiteral("1037"));
    m_picture->setGeometry(kMargin, kTopRow, kColumnWidth, pictureHeight);

    connect(m_add, &QAbstractButton::clicked, this, [this] { OnAdd(); });
    connect(m_change, &QAbstractButton::clicked, this, [this] { OnChange(); });
    connect(m_delete, &QAbstractButton::clicked, this, [this] { OnDelete(); });
    connect(m_close, &QAbstractButton::clicked, this, &QDialog::reject);
    connect(m_list, &CMyListCtrl::rowSelected, this, [this] { OnSelectionChanged(); });
    connect(m_list, &CMyListCtrl::rowDoubleClicked, this, [this] { OnChange(); });
}

int CRecordManageDlg::selectedRecordRow(int count, const char* noneKey) const {
    const int row = m_list->GetSelectedRow();
    if (row < 0 || row >= count) {
        DataTips::info(noneKey);
        return -1;
    }
    return row;
}

int CRecordManageDlg::rowToDelete(int count, const char* noneKey) const {
    const int row = m_list->GetSelectedRow();
    if (row < 0) {
        DataTips::info(noneKey);
        return -1;
    }
    if (row >= count) {
        DataTips::info("IDS_SELECT_TODELETE");
        return -1;
    }
    return ScreenParts::confirmDelete() ? row : -1;
}

void CRecordManageDlg::keyPressEvent(QKeyEvent* event) {
    if (!ScreenChrome::swallowEnterEscape(event))
        QDialog::keyPressEvent(event);
}

void CRecordManageDlg::closeEvent(QCloseEvent* event) {
    releaseOnClose();
    QDialog::closeEvent(event);
}

void CRecordManageDlg::paintEvent(QPaintEvent*) {
    ScreenParts::paintBackground(this, m_background);
}
