#pragma once

#include <QDialog>

#include <opencv2/core.hpp>

// The image viewer: one still picture enlarged, zoomable with the wheel,
// movable by dragging, and savable as JPEG from its context menu. Opened
// modally by the capture panel, the comparison screen and the report pages.
//
// Threading: GUI thread only.
class CImageViewDlg : public QDialog {
    Q_OBJECT
public:
    // The picture is copied.
    explicit CImageViewDlg(const cv::Mat& picture, QWidget* parent = nullptr);
    ~CImageViewDlg() override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    cv::Mat m_picture;
};
