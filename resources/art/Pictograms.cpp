#include "Pictograms.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace art {
namespace {

// Drawing context on the 100 x 100 grid: the pen strokes outlines, fill()
// paints solid shapes in the same ink.
struct Pen {
    QPainter& p;
    QColor ink;
    double weight;

    void stroke(const QPainterPath& path, double w = -1) const {
        p.setPen(QPen(ink, w < 0 ? weight : w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    }
    void line(double x1, double y1, double x2, double y2, double w = -1) const {
        QPainterPath path;
        path.moveTo(x1, y1);
        path.lineTo(x2, y2);
        stroke(path, w);
    }
    void circle(double cx, double cy, double r, double w = -1) const {
        QPainterPath path;
        path.addEllipse(QPointF(cx, cy), r, r);
        stroke(path, w);
    }
    void fill(const QPainterPath& path) const {
        p.setPen(Qt::NoPen);
        p.setBrush(ink);
        p.drawPath(path);
    }
    void dot(double cx, double cy, double r) const {
        QPainterPath path;
        path.addEllipse(QPointF(cx, cy), r, r);
        fill(path);
    }
    void faded(const QPainterPath& path, double alpha) const {
        QColor c = ink;
        c.setAlphaF(ink.alphaF() * alpha);
        p.setPen(Qt::NoPen);
        p.setBrush(c);
        p.drawPath(path);
    }
};

QPainterPath roundRect(double x1, double y1, double x2, double y2, double r) {
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(x1, y1), QPointF(x2, y2)), r, r);
    return path;
}

QPainterPath sparkle(double cx, double cy, double r) {
    QPainterPath path;
    path.moveTo(cx, cy - r);
    path.quadTo(cx + r * 0.12, cy - r * 0.12, cx + r, cy);
    path.quadTo(cx + r * 0.12, cy + r * 0.12, cx, cy + r);
    path.quadTo(cx - r * 0.12, cy + r * 0.12, cx - r, cy);
    path.quadTo(cx - r * 0.12, cy - r * 0.12, cx, cy - r);
    return path;
}

// A drop standing on a circle of radius r around (cx, cy) with its tip at tipY.
QPainterPath droplet(double cx, double cy, double r, double tipY) {
    const double d = cy - tipY;
    const double alpha = std::acos(r / d) * 180.0 / std::numbers::pi;
    const double start = 90.0 - alpha;
    const double rad = start * std::numbers::pi / 180.0;
    QPainterPath path;
    path.moveTo(cx, tipY);
    path.lineTo(cx + r * std::cos(rad), cy - r * std::sin(rad));
    path.arcTo(QRectF(cx - r, cy - r, 2 * r, 2 * r), start, -(360.0 - 2 * alpha));
    path.closeSubpath();
    return path;
}

QPainterPath personShape(double cx, double top, double scale) {
    QPainterPath path;
    path.addEllipse(QPointF(cx, top + 17 * scale), 16 * scale, 16 * scale);
    QPainterPath body;
    const double y0 = top + 40 * scale;
    body.moveTo(cx - 32 * scale, top + 76 * scale);
    body.cubicTo(cx - 32 * scale, y0 + 6 * scale, cx - 18 * scale, y0, cx, y0);
    body.cubicTo(cx + 18 * scale, y0, cx + 32 * scale, y0 + 6 * scale, cx + 32 * scale,
                 top + 76 * scale);
    body.closeSubpath();
    return path.united(body);
}

void camera(const Pen& k) {
    QPainterPath body = roundRect(12, 32, 88, 80, 11);
    QPainterPath hump;
    hump.moveTo(34, 32);
    hump.lineTo(40, 21);
    hump.lineTo(60, 21);
    hump.lineTo(66, 32);
    k.stroke(body.united(hump));
    k.circle(50, 56, 14);
    k.dot(75, 43, 3.5);
}

void compare(const Pen& k) {
    k.faded(roundRect(12, 24, 50, 76, 8), 0.45);
    k.stroke(roundRect(12, 24, 88, 76, 8));
    k.line(50, 14, 50, 86);
    QPainterPath arrows;
    arrows.moveTo(30, 44);
    arrows.lineTo(24, 50);
    arrows.lineTo(30, 56);
    arrows.moveTo(70, 44);
    arrows.lineTo(76, 50);
    arrows.lineTo(70, 56);
    k.stroke(arrows, k.weight * 0.8);
}

void report(const Pen& k) {
    k.stroke(roundRect(20, 12, 80, 88, 8));
    QPainterPath bars;
    bars.addRoundedRect(QRectF(31, 52, 9, 24), 2, 2);
    bars.addRoundedRect(QRectF(45.5, 36, 9, 40), 2, 2);
    bars.addRoundedRect(QRectF(60, 46, 9, 30), 2, 2);
    k.fill(bars);
}

void skinColour(const Pen& k) {
    QPainterPath palette;
    palette.moveTo(52, 12);
    palette.cubicTo(76, 12, 90, 30, 90, 50);
    palette.cubicTo(90, 64, 80, 68, 72, 66);
    palette.cubicTo(62, 64, 58, 72, 62, 80);
    palette.cubicTo(66, 88, 58, 92, 48, 90);
    palette.cubicTo(26, 88, 10, 72, 10, 50);
    palette.cubicTo(10, 28, 28, 12, 52, 12);
    palette.closeSubpath();
    k.stroke(palette);
    k.dot(32, 38, 6.5);
    k.dot(52, 29, 6.5);
    k.dot(72, 38, 6.5);
    k.dot(30, 62, 6.5);
}

void waterOil(const Pen& k) {
    k.stroke(droplet(50, 60, 27, 10));
    QPainterPath shine;
    shine.arcMoveTo(QRectF(35, 45, 30, 30), 200);
    shine.arcTo(QRectF(35, 45, 30, 30), 200, 55);
    k.stroke(shine, k.weight * 0.8);
}

void texture(const Pen& k) {
    for (double y : {28.0, 50.0, 72.0}) {
        QPainterPath wave;
        wave.moveTo(12, y);
        for (int i = 0; i < 4; ++i) {
            const double x = 12 + i * 19;
            const double dir = (i % 2) ? 1 : -1;
            wave.cubicTo(x + 6, y + 9 * dir, x + 13, y + 9 * dir, x + 19, y);
        }
        k.stroke(wave);
    }
}

void spots(const Pen& k) {
    k.circle(50, 50, 38, k.weight * 0.6);
    k.dot(38, 36, 8);
    k.dot(63, 40, 5.5);
    k.dot(44, 62, 5);
    k.dot(65, 63, 8.5);
    k.dot(27, 53, 3.5);
    k.dot(54, 24, 3.5);
    k.dot(50, 78, 3);
}

void gloss(const Pen& k) {
    k.fill(sparkle(42, 56, 32));
    k.fill(sparkle(77, 24, 13));
    k.fill(sparkle(80, 78, 8));
}

void redStreaks(const Pen& k) {
    QPainterPath v;
    v.moveTo(12, 76);
    v.cubicTo(30, 72, 40, 54, 56, 48);
    v.cubicTo(68, 44, 78, 34, 88, 20);
    v.moveTo(40, 60);
    v.cubicTo(46, 70, 54, 78, 66, 82);
    v.moveTo(56, 48);
    v.cubicTo(66, 56, 76, 60, 88, 60);
    v.moveTo(47, 52);
    v.cubicTo(42, 40, 36, 32, 24, 26);
    v.moveTo(72, 40);
    v.cubicTo(70, 30, 66, 22, 58, 14);
    v.moveTo(27, 71);
    v.cubicTo(26, 78, 22, 84, 16, 88);
    k.stroke(v, k.weight * 0.8);
}

void sensitivity(const Pen& k) {
    QPainterPath shield;
    shield.moveTo(50, 10);
    shield.lineTo(84, 22);
    shield.cubicTo(84, 56, 72, 78, 50, 90);
    shield.cubicTo(28, 78, 16, 56, 16, 22);
    shield.closeSubpath();
    k.stroke(shield);
    k.line(50, 32, 50, 56, k.weight * 1.1);
    k.dot(50, 70, k.weight * 0.75);
}

void pores(const Pen& k) {
    const double w = k.weight * 0.8;
    k.circle(28, 30, 9, w);
    k.circle(60, 24, 7, w);
    k.circle(78, 50, 10, w);
    k.circle(46, 52, 8, w);
    k.circle(22, 68, 7, w);
    k.circle(56, 80, 8, w);
    k.circle(82, 80, 5, w);
}

void members(const Pen& k) {
    QPainterPath back = personShape(66, 14, 0.78);
    k.faded(back, 0.55);
    k.fill(personShape(42, 20, 0.95));
}

void person(const Pen& k) {
    k.fill(personShape(50, 14, 1.0));
}

void faceScan(const Pen& k) {
    QPainterPath corners;
    corners.moveTo(12, 30);
    corners.lineTo(12, 12);
    corners.lineTo(30, 12);
    corners.moveTo(70, 12);
    corners.lineTo(88, 12);
    corners.lineTo(88, 30);
    corners.moveTo(88, 70);
    corners.lineTo(88, 88);
    corners.lineTo(70, 88);
    corners.moveTo(30, 88);
    corners.lineTo(12, 88);
    corners.lineTo(12, 70);
    k.stroke(corners);
    QPainterPath face;
    face.addEllipse(QRectF(31, 24, 38, 50));
    k.stroke(face, k.weight * 0.8);
    k.dot(43, 45, 3.2);
    k.dot(57, 45, 3.2);
    QPainterPath smile;
    smile.moveTo(43, 59);
    smile.quadTo(50, 65, 57, 59);
    k.stroke(smile, k.weight * 0.7);
    k.line(20, 50, 80, 50, k.weight * 0.45);
}

void product(const Pen& k) {
    QPainterPath bottle = roundRect(30, 42, 70, 90, 10);
    bottle.addRect(QRectF(42, 31, 16, 11));
    k.stroke(bottle.simplified());
    QPainterPath pump;
    pump.moveTo(40, 31);
    pump.lineTo(40, 22);
    pump.lineTo(62, 22);
    pump.moveTo(50, 22);
    pump.lineTo(50, 12);
    pump.lineTo(74, 12);
    pump.lineTo(78, 18);
    k.stroke(pump);
    k.faded(roundRect(38, 56, 62, 74, 3), 0.6);
}

void settings(const Pen& k) {
    QPainterPath gear;
    const int teeth = 8;
    const double outer = 42, inner = 32;
    for (int i = 0; i < teeth * 4; ++i) {
        const double a = (i / double(teeth * 4)) * 2 * std::numbers::pi - std::numbers::pi / 2;
        const int phase = i % 4;
        const double r = (phase == 1 || phase == 2) ? outer : inner;
        const double shift = (phase == 1 || phase == 0) ? 0.04 : -0.04;
        const QPointF pt(50 + r * std::cos(a + shift), 50 + r * std::sin(a + shift));
        if (i == 0)
            gear.moveTo(pt);
        else
            gear.lineTo(pt);
    }
    gear.closeSubpath();
    QPainterPath hole;
    hole.addEllipse(QPointF(50, 50), 13, 13);
    k.fill(gear.subtracted(hole));
}

void history(const Pen& k) {
    QPainterPath arc;
    arc.arcMoveTo(QRectF(14, 14, 72, 72), 160);
    arc.arcTo(QRectF(14, 14, 72, 72), 160, -320);
    k.stroke(arc);
    QPainterPath head;
    head.moveTo(10, 34);
    head.lineTo(17, 48);
    head.lineTo(29, 38);
    k.stroke(head);
    QPainterPath hands;
    hands.moveTo(50, 30);
    hands.lineTo(50, 50);
    hands.lineTo(64, 58);
    k.stroke(hands);
}

void power(const Pen& k) {
    QPainterPath arc;
    arc.arcMoveTo(QRectF(20, 22, 60, 60), 125);
    arc.arcTo(QRectF(20, 22, 60, 60), 125, 290);
    k.stroke(arc);
    k.line(50, 14, 50, 48);
}

void back(const Pen& k) {
    QPainterPath path;
    path.moveTo(26, 40);
    path.lineTo(62, 40);
    path.cubicTo(76, 40, 84, 50, 84, 60);
    path.cubicTo(84, 70, 76, 80, 62, 80);
    path.lineTo(42, 80);
    path.moveTo(40, 25);
    path.lineTo(25, 40);
    path.lineTo(40, 55);
    k.stroke(path);
}

void plus(const Pen& k) {
    k.line(50, 24, 50, 76);
    k.line(24, 50, 76, 50);
}

void search(const Pen& k, bool withPlus) {
    k.circle(43, 43, 25);
    k.line(62, 62, 82, 82, k.weight * 1.4);
    if (withPlus) {
        k.line(43, 32, 43, 54, k.weight * 0.8);
        k.line(32, 43, 54, 43, k.weight * 0.8);
    }
}

void edit(const Pen& k) {
    QPainterPath pencil;
    pencil.moveTo(64, 16);
    pencil.lineTo(82, 34);
    pencil.lineTo(38, 78);
    pencil.lineTo(16, 84);
    pencil.lineTo(22, 62);
    pencil.closeSubpath();
    k.stroke(pencil);
    k.line(54, 26, 72, 44);
}

void remove(const Pen& k) {
    k.line(18, 26, 82, 26);
    QPainterPath handle;
    handle.moveTo(39, 26);
    handle.lineTo(41, 15);
    handle.lineTo(59, 15);
    handle.lineTo(61, 26);
    k.stroke(handle);
    QPainterPath can;
    can.moveTo(26, 26);
    can.lineTo(30, 86);
    can.lineTo(70, 86);
    can.lineTo(74, 26);
    k.stroke(can);
    k.line(42, 40, 43, 72, k.weight * 0.7);
    k.line(58, 40, 57, 72, k.weight * 0.7);
}

void print(const Pen& k) {
    // The sheet coming out of the printer hides the body behind it.
    QPainterPath outside;
    outside.addRect(QRectF(-10, -10, 120, 120));
    outside = outside.subtracted(roundRect(26, 54, 74, 92, 2));
    k.p.save();
    k.p.setClipPath(outside, Qt::IntersectClip);
    k.stroke(roundRect(30, 14, 70, 36, 2));
    k.stroke(roundRect(12, 36, 88, 72, 8));
    k.p.restore();
    k.stroke(roundRect(30, 58, 70, 88, 2));
    k.line(38, 70, 62, 70, k.weight * 0.6);
    k.line(38, 79, 56, 79, k.weight * 0.6);
    k.dot(76, 47, 3.5);
}

void check(const Pen& k) {
    QPainterPath path;
    path.moveTo(24, 52);
    path.lineTo(42, 70);
    path.lineTo(78, 32);
    k.stroke(path);
}

void cross(const Pen& k) {
    k.line(30, 30, 70, 70);
    k.line(70, 30, 30, 70);
}

void info(const Pen& k) {
    k.dot(50, 25, k.weight * 0.8);
    k.line(44, 44, 50, 44, k.weight * 0.9);
    k.line(50, 44, 50, 76, k.weight * 0.9);
}

void whiteLight(const Pen& k) {
    k.circle(50, 50, 16);
    for (int i = 0; i < 8; ++i) {
        const double a = i * std::numbers::pi / 4;
        k.line(50 + 26 * std::cos(a), 50 + 26 * std::sin(a), 50 + 38 * std::cos(a),
               50 + 38 * std::sin(a));
    }
}

void polarizedLight(const Pen& k) {
    k.circle(50, 50, 36);
    k.p.save();
    QPainterPath clip;
    clip.addEllipse(QPointF(50, 50), 33, 33);
    k.p.setClipPath(clip, Qt::IntersectClip);
    for (int i = -3; i <= 3; ++i)
        k.line(50 + i * 11 - 40, 90, 50 + i * 11 + 40, 10, k.weight * 0.55);
    k.p.restore();
}

void uvLight(const Pen& k) {
    QPainterPath bulb;
    bulb.addEllipse(QPointF(50, 42), 22, 22);
    k.stroke(bulb);
    k.line(40, 74, 60, 74);
    k.line(43, 84, 57, 84);
    for (int i = -1; i <= 1; ++i) {
        const double a = -std::numbers::pi / 2 + i * 0.7;
        k.line(50 + 30 * std::cos(a), 42 + 30 * std::sin(a), 50 + 40 * std::cos(a),
               42 + 40 * std::sin(a), k.weight * 0.8);
    }
}

} // namespace

