#include "CSkinVerticleScrollbar.h"

#include "CMyListCtrl.h"
#include "ListGeometry.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

using namespace ListGeometry;

namespace {

QRect edges(int left, int top, int right, int bottom) {
    return QRect(left, top, right - left, bottom - top);
}

// An arrow drawn line by line: the widest line first, one pixel narrower on each
// side per line, stepping up (step -1) or down (step +1).
void drawArrow(QPainter& p, int left, int right, int firstRow, int step) {
    for (int row = firstRow, l = left, r = right; l <= r; row += step, ++l, --r)
        p.drawLine(l, row, r, row);
}

} // namespace

CSkinVerticleScrollbar::CSkinVerticleScrollbar(CMyListCtrl* list, QWidget* parent)
    : QWidget(parent), m_list(list) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_firstRepeat.setSingleShot(true);
    m_firstRepeat.setInterval(kFirstRepeatMs);
    m_repeat.setInterval(kRepeatMs);
    connect(&m_firstRepeat, &QTimer::timeout, this, &CSkinVerticleScrollbar::OnFirstRepeat);
    connect(&m_repeat, &QTimer::timeout, this, &CSkinVerticleScrollbar::OnRepeat);
    if (m_list) {
        m_list->installEventFilter(this);
        QScrollBar* bar = m_list->verticalScrollBar();
        connect(bar, &QScrollBar::valueChanged, this, &CSkinVerticleScrollbar::syncThumb);
        connect(bar, &QScrollBar::rangeChanged, this, &CSkinVerticleScrollbar::syncThumb);
    }
    placeBesideList();
}

void CSkinVerticleScrollbar::placeBesideList() {
    if (!m_list)
        return;
    setGeometry(scrollbarPlacement(m_list->geometry()));
    setVisible(m_list->skinnedScrollbar() && m_list->isVisibleTo(parentWidget()));
    raise();
    syncThumb();
}

bool CSkinVerticleScrollbar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list) {
        switch (event->type()) {
        case QEvent::Move:
        case QEvent::Resize:
        case QEvent::Show:
        case QEvent::Hide:
            placeBesideList();
            break;
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

int CSkinVerticleScrollbar::scrollLimit() const {
    return m_list ? m_list->verticalScrollBar()->maximum() : 0;
}

int CSkinVerticleScrollbar::scrollPosition() const {
    return m_list ? m_list->verticalScrollBar()->value() : 0;
}

void CSkinVerticleScrollbar::scrollLines(int lines) {
    if (!m_list || lines == 0)
        return;
    QScrollBar* bar = m_list->verticalScrollBar();
    bar->setValue(bar->value() + lines * bar->singleStep());
}

void CSkinVerticleScrollbar::scrollPages(int pages) {
    if (!m_list)
        return;
    QScrollBar* bar = m_list->verticalScrollBar();
    bar->setValue(bar->value() + pages * bar->pageStep());
}

void CSkinVerticleScrollbar::syncThumb() {
    m_thumbTop = thumbTopFor(height(), scrollLimit(), scrollPosition());
    update();
}

void CSkinVerticleScrollbar::paintEvent(QPaintEvent*) {
    // Painted whole into an image first, then copied, so the thumb never flickers.
    QImage canvas(size(), QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QPainter p(&canvas);
    const int w = width();
    const int h = height();
    const int right = w - 1;
    const int inner = 1;

    p.fillRect(edges(inner, 0, w, kArrowHeight), kArrowFill);
    p.fillRect(edges(inner, h - kArrowHeight, w, h), kArrowFill);
    p.setPen(kArrowColour);
    drawArrow(p, inner + 1, right - 1, kArrowHeight - 10, -1);
    drawArrow(p, inner + 1, right - 1, h - kArrowHeight + 10, +1);

    if (scrollLimit() > 0)
        p.fillRect(edges(inner, m_thumbTop + 1, w, m_thumbTop + 19), kArrowFill);
    p.end();

    QPainter(this).drawImage(0, 0, canvas);
}

void CSkinVerticleScrollbar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint pos = event->position().toPoint();
    const int h = height();
    if (edges(0, m_thumbTop, 20, m_thumbTop + 20).contains(pos)) {
        m_dragging = true;
    } else if (edges(0, h - 20, 20, h).contains(pos)) {
        m_downPressed = true;
        m_firstRepeat.start();
    } else if (edges(0, 0, 20, 20).contains(pos)) {
        m_upPressed = true;
        m_firstRepeat.start();
    }
}

void CSkinVerticleScrollbar::OnFirstRepeat() {
    m_firstRepeat.stop();
    m_repeat.start();
}

void CSkinVerticleScrollbar::OnRepeat() {
    if (m_downPressed)
        scrollLines(1);
    else if (m_upPressed)
        scrollLines(-1);
    syncThumb();
}

void CSkinVerticleScrollbar::mouseMoveEvent(QMouseEvent* event) {
    if (!m_dragging)
        return;
    const int y = event->position().toPoint().y();
    scrollLines(dragRowDelta(y, height(), scrollLimit(), scrollPosition()));
    m_thumbTop = clampThumbTop(y - 10, height());
    update();
}

void CSkinVerticleScrollbar::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    syncThumb();
    // Both timers: a click shorter than the first delay must not start repeating.
    m_firstRepeat.stop();
    m_repeat.stop();
    switch (releaseAction(event->position().toPoint(), height(), m_thumbTop, m_upPressed,
                          m_downPressed, m_dragging)) {
    case ReleaseAction::LineUp:
        scrollLines(-1);
        break;
    case ReleaseAction::LineDown:
        scrollLines(1);
        break;
    case ReleaseAction::PageUp:
        scrollPages(-1);
        break;
    case ReleaseAction::PageDown:
        scrollPages(1);
        break;
    case ReleaseAction::None:
        break;
    }
    m_upPressed = false;
    m_downPressed = false;
    m_dragging = false;
    syncThumb();
}
