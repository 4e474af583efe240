#pragma once

#include <QDialog>
#include <QPoint>
#include <QRect>
#include <QTimer>

class CGdipButton;

// The window both viewers share: frameless, 640 x 480 centred on the screen,
// zoomed from -5 to 20 tenths with the wheel (staying centred), moved by
// dragging with the grab cursor, closed by its close button (1009). The
// picture area (1264) fills the client area; the viewers paint into it.
//
// Dragging follows the mouse on a 50 ms timer while the left button is held,
// so the window moves smoothly even when move events arrive in bursts.
//
// Threading: GUI thread only.
class ZoomingViewer : public QDialog {
    Q_OBJECT
public:
    int zoomLevel() const { return m_zoom; }
    // Sets the zoom level (held within the limits) and sizes and centres the window.
    void setZoomLevel(int level);
    bool isDragging() const { return m_dragging; }
    QRect pictureArea() const;

    // The drag steps, callable by tests with screen positions.
    void beginDrag(const QPoint& globalGrab);
    void dragTo(const QPoint& globalMouse);
    void endDrag();

protected:
    explicit ZoomingViewer(QWidget* parent);

    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

    CGdipButton* closeButton() const { return m_close; }

private:
    void placeControls();

    QWidget* m_area = nullptr;
    CGdipButton* m_close = nullptr;
    int m_zoom = 0;
    bool m_dragging = false;
    QRect m_dragWindow;
    QPoint m_grabPoint;
    QTimer m_dragTimer;
};
