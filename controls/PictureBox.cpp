#include "PictureBox.h"

#include "CvvImage.h"

#include <QFile>
#include <QFileInfo>
#include <QMouseEvent>
#include <QPainter>

PictureBox::PictureBox(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

PictureBox::~PictureBox() = default;

void PictureBox::setPicture(const QString& path) {
    m_path = path;
    m_picture.reset();
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        auto picture = std::make_unique<CvvImage>();
        if (picture->load(QFile::encodeName(path).toStdString(), 1))
            m_picture = std::move(picture);
    }
    update();
}

void PictureBox::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (m_picture)
        m_picture->drawToRect(p, rect());
}

void PictureBox::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        emit doubleClicked();
}
