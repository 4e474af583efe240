#pragma once

#include "ScreenParts.h"

#include <QDialog>
#include <QImage>

#include <initializer_list>

class CGdipButton;
class CMyListCtrl;
class PictureBox;
class QLabel;

// What member management and product management share: the window size and
// layout (picture and values on the left, the search row on top and the list
// below it on the right), the title, the close button, the add, change and
// delete buttons, the selection checks before a change or delete, and the
// Enter/Escape, close and painting behaviour of a full screen.
//
// Threading: GUI thread only.
class CRecordManageDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr QSize kSize{1200, 700};

    CMyListCtrl* list() const { return m_list; }

protected:
    CRecordManageDlg(const QString& objectName, const QString& backgroundFile, QWidget* parent);

    // Left column: picture and the selected record's values; the rest: search
    // row on top and the list below.
    static constexpr int kMargin = 24;
    static constexpr int kColumnWidth = 276;
    static constexpr int kTopRow = 84;
    static constexpr int kListLeft = kMargin + kColumnWidth + 24;
    static constexpr int kScrollbarWidth = 12;
    static constexpr int kRight = kSize.width() - kMargin;

    // Builds the title, close, add, change and delete buttons, the list of
    // listId under the search row and the picture box of pictureHeight, and
    // connects them to the handlers below.
    void buildSharedControls(int listId, std::initializer_list<ScreenParts::Column> columns,
                             int wholeParts, int pictureHeight);

    // The selected list row when it holds one of count records; otherwise -1
    // after the information tip noneKey.
    int selectedRecordRow(int count, const char* noneKey) const;

    // The row to delete after the checks and the operator's confirmation: no
    // selection gives the tip noneKey, a row past the records the tip
    // "IDS_SELECT_TODELETE"; -1 when nothing is to be deleted.
    int rowToDelete(int count, const char* noneKey) const;

    virtual void OnAdd() = 0;
    virtual void OnChange() = 0;
    virtual void OnDelete() = 0;
    virtual void OnSelectionChanged() = 0;
    // Called when the window closes: the screen lets its database go.
    virtual void releaseOnClose() = 0;

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

    QImage m_background;
    QLabel* m_title = nullptr;
    CGdipButton* m_add = nullptr;
    CGdipButton* m_change = nullptr;
    CGdipButton* m_delete = nullptr;
    CGdipButton* m_close = nullptr;
    CMyListCtrl* m_list = nullptr;
    PictureBox* m_picture = nullptr;
};
