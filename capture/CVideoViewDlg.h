#pragma once

#include "ZoomingViewer.h"

#include <QImage>

#include <opencv2/core.hpp>

#include <atomic>
#include <mutex>

// The video viewer: the live picture enlarged, with the image viewer's window,
// zoom and dragging but no menu. Its owner passes each live frame; the viewer
// shows the newest one and holds nothing older (the last frame stays only so
// that an exposed window can be drawn again).
//
// Threading: showFrame() may be called from a camera thread: it copies the
// frame under the viewer's lock and asks for one repaint through a queued call
// (requests are merged while one is pending). Everything else is GUI thread
// only. The owner stops calling showFrame() before the viewer is destroyed.
class CVideoViewDlg : public ZoomingViewer {
    Q_OBJECT
public:
    explicit CVideoViewDlg(QWidget* owner = nullptr);
    ~CVideoViewDlg() override;

    void showFrame(const cv::Mat& frame);

    // The frame the next paint shows (for tests).
    QImage currentFrame() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    mutable std::mutex m_mutex;
    QImage m_frame; // guarded by m_mutex
    std::atomic<bool> m_repaintPending{false};
};
