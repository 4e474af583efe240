#include "PhotoArt.h"

#include "ArtKit.h"
#include "ArtPalette.h"
#include "Pictograms.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>
#include <vector>

namespace art {
namespace {

// ---- procedural skin -------------------------------------------------------

double hash2(int x, int y, uint32_t seed) {
    uint32_t h = uint32_t(x) * 374761393u + uint32_t(y) * 668265263u + seed * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xffffff) / double(0x1000000);
}

double valueNoise(double x, double y, uint32_t seed) {
    const int xi = int(std::floor(x));
    const int yi = int(std::floor(y));
    const double fx = x - xi, fy = y - yi;
    const double sx = fx * fx * (3 - 2 * fx), sy = fy * fy * (3 - 2 * fy);
    const double a = hash2(xi, yi, seed), b = hash2(xi + 1, yi, seed);
    const double c = hash2(xi, yi + 1, seed), d = hash2(xi + 1, yi + 1, seed);
    return (a + (b - a) * sx) + ((c + (d - c) * sx) - (a + (b - a) * sx)) * sy;
}

double fbm(double x, double y, uint32_t seed, int octaves = 4) {
    double sum = 0, amp = 0.5, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * valueNoise(x, y, seed + o * 101);
        norm += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return sum / norm;
}

enum class Light { White, Polarized, Ultraviolet };

struct SkinLook {
    Light light;
    double r, g, b;       // base tone
    double tone;          // low-frequency unevenness
    double redness;       // blotchy red (polarized light shows it)
    double furrows;       // depth of the skin's line pattern
    double furrowSpacing; // px between lines
    double pores;         // 0 none ... 1 many
    double sheen;         // broad highlight (moisture, gloss)
    uint32_t seed;
};

struct Pore {
    double x, y, r;
};

QImage renderSkin(const SkinLook& look, int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    Random rnd(look.seed);
    std::vector<Pore> pores;
    const double cell = 46;
    for (double gy = 0; gy < h + cell; gy += cell)
        for (double gx = 0; gx < w + cell; gx += cell)
            if (rnd.uniform() < look.pores)
                pores.push_back({gx + rnd.range(0, cell), gy + rnd.range(0, cell),
                                 rnd.range(1.6, 3.2) * (0.8 + look.pores * 0.6)});
    // Pore darkening looked up per pixel from a small map.
    std::vector<float> poreMap(size_t(w) * h, 0.f);
    for (const Pore& pr : pores) {
        const int r = int(pr.r * 2.5) + 1;
        for (int y = int(pr.y) - r; y <= int(pr.y) + r; ++y)
            for (int x = int(pr.x) - r; x <= int(pr.x) + r; ++x) {
                if (x < 0 || y < 0 || x >= w || y >= h)
                    continue;
                const double d = std::hypot(x - pr.x, y - pr.y) / pr.r;
                const float v = float(std::exp(-d * d * 1.4));
                poreMap[size_t(y) * w + x] = std::max(poreMap[size_t(y) * w + x], v);
            }
    }

    const bool uv = look.light == Light::Ultraviolet;
    // Relief first: a height field of soft furrows in three directions (the
    // skin's rhomboid pattern) plus a finer, fainter set, lit from the upper
    // left so the plateaus between furrows read as raised.
    std::vector<float> height(size_t(w) * h);
    const double a1 = 0.52, a2 = -0.61, a3 = 1.45;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const double warp = fbm(x / 110.0, y / 110.0, look.seed + 31, 3) * 1.2;
            auto groove = [&](double angle, double spacing) {
                const double t = (x * std::cos(angle) + y * std::sin(angle)) / spacing + warp;
                const double f = std::abs(t - std::floor(t) - 0.5) * 2; // 1 in the furrow
                return std::pow(f, 5.0);
            };
            const double s = look.furrowSpacing;
            const double coarse = groove(a1, s) + groove(a2, s * 1.15) + 0.6 * groove(a3, s * 1.6);
            const double fine = groove(a1 + 0.3, s * 0.42) + groove(a2 - 0.2, s * 0.47);
            height[size_t(y) * w + x] = float(-(coarse + 0.15 * fine) * look.furrows);
        }
    auto heightAt = [&](int x, int y) {
        return height[size_t(std::clamp(y, 0, h - 1)) * w + std::clamp(x, 0, w - 1)];
    };
    const double relief = look.light == Light::White ? 2.4 : 1.0;