void drawGlyph(QPainter& p, Glyph glyph, const QRectF& box, const QColor& ink, double weight) {
    const double side = std::min(box.width(), box.height());
    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.translate(box.center().x() - side / 2, box.center().y() - side / 2);
    p.scale(side / 100.0, side / 100.0);
    const Pen k{p, ink, weight};
    switch (glyph) {
    case Glyph::Camera:
        camera(k);
        break;
    case Glyph::Compare:
        compare(k);
        break;
    case Glyph::Report:
        report(k);
        break;
    case Glyph::SkinColour:
        skinColour(k);
        break;
    case Glyph::WaterOil:
        waterOil(k);
        break;
    case Glyph::Texture:
        texture(k);
        break;
    case Glyph::Spots:
        spots(k);
        break;
    case Glyph::Gloss:
        gloss(k);
        break;
    case Glyph::RedStreaks:
        redStreaks(k);
        break;
    case Glyph::Sensitivity:
        sensitivity(k);
        break;
    case Glyph::Pores:
        pores(k);
        break;
    case Glyph::Members:
        members(k);
        break;
    case Glyph::Person:
        person(k);
        break;
    case Glyph::FaceScan:
        faceScan(k);
        break;
    case Glyph::Product:
        product(k);
        break;
    case Glyph::Settings:
        settings(k);
        break;
    case Glyph::History:
        history(k);
        break;
    case Glyph::Power:
        power(k);
        break;
    case Glyph::Back:
        back(k);
        break;
    case Glyph::Close:
        cross(k);
        break;
    case Glyph::Minimise:
        k.line(30, 50, 70, 50);
        break;
    case Glyph::Plus:
        plus(k);
        break;
    case Glyph::Minus:
        k.line(24, 50, 76, 50);
        break;
    case Glyph::Search:
        search(k, false);
        break;
    case Glyph::ZoomIn:
        search(k, true);
        break;
    case Glyph::Edit:
        edit(k);
        break;
    case Glyph::Delete:
        remove(k);
        break;
    case Glyph::Print:
        print(k);
        break;
    case Glyph::Check:
        check(k);
        break;
    case Glyph::Cross:
        cross(k);
        break;
    case Glyph::Info:
        info(k);
        break;
    case Glyph::WhiteLight:
        whiteLight(k);
        break;
    case Glyph::PolarizedLight:
        polarizedLight(k);
        break;
    case Glyph::UvLight:
        uvLight(k);
        break;
    }
    p.restore();
}

} // namespace art
