#include "ZoomingViewer.h"

#include "CGdipButton.h"
#include "ViewerGeometry.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QWheelEvent>

ZoomingViewer::ZoomingViewer(QWidget* parent) : QDialog(parent) {
    setWindowFlag(Qt::FramelessWindowHint);
    setModal(true);

    m_area = new QWidget(this);
    m_area->setObjectName(QStringLiteral("1264"));
    // The viewer itself paints the area and takes its mouse.
    m_area->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_close = new CGdipButton(this);
    m_close->setObjectName(QStringLiteral("1009"));
    m_close->LoadStdImage(351);
    connect(m_close, &CGdipButton::clicked, this, &QDialog::reject);

    m_dragTimer.setInterval(50);
    connect(&m_dragTimer, &QTimer::timeout, this, [this] {
        if (QGuiApplication::mouseButtons() & Qt::LeftButton)
            dragTo(QCursor::pos());
    });

    setZoomLevel(0);
}

void ZoomingViewer::setZoomLevel(int level) {
    m_zoom = ViewerGeometry::zoomAfter(level, 0);
    const QSize size = ViewerGeometry::windowSize(m_zoom);
    QRect screen(QPoint(0, 0), size);
    if (const QScreen* s = QGuiApplication::primaryScreen())
        screen = s->geometry();
    setGeometry(ViewerGeometry::centredOn(screen, size));
    placeControls();
}

QRect ZoomingViewer::pictureArea() const {
    return m_area->geometry();
}

void ZoomingViewer::placeControls() {
    m_area->setGeometry(rect());
    m_close->setGeometry(ViewerGeometry::closeButton(size()));
    m_close->raise();
}

void ZoomingViewer::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    placeControls();
}

void ZoomingViewer::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta != 0)
        setZoomLevel(ViewerGeometry::zoomAfter(m_zoom, delta > 0 ? 1 : -1));
    event->accept();
}

void ZoomingViewer::beginDrag(const QPoint& globalGrab) {
    setFocus();
    setCursor(Qt::ClosedHandCursor);
    m_dragWindow = geometry();
    m_grabPoint = globalGrab;
    m_dragging = true;
    m_dragTimer.start();
}

void ZoomingViewer::dragTo(const QPoint& globalMouse) {
    if (!m_dragging)
        return;
    move(m_dragWindow.topLeft() + (globalMouse - m_grabPoint));
}

void ZoomingViewer::endDrag() {
    m_dragTimer.stop();
    m_dragging = false;
    unsetCursor();
}

void ZoomingViewer::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton)
        beginDrag(event->globalPosition().toPoint());
    QDialog::mousePressEvent(event);
}

void ZoomingViewer::mouseMoveEvent(QMouseEvent* event) {
    if (m_dragging)
        setCursor(Qt::ClosedHandCursor);
    QDialog::mouseMoveEvent(event);
}

void ZoomingViewer::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && m_dragging)
        endDrag();
    QDialog::mouseReleaseEvent(event);
}
