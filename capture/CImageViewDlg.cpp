#include "CImageViewDlg.h"

#include "CvvImage.h"

#include <QPainter>

// A first version: the picture at 640 x 480; zoom, dragging and saving come
// with the comparison work.
CImageViewDlg::CImageViewDlg(const cv::Mat& picture, QWidget* parent)
    : QDialog(parent), m_picture(picture.clone()) {
    setObjectName(QStringLiteral("403"));
    setWindowFlag(Qt::FramelessWindowHint);
    resize(640, 480);
}

CImageViewDlg::~CImageViewDlg() = default;

void CImageViewDlg::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!m_picture.empty()) {
        CvvImage image;
        image.copyOf(m_picture);
        image.drawToRect(painter, rect());
    }
}
