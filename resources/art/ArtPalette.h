#pragma once

// The colours of every interface picture the program ships. Change a base
// colour here and rebuild: each picture is drawn again from code, and every
// shade below is derived from the base colours, so the whole look follows.

#include <QColor>
#include <QRgb>

namespace art {

// Base colours of the house style.
inline constexpr QRgb kAccent = qRgb(246, 109, 141);      // buttons, badges, highlights
inline constexpr QRgb kAccentFrame = qRgb(247, 111, 137); // caption and border bitmaps
inline constexpr QRgb kInk = qRgb(80, 80, 80);            // text grey, selected menu tile
inline constexpr QRgb kPaper = qRgb(244, 244, 244);       // panel backgrounds
inline constexpr QRgb kWhite = qRgb(255, 255, 255);

// Signal colours of the tip icons and the score scale.
inline constexpr QRgb kSuccess = qRgb(111, 215, 174); // the report's bar colour
inline constexpr QRgb kError = qRgb(236, 84, 104);
inline constexpr QRgb kInfo = qRgb(96, 156, 226);
inline constexpr QRgb kTipBox = qRgb(76, 76, 76); // the tip box the icons sit on

// Score scale stops, low to high (0, 50, 100), matching the score ring.
inline constexpr QRgb kScaleLow = qRgb(240, 84, 110);
inline constexpr QRgb kScaleMid = qRgb(250, 206, 60);
inline constexpr QRgb kScaleHigh = qRgb(40, 196, 110);

// Linear mix of two colours: t = 0 gives a, t = 1 gives b.
inline QColor mix(QRgb a, QRgb b, double t) {
    auto lerp = [t](int x, int y) { return int(x + (y - x) * t + 0.5); };
    return QColor(lerp(qRed(a), qRed(b)), lerp(qGreen(a), qGreen(b)), lerp(qBlue(a), qBlue(b)));
}

inline QColor withAlpha(QRgb c, int alpha) {
    QColor q(c);
    q.setAlpha(alpha);
    return q;
}

// Derived shades.
inline QColor accent() {
    return QColor(kAccent);
}
inline QColor accentDeep() {
    return mix(kAccent, qRgb(120, 20, 60), 0.22);
}
inline QColor accentSoft() {
    return mix(kAccent, kWhite, 0.55);
}
inline QColor accentMist() {
    return mix(kAccent, kWhite, 0.88);
}
inline QColor ink() {
    return QColor(kInk);
}
inline QColor inkSoft() {
    return mix(kInk, kWhite, 0.45);
}
inline QColor inkFaint() {
    return mix(kInk, kWhite, 0.75);
}
inline QColor paper() {
    return QColor(kPaper);
}
inline QColor line() {
    return mix(kInk, kWhite, 0.82);
}
inline QColor white() {
    return QColor(kWhite);
}

} // namespace art
