#pragma once

#include "ZoomingViewer.h"

#include <QImage>

#include <opencv2/core.hpp>

#include <functional>

// The image viewer: one still picture enlarged, zoomable with the wheel,
// movable by dragging, and savable as JPEG from its right-click menu. Opened
// modally by the capture panel, the comparison screen and the report pages.
//
// Threading: GUI thread only.
class CImageViewDlg : public ZoomingViewer {
    Q_OBJECT
public:
    // The picture (8-bit, 1 or 3 channels) is copied.
    explicit CImageViewDlg(const cv::Mat& picture, QWidget* parent = nullptr);
    ~CImageViewDlg() override;

    const cv::Mat& picture() const { return m_picture; }

    // "save picture as": asks for a name (proposing the current time) and
    // writes the picture there as JPEG. False when cancelled or not written;
    // a failed write is reported with an error tip.
    bool savePictureAs();
    // Writes the picture as JPEG at `path` with ".jpg" appended unless present,
    // replacing the file whole or not at all; the path written, empty on failure.
    QString writeJpeg(const QString& path);

    // Tests replace the file-save dialog: it gets the proposed path and returns
    // the chosen one (empty: cancelled). Empty restores the real dialog.
    using SaveDialogHook = std::function<QString(QWidget* parent, const QString& proposed)>;
    static void setSaveDialogHook(SaveDialogHook hook);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void showContextMenu(const QPoint& globalPos);

    cv::Mat m_picture;
    QImage m_shown; // the picture converted once for painting
};