    const double cx = w / 2.0, cy = h / 2.0;
    const double maxR = std::hypot(cx, cy);
    for (int y = 0; y < h; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < w; ++x) {
            const double tone = fbm(x / 140.0, y / 140.0, look.seed) - 0.5;
            const double red = fbm(x / 90.0, y / 90.0, look.seed + 17) - 0.5;
            const double grain = fbm(x / 3.0, y / 3.0, look.seed + 57, 2) - 0.5;
            const double here = heightAt(x, y);
            const double slope = heightAt(x - 2, y - 2) - heightAt(x + 2, y + 2);
            const double pore = poreMap[size_t(y) * w + x];
            const double d = std::hypot(x - cx, y - cy) / maxR;
            const double vignette = 1.0 - 0.42 * std::pow(d, 2.2);

            double shade =
                1.0 + tone * look.tone + here * 0.5 - slope * relief * 0.5 + grain * 0.04;
            double r, g, b;
            if (uv) {
                r = look.r * shade + pore * 70;
                g = look.g * shade + pore * 80;
                b = look.b * shade + pore * 40;
            } else {
                shade -= pore * 0.3;
                r = look.r * shade + red * look.redness * 60;
                g = look.g * shade - red * look.redness * 40 - look.redness * 8;
                b = look.b * shade - red * look.redness * 20;
            }
            if (look.sheen > 0) {
                const double hx = (x - w * 0.42) / (w * 0.32);
                const double hy = (y - h * 0.36) / (h * 0.3);
                const double spot = std::exp(-(hx * hx + hy * hy));
                const double ridge = std::max(0.0, 1.0 + here * 3) * (0.6 + grain);
                const double lift = look.sheen * (spot * 60 + spot * ridge * 40);
                r += lift;
                g += lift;
                b += lift;
            }
            r *= vignette;
            g *= vignette;
            b *= vignette;
            row[x] = qRgb(std::clamp(int(r), 0, 255), std::clamp(int(g), 0, 255),
                          std::clamp(int(b), 0, 255));
        }
    }
    return img;
}

SkinLook lookFor(const QString& stem) {
    // White light shows relief and shine; polarized light removes the shine
    // and shows colour and redness; ultraviolet shows pores as bright dots.
    SkinLook white{Light::White, 228, 184, 160, 0.10, 0.05, 0.14, 46, 0.30, 0.0, 11};
    SkinLook polarized{Light::Polarized, 222, 170, 146, 0.08, 0.12, 0.08, 48, 0.22, 0.0, 23};
    SkinLook uv{Light::Ultraviolet, 70, 58, 128, 0.20, 0.0, 0.16, 44, 0.30, 0.0, 37};
    if (stem == QLatin1String("fs")) {
        polarized.seed = 101;
        return polarized;
    }
    if (stem == QLatin1String("yf")) {
        white.sheen = 0.35;
        white.seed = 102;
        return white;
    }
    if (stem == QLatin1String("xw")) {
        white.furrows = 0.22;
        white.furrowSpacing = 40;
        white.seed = 103;
        return white;
    }
    if (stem == QLatin1String("sb")) {
        polarized.tone = 0.04;
        polarized.seed = 104;
        return polarized;
    }
    if (stem == QLatin1String("gzd")) {
        white.sheen = 0.6;
        white.seed = 105;
        return white;
    }
    if (stem == QLatin1String("hxs")) {
        polarized.redness = 0.2;
        polarized.g -= 6;
        polarized.seed = 106;
        return polarized;
    }
    if (stem == QLatin1String("mgd")) {
        polarized.redness = 0.16;
        polarized.seed = 107;
        return polarized;
    }
    uv.seed = 108;
    return uv;
}

// ---- line-art face for the capture placeholders ----------------------------

