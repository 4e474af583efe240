#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The pictograms of the interface pictures: flat, one colour, round line ends,
// drawn on a 100 x 100 design grid and scaled into any square.
//
// Threading: stateless; safe from any thread with its own QPainter.
namespace art {

enum class Glyph {
    // main window menu
    Camera,
    Compare,
    Report,
    SkinColour,
    WaterOil,
    Texture,
    Spots,
    Gloss,
    RedStreaks,
    Sensitivity,
    Pores,
    // start page and data screens
    Members,
    Person,
    FaceScan,
    Product,
    Settings,
    History,
    // small actions
    Power,
    Back,
    Close,
    Minimise,
    Plus,
    Minus,
    Search,
    ZoomIn,
    Edit,
    Delete,
    Print,
    // tips
    Check,
    Cross,
    Info,
    // lights of the skin camera
    WhiteLight,
    PolarizedLight,
    UvLight,
};

// Draws the glyph centred in the largest square inside box. weight is the
// line width on the 100-unit design grid.
void drawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& ink, double weight = 7.0);

} // namespace art
