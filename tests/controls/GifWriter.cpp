#include "GifWriter.h"

namespace {

constexpr int kMinCodeSize = 7; // codes are 8 bits wide: 0-127 pixels, 128 clear, 129 end
constexpr quint8 kClear = 128;
constexpr quint8 kEnd = 129;
constexpr int kPixelsPerClear = 100;

void putU16(QByteArray& out, int value) {
    out.append(char(value & 0xff));
    out.append(char((value >> 8) & 0xff));
}

} // namespace

namespace GifWriter {

QByteArray write(const QSize& screen, const QList<QRgb>& palette, int backgroundIndex,
                 const QList<Frame>& frames) {
    QByteArray out("GIF89a");
    putU16(out, screen.width());
    putU16(out, screen.height());
    out.append(char(0x80 | 0x70 | (kMinCodeSize - 1))); // global palette of 128 entries
    out.append(char(backgroundIndex));
    out.append(char(0));
    for (int i = 0; i < 128; ++i) {
        const QRgb c = i < palette.size() ? palette[i] : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    for (const Frame& f : frames) {
        out.append("\x21\xF9\x04", 3);
        out.append(char((f.disposal << 2) | (f.transparent >= 0 ? 1 : 0)));
        putU16(out, f.delay);
        out.append(char(f.transparent >= 0 ? f.transparent : 0));
        out.append(char(0));

        out.append(char(0x2C));
        putU16(out, f.rect.x());
        putU16(out, f.rect.y());
        putU16(out, f.rect.width());
        putU16(out, f.rect.height());
        out.append(char(0));

        QByteArray codes;
        const int count = f.rect.width() * f.rect.height();
        for (int i = 0; i < count; ++i) {
            if (i % kPixelsPerClear == 0)
                codes.append(char(kClear));
            codes.append(char(f.pixels.isEmpty() ? f.fillIndex : f.pixels.at(i)));
        }
        codes.append(char(kEnd));
        out.append(char(kMinCodeSize));
        for (qsizetype pos = 0; pos < codes.size(); pos += 255) {
            const QByteArray block = codes.mid(pos, 255);
            out.append(char(block.size()));
            out.append(block);
        }
        out.append(char(0));
    }
    out.append(';');
    return out;
}

} // namespace GifWriter
