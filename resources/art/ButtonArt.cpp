#include "ButtonArt.h"

#include "ArtKit.h"
#include "ArtPalette.h"
#include "Pictograms.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace art {
namespace {

// Text buttons: a rounded bar with a faint shadow one pixel below.
enum class Bar { Primary, Secondary, Outline, Quiet };

QImage textBar(int w, int h, Bar style) {
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(1.5, 1.5, w - 3.0, h - 4.5);
    const double r = h * 0.3;
    softShadow(p, body, r, 2, 1.2, 60);
    switch (style) {
    case Bar::Primary: {
        QLinearGradient g(0, body.top(), 0, body.bottom());
        g.setColorAt(0, mix(kAccent, kWhite, 0.08));
        g.setColorAt(1, mix(kAccent, accentDeep().rgb(), 0.35));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(body, r, r);
        break;
    }
    case Bar::Secondary:
        p.setPen(QPen(line(), 1.2));
        p.setBrush(white());
        p.drawRoundedRect(body, r, r);
        break;
    case Bar::Outline:
        p.setPen(QPen(accent(), 2.0));
        p.setBrush(white());
        p.drawRoundedRect(body.adjusted(0.5, 0.5, -0.5, -0.5), r, r);
        break;
    case Bar::Quiet:
        p.setPen(QPen(mix(kInk, kWhite, 0.7), 1.2));
        p.setBrush(mix(kPaper, kInk, 0.05));
        p.drawRoundedRect(body, r, r);
        break;
    }
    return img;
}

QImage printButton() {
    QImage img = textBar(140, 44, Bar::Secondary);
    QPainter p(&img);
    drawGlyph(p, Glyph::Print, QRectF(22, 9, 24, 24), accent(), 8);
    return img;
}

// Square action tiles of the member and product screens.
QImage tile(Glyph glyph, bool filled, const QColor& ink) {
    const int s = 48;
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(2, 2, s - 4, s - 5);
    softShadow(p, body, 10, 2, 1.2, 60);
    if (filled) {
        QLinearGradient g(0, body.top(), 0, body.bottom());
        g.setColorAt(0, mix(kAccent, kWhite, 0.08));
        g.setColorAt(1, mix(kAccent, accentDeep().rgb(), 0.35));
        p.setPen(Qt::NoPen);
        p.setBrush(g);
    } else {
        p.setPen(QPen(line(), 1.2));
        p.setBrush(white());
    }
    p.drawRoundedRect(body, 10, 10);
    drawGlyph(p, glyph, body.adjusted(11, 11, -11, -11), ink, 9);
    return img;
}

// Round buttons: a filled disc with a thin light ring and a white pictogram.
QImage roundButton(int s, Glyph glyph, const QColor& disc, double glyphScale, double weight) {
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(1.5, 1.5, s - 3.0, s - 3.0);
    p.setPen(QPen(withAlpha(kWhite, 170), 1.5));
    p.setBrush(disc);
    p.drawEllipse(body);
    const double g = s * glyphScale;
    drawGlyph(p, glyph, QRectF((s - g) / 2, (s - g) / 2, g, g), white(), weight);
    return img;
}

QImage startPageClose() {
    const int s = 50;
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(4, 3, s - 8, s - 8);
    softShadow(p, body, body.width() / 2, 3, 1.5, 70);
    p.setPen(QPen(line(), 1));
    p.setBrush(white());
    p.drawEllipse(body);
    drawGlyph(p, Glyph::Power, body.adjusted(10, 10, -10, -10), accent(), 10);
    return img;
}

QImage plusMinus(bool plus) {
    const int s = 40;
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(2, 2, s - 4, s - 4);
    if (plus) {
        p.setPen(Qt::NoPen);
        p.setBrush(accent());
    } else {
        p.setPen(QPen(accent(), 2));
        p.setBrush(white());
    }
    p.drawEllipse(body);
    drawGlyph(p, plus ? Glyph::Plus : Glyph::Minus, body.adjusted(7, 7, -7, -7),
              plus ? white() : accent(), 11);
    return img;
}

QImage magnifier() {
    const int s = 26;
    QImage img = canvas(s, s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(withAlpha(kWhite, 200), 1));
    p.setBrush(withAlpha(kInk, 190));
    p.drawEllipse(QRectF(1, 1, s - 2, s - 2));
    drawGlyph(p, Glyph::ZoomIn, QRectF(6, 6, s - 12, s - 12), white(), 11);
    return img;
}

// Main window menu: 220 x 60. The normal look is quiet, a white pictogram in a
// white ring on the window's pink; the selected look is a solid charcoal tile
// with an accent disc and marker, so the current page is obvious from across
// the room. Captions are white in both.
QImage menuTile(Glyph glyph, bool selected) {
    const int w = 220, h = 60;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF body(3, 4, w - 6, h - 8);
    const QPointF centre(38, h / 2.0);
    const double r = 19;
    if (selected) {
        softShadow(p, body, 12, 3, 1.5, 90);
        p.setPen(Qt::NoPen);
        p.setBrush(ink());
        p.drawRoundedRect(body, 12, 12);
        p.setBrush(accent());
        p.drawRoundedRect(QRectF(body.left(), 15, 5, h - 30), 2.5, 2.5);
        p.setBrush(accent());
        p.drawEllipse(centre, r, r);
    } else {
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(kWhite, 26));
        p.drawRoundedRect(body, 12, 12);
        p.setPen(QPen(withAlpha(kWhite, 200), 1.6));
        p.setBrush(withAlpha(kWhite, 40));
        p.drawEllipse(centre, r, r);
    }
    const double g = 27;
    drawGlyph(p, glyph, QRectF(centre.x() - g / 2, centre.y() - g / 2, g, g), white(), 8);
    return img;
}

