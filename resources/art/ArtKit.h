#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QRectF>

#include <cstdint>

class QPainter;

// Small drawing helpers shared by the picture families.
//
// Threading: stateless; safe from any thread with its own QPainter.
namespace art {

// A new image filled with fill (transparent by default), ready for QPainter.
QImage canvas(int width, int height, const QColor& fill = Qt::transparent);

// A soft shadow under a rounded rectangle: rings of falling opacity around it,
// offset downwards by drop pixels.
void softShadow(QPainter& p, const QRectF& rect, double radius, double spread, double drop,
                int alpha);

// The interface face at a pixel size; the CJK face covers Latin digits too.
QFont artFont(double pixelSize, int weight = QFont::Normal);

// Deterministic pseudo-random numbers, so the pictures are identical on every
// build.
class Random {
public:
    explicit Random(uint32_t seed) : m_state(seed ? seed : 1) {}
    uint32_t next() {
        m_state ^= m_state << 13;
        m_state ^= m_state >> 17;
        m_state ^= m_state << 5;
        return m_state;
    }
    double uniform() { return (next() & 0xffffff) / double(0x1000000); }
    double range(double lo, double hi) { return lo + (hi - lo) * uniform(); }

private:
    uint32_t m_state;
};

} // namespace art
