#pragma once

#include <QDialog>
#include <QImage>

#include <opencv2/core.hpp>

#include <mutex>

// The video viewer: the live picture enlarged, with the image viewer's window,
// zoom and dragging. Its owner passes each live frame; the viewer draws the
// latest one and keeps no picture of its own beyond that.
//
// Threading: showFrame() may be called from a camera thread; it copies the
// frame under the viewer's lock and asks for a repaint through a queued call.
// Everything else is GUI thread only.
class CVideoViewDlg : public QDialog {
    Q_OBJECT
public:
    explicit CVideoViewDlg(QWidget* owner = nullptr);
    ~CVideoViewDlg() override;

    void showFrame(const cv::Mat& frame);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::mutex m_mutex;
    QImage m_frame; // guarded by m_mutex
};
