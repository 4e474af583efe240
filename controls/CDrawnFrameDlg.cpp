#include "CDrawnFrameDlg.h"

#include "CGdiPlusBitmapResource.h"
#include "SharedFonts.h"

#include <QMouseEvent>
#include <QPainter>

#include <map>

CDrawnFrameDlg::CDrawnFrameDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint) {
    setMouseTracking(true);
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("client"));
    m_client->setGeometry(kFrameWidth, kCaptionHeight, 0, 0);
}

void CDrawnFrameDlg::setCaptionText(const QString& captionText) {
    m_caption = captionText;
    setWindowTitle(captionText);
    update();
}

void CDrawnFrameDlg::setClientSize(const QSize& clientSize) {
    resize(clientSize.width() + 2 * kFrameWidth,
           clientSize.height() + kCaptionHeight + kFrameWidth);
}

QRect CDrawnFrameDlg::closeSpot() {
    return QRect(QPoint(537, 1), QPoint(560, 24));
}

bool CDrawnFrameDlg::inCloseSpot(const QPoint& windowPos) {
    return closeSpot().contains(windowPos);
}

QList<CDrawnFrameDlg::FramePiece> CDrawnFrameDlg::framePieces(const QSize& window) {
    const int fx = kFrameWidth;
    const int fy = kFrameWidth;
    const int H = kCaptionHeight;
    const int W = window.width();
    const int Hw = window.height();
    return {
        {307, QRect(0, 0, 100, H)},
        {307, QRect(W - 100, 0, 100, H)},
        {305, QRect(100, 0, W - 200, H)},
        {303, QRect(0, H, fx, Hw - fy)},
        {301, QRect(fx, Hw - fx, W - 2 * fx, fx)},
        {306, QRect(W - fx, H, fx, Hw - fy)},
    };
}

void CDrawnFrameDlg::paintEvent(QPaintEvent*) {
    QPainter p(this);
    // The frame pictures are plain pink; the colour stands in for any that are missing.
    std::map<int, QImage> pictures;
    for (const FramePiece& piece : framePieces(size())) {
        auto it = pictures.find(piece.resourceId);
        if (it == pictures.end()) {
            CGdiPlusBitmapResource bitmap;
            bitmap.Load(piece.resourceId, QStringLiteral("BITMAP"));
            it = pictures.emplace(piece.resourceId, bitmap.image()).first;
        }
        if (it->second.isNull())
            p.fillRect(piece.rect, kFrameColour);
        else
            p.drawImage(piece.rect, it->second);
    }

    p.setPen(Qt::white);
    p.setFont(SharedFonts::faceFont(16));
    p.drawText(QRect(0, 3, width(), kCaptionHeight), Qt::AlignLeft | Qt::AlignTop, m_caption);

    // A cross marks the close spot so the operator can find it.
    const QRect spot = closeSpot();
    if (m_closeHover)
        p.fillRect(spot, QColor(255, 255, 255, 60));
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    const QRect cross = spot.adjusted(7, 7, -7, -7);
    p.drawLine(cross.topLeft(), cross.bottomRight());
    p.drawLine(cross.topRight(), cross.bottomLeft());
}

void CDrawnFrameDlg::resizeEvent(QResizeEvent* event) {
    m_client->setGeometry(kFrameWidth, kCaptionHeight, width() - 2 * kFrameWidth,
                          height() - kCaptionHeight - kFrameWidth);
    QDialog::resizeEvent(event);
}

bool CDrawnFrameDlg::inFrame(const QPoint& pos) const {
    return !m_client->geometry().contains(pos);
}

void CDrawnFrameDlg::setCloseHover(bool hover) {
    if (hover == m_closeHover)
        return;
    m_closeHover = hover;
    update(closeSpot());
}

void CDrawnFrameDlg::mousePressEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton && inFrame(pos)) {
        // A press always arrives after the pointer has moved to it.
        setCloseHover(inCloseSpot(pos));
        if (m_closeHover) {
            setCloseHover(false); // closed once; the release that follows does nothing
            reject();
            return;
        }
        if (pos.y() < kCaptionHeight) {
            m_dragging = true;
            m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        }
    }
    QDialog::mousePressEvent(event);
}

void CDrawnFrameDlg::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    setCloseHover(inFrame(pos) && inCloseSpot(pos));
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void CDrawnFrameDlg::mouseReleaseEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    const bool wasDragging = m_dragging;
    m_dragging = false;
    if (event->button() == Qt::LeftButton && !wasDragging && inFrame(pos) && m_closeHover &&
        inCloseSpot(pos)) {
        setCloseHover(false);
        reject();
        return;
    }
    QDialog::mouseReleaseEvent(event);
}

void CDrawnFrameDlg::leaveEvent(QEvent* event) {
    setCloseHover(false);
    QDialog::leaveEvent(event);
}
