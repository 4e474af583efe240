#pragma once

#include "TextAlignment.h"

#include "CGdiPlusBitmapResource.h"

#include <QAbstractButton>
#include <QColor>
#include <QFont>
#include <QImage>

#include <array>

// A push button painted from a resource picture: standard, pressed (moved one
// pixel right and down), hover (brightened) and disabled (grey) looks, optional
// alternate looks for a toggled state, and a text label. Transparent parts of the
// picture show the parent. Without a picture only the label is drawn; the button
// still clicks.
//
// The owner gives it its control id as objectName and listens to clicked().
//
// Threading: GUI thread only.
class CGdipButton : public QAbstractButton {
    Q_OBJECT
public:
    enum Look {
        LookStandard,
        LookPressed,
        LookHover,
        LookAltStandard,
        LookAltPressed,
        LookAltHover,
        LookDisabled,
        LookCount
    };

    explicit CGdipButton(QWidget* parent = nullptr);

    bool LoadStdImage(int id, const QString& type = QStringLiteral("PNG"));
    // The picture of the toggled state; makes SetToggle() possible.
    bool LoadAltImage(int id, const QString& type = QStringLiteral("PNG"));

    // The caption call of every screen: text, language index, fx, a spare value
    // (kept, unused), base font height, alignment (TextAlignment),
    // colour, fy. The label sits in (width x fx, height x fy) .. (right, bottom),
    // vertically centred; its font height follows the language (see ButtonLooks).
    void SetText(const QString& text, int language, double fx, int spare, int baseHeight,
                 TextAlignment alignment, const QColor& colour, double fy);

    // With an alternate picture: toggle mode on or off, showing the alternate
    // (on) or standard (off) look. In toggle mode every press flips the look.
    void SetToggle(bool on);

    bool hasAltImage() const { return !m_altImage.isNull(); }
    bool isToggleMode() const { return m_toggleMode; }
    bool isToggled() const { return m_toggled; }
    bool isHovering() const { return m_hovering; }
    // The look the next paint shows (LookCount when there is no picture).
    Look currentLook() const;

    QString labelText() const { return m_label; }
    QColor labelColour() const { return m_labelColour; }
    // The label's font; the widget's own font when the language makes none.
    QFont labelFont() const { return m_hasLabelFont ? m_labelFont : font(); }
    bool hasLabelFont() const { return m_hasLabelFont; }
    int spareValue() const { return m_spare; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void prepareLooks();

    CGdiPlusBitmapResource m_stdImage;
    CGdiPlusBitmapResource m_altImage;
    std::array<QImage, LookCount> m_looks;
    bool m_looksPrepared = false;

    bool m_toggleMode = false;
    bool m_toggled = false;
    bool m_hovering = false;

    QString m_label;
    QFont m_labelFont;
    bool m_hasLabelFont = false;
    QColor m_labelColour{80, 80, 80};
    TextAlignment m_alignment = AlignLeft;
    double m_fx = 0.0;
    double m_fy = 0.0;
    int m_spare = 0;
};
