#include "CVideoViewDlg.h"

#include <QMetaObject>
#include <QPainter>

CVideoViewDlg::CVideoViewDlg(QWidget* owner) : ZoomingViewer(owner) {
    setObjectName(QStringLiteral("1102"));
}

CVideoViewDlg::~CVideoViewDlg() = default;

void CVideoViewDlg::showFrame(const cv::Mat& frame) {
    if (frame.empty() || frame.type() != CV_8UC3)
        return;
    const QImage view(frame.data, frame.cols, frame.rows, int(frame.step), QImage::Format_BGR888);
    QImage copy = view.copy();
    {
        std::lock_guard lock(m_mutex);
        m_frame.swap(copy);
    }
    if (!m_repaintPending.exchange(true)) {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_repaintPending = false;
                update();
            },
            Qt::QueuedConnection);
    }
}

QImage CVideoViewDlg::currentFrame() const {
    std::lock_guard lock(m_mutex);
    return m_frame;
}

void CVideoViewDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QImage frame = currentFrame();
    if (!frame.isNull()) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(pictureArea(), frame);
    }
}