// Start page cards: 251 x 344, a white card with the pictogram in an accent
// badge above and the caption area from 60 % of the height down.
QImage startCard(Glyph glyph) {
    const int w = 251, h = 344;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF card(8, 6, w - 16, h - 16);
    softShadow(p, card, 22, 7, 3, 70);
    p.setPen(Qt::NoPen);
    p.setBrush(white());
    p.drawRoundedRect(card, 22, 22);

    // A faint wash behind the badge, clipped to the card's top.
    p.save();
    QPainterPath clip;
    clip.addRoundedRect(card, 22, 22);
    p.setClipPath(clip);
    QRadialGradient wash(QPointF(w / 2.0, 112), 150);
    wash.setColorAt(0, accentMist());
    wash.setColorAt(1, withAlpha(kWhite, 0));
    p.setBrush(wash);
    p.drawRect(card);
    p.restore();

    const QPointF c(w / 2.0, 112);
    const double R = 62;
    softShadow(p, QRectF(c.x() - R, c.y() - R, 2 * R, 2 * R), R, 6, 4, 60);
    QLinearGradient g(c.x() - R, c.y() - R, c.x() + R, c.y() + R);
    g.setColorAt(0, mix(kAccent, kWhite, 0.15));
    g.setColorAt(1, accentDeep());
    p.setBrush(g);
    p.drawEllipse(c, R, R);
    p.setPen(QPen(withAlpha(kWhite, 120), 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, R - 7, R - 7);
    const double gs = 74;
    drawGlyph(p, glyph, QRectF(c.x() - gs / 2, c.y() - gs / 2, gs, gs), white(), 6.5);

    // A short accent rule under the caption.
    p.setPen(Qt::NoPen);
    p.setBrush(accent());
    p.drawRoundedRect(QRectF(w / 2.0 - 18, 306, 36, 4), 2, 2);
    return img;
}

} // namespace

QImage buttonPicture(int id) {
    switch (id) {
    case 242:
        return startPageClose();
    case 350:
        return roundButton(38, Glyph::Back, accentDeep(), 0.56, 10);
    case 351:
        return roundButton(38, Glyph::Close, accentDeep(), 0.56, 11);
    case 352:
        return roundButton(38, Glyph::Minimise, accentDeep(), 0.56, 11);
    case 366:
        return plusMinus(true);
    case 367:
        return plusMinus(false);

    // Menu: normal and selected looks of each command.
    case 399:
        return menuTile(Glyph::Camera, false);
    case 393:
        return menuTile(Glyph::Camera, true);
    case 377:
        return menuTile(Glyph::Compare, false);
    case 389:
        return menuTile(Glyph::Compare, true);
    case 381:
        return menuTile(Glyph::Report, false);
    case 394:
        return menuTile(Glyph::Report, true);
    case 383:
        return menuTile(Glyph::SkinColour, false);
    case 396:
        return menuTile(Glyph::SkinColour, true);
    case 385:
        return menuTile(Glyph::WaterOil, false);
    case 398:
        return menuTile(Glyph::WaterOil, true);
    case 384:
        return menuTile(Glyph::Texture, false);
    case 397:
        return menuTile(Glyph::Texture, true);
    case 382:
        return menuTile(Glyph::Spots, false);
    case 395:
        return menuTile(Glyph::Spots, true);
    case 378:
        return menuTile(Glyph::Gloss, false);
    case 390:
        return menuTile(Glyph::Gloss, true);
    case 379:
        return menuTile(Glyph::RedStreaks, false);
    case 391:
        return menuTile(Glyph::RedStreaks, true);
    case 400:
        return menuTile(Glyph::Sensitivity, false);
    case 401:
        return menuTile(Glyph::Sensitivity, true);
    case 380:
        return menuTile(Glyph::Pores, false);
    case 392:
        return menuTile(Glyph::Pores, true);
    case 386:
        return menuTile(Glyph::History, false);
    case 387:
        return menuTile(Glyph::History, true);
    case 388:
        return menuTile(Glyph::Members, false);

    case 402:
        return printButton();
    case 405:
        return startCard(Glyph::Members);
    case 406:
        return startCard(Glyph::Product);
    case 407:
        return startCard(Glyph::Settings);
    case 408:
        return startCard(Glyph::FaceScan);
    case 411:
        return tile(Glyph::Search, false, ink());
    case 412:
        return textBar(140, 44, Bar::Secondary);
    case 413:
        return textBar(140, 44, Bar::Primary);
    case 414:
        return tile(Glyph::Delete, false, QColor(kError));
    case 415:
        return tile(Glyph::Plus, true, white());
    case 416:
        return tile(Glyph::Edit, false, ink());
    case 420:
        return textBar(150, 44, Bar::Outline);
    case 421:
        return textBar(150, 44, Bar::Secondary);
    case 422:
        return textBar(150, 44, Bar::Primary);
    case 423:
        return textBar(150, 44, Bar::Quiet);
    case 425:
        return magnifier();
    default:
        return {};
    }
}

} // namespace art
