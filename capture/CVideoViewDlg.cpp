#include "CVideoViewDlg.h"

#include <QMetaObject>
#include <QPainter>

// A first version: the live picture at 640 x 480; zoom and dragging come with
// the comparison work.
CVideoViewDlg::CVideoViewDlg(QWidget* owner) : QDialog(owner) {
    setObjectName(QStringLiteral("1102"));
    setWindowFlag(Qt::FramelessWindowHint);
    resize(640, 480);
}

CVideoViewDlg::~CVideoViewDlg() = default;

void CVideoViewDlg::showFrame(const cv::Mat& frame) {
    if (frame.empty() || frame.type() != CV_8UC3)
        return;
    QImage copy(frame.data, frame.cols, frame.rows, int(frame.step), QImage::Format_BGR888);
    {
        std::lock_guard lock(m_mutex);
        m_frame = copy.copy();
    }
    QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::QueuedConnection);
}

void CVideoViewDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    std::lock_guard lock(m_mutex);
    if (!m_frame.isNull())
        painter.drawImage(rect(), m_frame);
}