void drawFace(QPainter& p, QPointF c, double s, const QColor& stroke) {
    p.setPen(QPen(stroke, 2.2 * s, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(white());
    QPainterPath head;
    head.moveTo(c.x(), c.y() - 88 * s);
    head.cubicTo(c.x() + 52 * s, c.y() - 88 * s, c.x() + 64 * s, c.y() - 40 * s, c.x() + 62 * s,
                 c.y() + 4 * s);
    head.cubicTo(c.x() + 60 * s, c.y() + 50 * s, c.x() + 30 * s, c.y() + 84 * s, c.x(),
                 c.y() + 86 * s);
    head.cubicTo(c.x() - 30 * s, c.y() + 84 * s, c.x() - 60 * s, c.y() + 50 * s, c.x() - 62 * s,
                 c.y() + 4 * s);
    head.cubicTo(c.x() - 64 * s, c.y() - 40 * s, c.x() - 52 * s, c.y() - 88 * s, c.x(),
                 c.y() - 88 * s);
    p.drawPath(head);
    p.setBrush(Qt::NoBrush);
    for (int side : {-1, 1}) {
        QPainterPath brow;
        brow.moveTo(c.x() + side * 14 * s, c.y() - 28 * s);
        brow.quadTo(c.x() + side * 28 * s, c.y() - 36 * s, c.x() + side * 42 * s, c.y() - 28 * s);
        p.drawPath(brow);
        QPainterPath eye;
        eye.moveTo(c.x() + side * 16 * s, c.y() - 14 * s);
        eye.quadTo(c.x() + side * 28 * s, c.y() - 22 * s, c.x() + side * 40 * s, c.y() - 14 * s);
        eye.quadTo(c.x() + side * 28 * s, c.y() - 8 * s, c.x() + side * 16 * s, c.y() - 14 * s);
        p.drawPath(eye);
    }
    QPainterPath nose;
    nose.moveTo(c.x() - 2 * s, c.y() - 10 * s);
    nose.quadTo(c.x() - 6 * s, c.y() + 12 * s, c.x() - 10 * s, c.y() + 20 * s);
    nose.quadTo(c.x(), c.y() + 26 * s, c.x() + 10 * s, c.y() + 20 * s);
    p.drawPath(nose);
    QPainterPath mouth;
    mouth.moveTo(c.x() - 16 * s, c.y() + 46 * s);
    mouth.quadTo(c.x(), c.y() + 54 * s, c.x() + 16 * s, c.y() + 46 * s);
    p.drawPath(mouth);
}

void stepBadge(QPainter& p, QPointF c, int number) {
    p.setPen(Qt::NoPen);
    p.setBrush(accent());
    p.drawEllipse(c, 16, 16);
    p.setPen(white());
    p.setFont(artFont(19, QFont::Bold));
    p.drawText(QRectF(c.x() - 16, c.y() - 17, 32, 32), Qt::AlignCenter, QString::number(number));
}

void lightBadge(QPainter& p, QPointF c, Light light) {
    const QColor disc = light == Light::Ultraviolet ? QColor(118, 86, 196)
                        : light == Light::Polarized ? QColor(kInfo)
                                                    : QColor(250, 196, 60);
    p.setPen(QPen(white(), 2));
    p.setBrush(disc);
    p.drawEllipse(c, 17, 17);
    const Glyph g = light == Light::Ultraviolet ? Glyph::UvLight
                    : light == Light::Polarized ? Glyph::PolarizedLight
                                                : Glyph::WhiteLight;
    drawGlyph(p, g, QRectF(c.x() - 12, c.y() - 12, 24, 24), white(), 9);
}

QImage placeholderCanvas() {
    QImage img = canvas(320, 240);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, 240);
    g.setColorAt(0, white());
    g.setColorAt(1, mix(kPaper, kAccent, 0.05));
    p.fillRect(img.rect(), g);
    return img;
}

QImage opaque(const QImage& img) {
    return img.convertToFormat(QImage::Format_RGB32);
}

void tipDisc(QPainter& p, const QColor& colour) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QRectF(2, 2, 32, 32));
}

} // namespace

QImage referencePicture(const QString& stem) {
    return renderSkin(lookFor(stem), 640, 480);
}

