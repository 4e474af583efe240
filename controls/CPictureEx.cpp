#include "CPictureEx.h"

#include "CGdiPlusBitmapResource.h"

#include <QPainter>

CPictureEx::CPictureEx(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_player.setSingleShot(true);
    connect(&m_player, &QTimer::timeout, this, &CPictureEx::advance);
}

CPictureEx::~CPictureEx() {
    Stop();
}

bool CPictureEx::Load(int id, const QString& type) {
    return LoadData(CGdiPlusBitmapResource::resourceData(id, type));
}

bool CPictureEx::LoadData(const QByteArray& data) {
    release();
    if (data.isEmpty())
        return false;
    m_animation = GifDecoder::decode(data);
    if (m_animation.isNull() || m_animation.logicalSize.isEmpty()) {
        m_animation = {};
        return false;
    }
    resize(m_animation.logicalSize);
    m_offscreen = QImage(m_animation.logicalSize, QImage::Format_ARGB32_Premultiplied);
    m_offscreen.fill(palette().color(QPalette::Window));
    update();
    return true;
}

void CPictureEx::release() {
    Stop();
    m_animation = {};
    m_offscreen = QImage();
    m_savedArea = QImage();
    m_current = 0;
}

int CPictureEx::frameCount() const {
    if (!m_animation.frames.isEmpty())
        return int(m_animation.frames.size());
    return m_animation.still.isNull() ? 0 : 1;
}

bool CPictureEx::Draw() {
    if (!isLoaded())
        return false;
    if (!m_animation.isAnimated()) {
        QPainter p(&m_offscreen);
        p.drawImage(0, 0, m_animation.still);
        update();
        return true;
    }
    Stop();
    m_current = 0;
    undoFrame(0);
    showCurrentFrame();
    return true;
}

void CPictureEx::Stop() {
    m_player.stop();
}

void CPictureEx::showCurrentFrame() {
    const GifDecoder::Frame& frame = m_animation.frames.at(m_current);
    const QRect area(frame.position, frame.image.size());
    if (frame.disposal == 3) {
        m_savedRect = area;
        m_savedArea = m_offscreen.copy(area);
    }
    {
        QPainter p(&m_offscreen);
        p.drawImage(frame.position, frame.image);
    }
    update();
    m_player.start(GifDecoder::frameDelayMs(frame.delay));
}

void CPictureEx::undoFrame(int index) {
    const GifDecoder::Frame& frame = m_animation.frames.at(index);
    const QRect area(frame.position, frame.image.size());
    QPainter p(&m_offscreen);
    if (frame.disposal == 2) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.fillRect(area, m_animation.background);
    } else if (frame.disposal == 3 && !m_savedArea.isNull()) {
        p.setCompositionMode(QPainter::CompositionMode_Source);
        p.drawImage(m_savedRect.topLeft(), m_savedArea);
    }
}

void CPictureEx::advance() {
    if (!m_animation.isAnimated())
        return;
    m_player.stop();
    undoFrame(m_current);
    ++m_current;
    if (m_current >= m_animation.frames.size()) {
        m_current = 0;
        m_offscreen.fill(m_animation.background);
    }
    showCurrentFrame();
}

void CPictureEx::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (m_offscreen.isNull())
        p.fillRect(rect(), palette().color(QPalette::Window));
    else
        p.drawImage(0, 0, m_offscreen);
}
