#include "CGdipButton.h"

#include "ButtonLooks.h"
#include "SharedFonts.h"

#include <QPainter>

CGdipButton::CGdipButton(QWidget* parent) : QAbstractButton(parent) {
    // The looks cover the button; transparent parts show the parent.
    setAttribute(Qt::WA_NoSystemBackground);
    setCursor(Qt::PointingHandCursor);
    // A press in toggle mode flips the look once; the pressed look then shows
    // the state the button is changing to.
    connect(this, &QAbstractButton::pressed, this, [this] {
        if (m_toggleMode)
            m_toggled = !m_toggled;
    });
}

bool CGdipButton::LoadStdImage(int id, const QString& type) {
    m_looksPrepared = false;
    const bool ok = m_stdImage.Load(id, type);
    update();
    return ok;
}

bool CGdipButton::LoadAltImage(int id, const QString& type) {
    m_looksPrepared = false;
    const bool ok = m_altImage.Load(id, type);
    update();
    return ok;
}

void CGdipButton::SetText(const QString& text, int language, double fx, int spare, int baseHeight,
                          TextAlignment alignment, const QColor& colour, double fy) {
    m_label = text;
    m_fx = fx;
    m_fy = fy;
    m_spare = spare;
    m_alignment = alignment;
    m_labelColour = colour;
    const std::optional<int> height = ButtonLooks::labelPixelHeight(language, baseHeight);
    m_hasLabelFont = height.has_value();
    if (m_hasLabelFont)
        m_labelFont = SharedFonts::faceFont(*height);
    setText(text); // for accessibility and tests that look buttons up by text
    update();
}

void CGdipButton::SetToggle(bool on) {
    if (!hasAltImage())
        return;
    m_toggleMode = on;
    m_toggled = on;
    update();
}

CGdipButton::Look CGdipButton::currentLook() const {
    if (m_stdImage.isNull())
        return LookCount;
    if (!isEnabled())
        return LookDisabled;
    if (isDown())
        return m_toggled ? LookAltPressed : LookPressed;
    if (m_hovering)
        return m_toggled ? LookAltHover : LookHover;
    return m_toggled ? LookAltStandard : LookStandard;
}

void CGdipButton::prepareLooks() {
    m_looksPrepared = true;
    for (QImage& look : m_looks)
        look = QImage();
    if (m_stdImage.isNull())
        return;
    using namespace ButtonLooks;
    const QSize s = size();
    const QPoint origin(0, 0);
    const QPoint pressed(1, 1);
    m_looks[LookStandard] = renderLook(m_stdImage.image(), s, origin);
    m_looks[LookPressed] = renderLook(m_stdImage.image(), s, pressed);
    m_looks[LookHover] = renderLook(m_stdImage.image(), s, origin, hoverPixel);
    m_looks[LookDisabled] = renderLook(m_stdImage.image(), s, origin, disabledPixel);
    if (hasAltImage()) {
        m_looks[LookAltStandard] = renderLook(m_altImage.image(), s, origin);
        m_looks[LookAltPressed] = renderLook(m_altImage.image(), s, pressed);
        m_looks[LookAltHover] = renderLook(m_altImage.image(), s, origin, hoverPixel);
    } else {
        // Toggling needs an alternate picture, so these are never chosen; keep
        // them valid anyway.
        m_looks[LookAltStandard] = m_looks[LookStandard];
        m_looks[LookAltPressed] = m_looks[LookPressed];
        m_looks[LookAltHover] = m_looks[LookHover];
    }
}

void CGdipButton::paintEvent(QPaintEvent*) {
    if (!m_looksPrepared)
        prepareLooks();
    QPainter p(this);
    const Look look = currentLook();
    if (look != LookCount && !m_looks[look].isNull())
        p.drawImage(0, 0, m_looks[look]);

    if (m_label.isEmpty())
        return;
    Qt::Alignment horizontal = Qt::AlignLeft;
    if (m_alignment == AlignRight)
        horizontal = Qt::AlignRight;
    else if (m_alignment == AlignCentre)
        horizontal = Qt::AlignHCenter;
    p.setFont(labelFont());
    p.setPen(m_labelColour);
    p.drawText(ButtonLooks::labelRect(size(), m_fx, m_fy),
               horizontal | Qt::AlignVCenter | Qt::TextSingleLine, m_label);
}

void CGdipButton::enterEvent(QEnterEvent* event) {
    m_hovering = true;
    update();
    QAbstractButton::enterEvent(event);
}

void CGdipButton::leaveEvent(QEvent* event) {
    m_hovering = false;
    update();
    QAbstractButton::leaveEvent(event);
}

void CGdipButton::resizeEvent(QResizeEvent* event) {
    m_looksPrepared = false;
    QAbstractButton::resizeEvent(event);
}

QSize CGdipButton::sizeHint() const {
    if (!m_stdImage.isNull())
        return m_stdImage.size();
    return QSize(80, 30);
}
