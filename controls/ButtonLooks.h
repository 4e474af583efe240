#pragma once

#include <QImage>
#include <QRect>
#include <QRgb>
#include <QSize>

#include <optional>

// Pixel and geometry rules of the picture buttons, kept apart from the widget so
// they can be checked on their own.
//
// Threading: pure functions, any thread.
namespace ButtonLooks {

// Hover look: every colour channel c (0..1) becomes 1.05 c + 0.05; alpha stays.
QRgb hoverPixel(QRgb pixel);
// Disabled look: red, green and blue all become 0.5 r + 0.5 g + 0.11 b; alpha stays.
QRgb disabledPixel(QRgb pixel);

// The picture stretched to the button size at an offset ((1,1) for the pressed
// looks), with an optional colour rule applied. Transparent where the picture is.
QImage renderLook(const QImage& picture, const QSize& size, const QPoint& offset,
                  QRgb (*colourRule)(QRgb) = nullptr);

// Label font height of a base height: 1.4 x base for languages 0 and 1, 1.2 x base
// for 2 (integer part); none for any other index (the default font is used).
std::optional<int> labelPixelHeight(int language, int baseHeight);

// Label rectangle of a button: (left + int(width x fx), int(fy x bottom), right, bottom).
QRect labelRect(const QSize& button, double fx, double fy);

} // namespace ButtonLooks