QImage capturePlaceholder(int slot) {
    QImage img = placeholderCanvas();
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QPointF c(160, 124);
    const double s = 1.12;
    drawFace(p, c, s, inkFaint());
    // The area to photograph, as the operator faces the member: the member's
    // left cheek is on the right of the picture.
    QRectF zone;
    switch (slot) {
    case 1:
        zone = QRectF(c.x() - 40 * s, c.y() - 74 * s, 80 * s, 34 * s);
        break;
    case 2:
        zone = QRectF(c.x() + 8 * s, c.y() - 30 * s, 44 * s, 30 * s);
        break;
    case 3:
        zone = QRectF(c.x() + 20 * s, c.y() + 4 * s, 36 * s, 36 * s);
        break;
    case 4:
        zone = QRectF(c.x() + 6 * s, c.y() + 8 * s, 18 * s, 18 * s);
        break;
    case 5:
        zone = QRectF(c.x() - 56 * s, c.y() + 4 * s, 36 * s, 36 * s);
        break;
    default:
        zone = QRectF(c.x() - 11 * s, c.y() - 8 * s, 22 * s, 22 * s);
        break;
    }
    p.setPen(QPen(accent(), 2.2));
    p.setBrush(withAlpha(kAccent, 90));
    p.drawEllipse(zone);
    p.setPen(QPen(accent(), 1.4, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(zone.adjusted(-6, -6, 6, 6));
    stepBadge(p, QPointF(26, 26), slot);
    const Light light = slot <= 2   ? Light::White
                        : slot <= 5 ? Light::Polarized
                                    : Light::Ultraviolet;
    lightBadge(p, QPointF(292, 212), light);
    return opaque(img);
}

QImage singleAreaPlaceholder(int lightNumber) {
    const Light light = lightNumber == 1   ? Light::White
                        : lightNumber == 2 ? Light::Polarized
                                           : Light::Ultraviolet;
    QImage img = placeholderCanvas();
    SkinLook look = lookFor(light == Light::White       ? QStringLiteral("xw")
                            : light == Light::Polarized ? QStringLiteral("fs")
                                                        : QStringLiteral("mk"));
    look.seed = 300;
    look.furrowSpacing *= 0.5;
    const QImage skin = renderSkin(look, 200, 200);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    const QRectF patch(60, 20, 200, 200);
    softShadow(p, patch, 100, 5, 3, 60);
    QPainterPath round;
    round.addEllipse(patch);
    p.setClipPath(round);
    p.drawImage(patch.topLeft(), skin);
    p.setClipping(false);
    p.setPen(QPen(white(), 4));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(patch);
    stepBadge(p, QPointF(26, 26), lightNumber);
    lightBadge(p, QPointF(250, 194), light);
    return opaque(img);
}

QImage defaultMemberPicture() {
    QImage img = canvas(240, 300);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, 0, 300);
    g.setColorAt(0, white());
    g.setColorAt(1, paper());
    p.fillRect(img.rect(), g);
    drawGlyph(p, Glyph::Person, QRectF(10, 60, 220, 220), inkFaint(), 7);
    return opaque(img);
}

QImage standardMemberPhoto() {
    const int w = 240, h = 300;
    QImage img = canvas(w, h);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    QLinearGradient g(0, 0, w * 0.5, h);
    g.setColorAt(0, accentMist());
    g.setColorAt(1, accentSoft());
    p.fillRect(img.rect(), g);
    // A woman's silhouette: long hair framing the face, shoulders below.
    const double cx = w / 2.0;
    QPainterPath hair;
    hair.moveTo(cx, 62);
    hair.cubicTo(cx + 58, 60, cx + 66, 120, cx + 62, 170);
    hair.cubicTo(cx + 60, 196, cx + 70, 214, cx + 78, 226);
    hair.lineTo(cx - 78, 226);
    hair.cubicTo(cx - 70, 214, cx - 60, 196, cx - 62, 170);
    hair.cubicTo(cx - 66, 120, cx - 58, 60, cx, 62);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(kWhite, 150));
    p.drawPath(hair);
    QPainterPath body;
    body.moveTo(cx - 104, h + 2);
    body.cubicTo(cx - 100, 236, cx - 60, 222, cx - 26, 214);
    body.lineTo(cx - 20, 190);
    body.lineTo(cx + 20, 190);
    body.lineTo(cx + 26, 214);
    body.cubicTo(cx + 60, 222, cx + 100, 236, cx + 104, h + 2);
    body.closeSubpath();
    p.setBrush(white());
    p.drawPath(body);
    p.drawEllipse(QPointF(cx, 140), 40, 52);
    QPainterPath fringe;
    fringe.moveTo(cx - 44, 132);
    fringe.cubicTo(cx - 40, 84, cx + 10, 76, cx + 44, 118);
    fringe.cubicTo(cx + 30, 96, cx - 10, 92, cx - 44, 132);
    p.setBrush(withAlpha(kWhite, 150));
    p.drawPath(fringe);
    return opaque(img);
}

QImage missingProductPicture() {
    QImage img = canvas(300, 300, paper());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(Qt::NoPen);
    p.setBrush(white());
    p.drawEllipse(QPointF(150, 150), 118, 118);
    drawGlyph(p, Glyph::Product, QRectF(70, 66, 160, 160), inkFaint(), 5);
    return opaque(img);
}

QImage tipIcon(const QString& stem) {
    QImage img = canvas(36, 36);
    QPainter p(&img);
    if (stem == QLatin1String("ok")) {
        tipDisc(p, QColor(kSuccess));
        drawGlyph(p, Glyph::Check, QRectF(7, 7, 22, 22), white(), 13);
    } else if (stem == QLatin1String("error")) {
        tipDisc(p, QColor(kError));
        drawGlyph(p, Glyph::Cross, QRectF(7, 7, 22, 22), white(), 13);
    } else {
        tipDisc(p, QColor(kInfo));
        drawGlyph(p, Glyph::Info, QRectF(7, 7, 22, 22), white(), 13);
    }
    return img;
}

} // namespace art
