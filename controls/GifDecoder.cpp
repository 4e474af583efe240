#include "GifDecoder.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace {

constexpr int kHeaderSize = 6;
constexpr int kScreenDescriptorSize = 7;
constexpr int kImageDescriptorSize = 10;

int u8(const QByteArray& d, qsizetype i) {
    return static_cast<unsigned char>(d.at(i));
}

int u16(const QByteArray& d, qsizetype i) {
    return u8(d, i) | (u8(d, i + 1) << 8);
}

void putU16(QByteArray& d, qsizetype i, int value) {
    d[i] = static_cast<char>(value & 0xff);
    d[i + 1] = static_cast<char>((value >> 8) & 0xff);
}

// Skips a chain of data sub-blocks starting at pos; returns the position after
// the terminating zero-length block, or -1 when the data ends first.
qsizetype skipSubBlocks(const QByteArray& d, qsizetype pos) {
    while (pos < d.size()) {
        const int length = u8(d, pos);
        pos += 1 + length;
        if (length == 0)
            return pos <= d.size() ? pos : -1;
    }
    return -1;
}

struct RawFrame {
    QByteArray blocks; // graphic control extension (if any), descriptor, palette, data
    qsizetype descriptorOffset = 0;
    QPoint position;
    QSize size;
    int delay = 0;
    int disposal = 0;
};

qint64 pictureBytes(const QSize& size) {
    return qint64(std::max(0, size.width())) * std::max(0, size.height()) * 4;
}

// Decodes one picture when its 32-bit form fits the budget; the size is read
// from the header first, so an oversized picture is never allocated.
QImage decodeStill(const QByteArray& data, qint64 budget) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && pictureBytes(size) > budget)
        return {};
    QImage image;
    if (!reader.read(&image) || pictureBytes(image.size()) > budget)
        return {};
    return image.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

namespace GifDecoder {

bool isGif(const QByteArray& data) {
    return data.startsWith("GIF87a") || data.startsWith("GIF89a");
}

int frameDelayMs(int delay) {
    return delay > 4 ? delay * 10 : 100;
}

Animation decode(const QByteArray& data) {
    Animation result;
    if (!isGif(data)) {
        result.still = decodeStill(data, kMaxDecodedBytes);
        result.logicalSize = result.still.size();
        return result;
    }
    if (data.size() < kHeaderSize + kScreenDescriptorSize)
        return result;

    result.logicalSize = QSize(u16(data, 6), u16(data, 8));
    const int flags = u8(data, 10);
    const int backgroundIndex = u8(data, 11);
    qsizetype paletteSize = 0;
    if (flags & 0x80) {
        paletteSize = 3 * (qsizetype(1) << ((flags & 7) + 1));
        const qsizetype entry = kHeaderSize + kScreenDescriptorSize + 3 * backgroundIndex;
        if (entry + 2 < data.size() && 3 * backgroundIndex < paletteSize)
            result.background = QColor(u8(data, entry), u8(data, entry + 1), u8(data, entry + 2));
    }
    const qsizetype headerEnd = kHeaderSize + kScreenDescriptorSize + paletteSize;
    if (headerEnd > data.size())
        return result;

    QList<RawFrame> raw;
    QByteArray pendingControl;
    int pendingDelay = 0;
    int pendingDisposal = 0;
    qsizetype pos = headerEnd;
    while (pos < data.size()) {
        const int introducer = u8(data, pos);
        if (introducer == 0x3B) // trailer
            break;
        if (introducer == 0x21) {
            if (pos + 1 >= data.size())
                break;
            const int label = u8(data, pos + 1);
            const qsizetype end = skipSubBlocks(data, pos + 2);
            if (end < 0)
                break;
            if (label == 0xF9 && pos + 7 < data.size()) {
                pendingControl = data.mid(pos, end - pos);
                pendingDisposal = (u8(data, pos + 3) >> 2) & 7;
                pendingDelay = u16(data, pos + 4);
            }
            pos = end;
        } else if (introducer == 0x2C) {
            if (pos + kImageDescriptorSize > data.size())
                break;
            RawFrame frame;
            frame.position = QPoint(u16(data, pos + 1), u16(data, pos + 3));
            frame.size = QSize(u16(data, pos + 5), u16(data, pos + 7));
            const int imageFlags = u8(data, pos + 9);
            qsizetype cursor = pos + kImageDescriptorSize;
            if (imageFlags & 0x80)
                cursor += 3 * (qsizetype(1) << ((imageFlags & 7) + 1));
            cursor += 1; // LZW minimum code size
            if (cursor > data.size())
                break;
            const qsizetype end = skipSubBlocks(data, cursor);
            if (end < 0)
                break;
            frame.blocks = pendingControl + data.mid(pos, end - pos);
            frame.descriptorOffset = pendingControl.size();
            frame.delay = pendingDelay;
            frame.disposal = pendingDisposal;
            raw.append(frame);
            pendingControl.clear();
            pendingDelay = 0;
            pendingDisposal = 0;
            pos = end;
        } else {
            break; // not a block we know: the rest is damaged
        }
    }

    if (raw.size() <= 1) {
        result.still = decodeStill(data, kMaxDecodedBytes);
        return result;
    }

    // Each frame becomes a GIF of its own, sized to the frame and placed at its
    // origin, so that it decodes to exactly the frame's pixels.
    const QByteArray header = data.left(headerEnd);
    qint64 budget = kMaxDecodedBytes;
    for (const RawFrame& r : raw) {
        // A few hundred bytes can describe frames of 65535 x 65535: the frames
        // together may hold no more than the budget; the rest are left out.
        const qint64 need = pictureBytes(r.size);
        if (need > budget)
            break;
        QByteArray single = header;
        putU16(single, 6, r.size.width());
        putU16(single, 8, r.size.height());
        QByteArray blocks = r.blocks;
        putU16(blocks, r.descriptorOffset + 1, 0);
        putU16(blocks, r.descriptorOffset + 3, 0);
        single += blocks;
        single += ';';
        Frame frame;
        frame.image = decodeStill(single, need);
        if (frame.image.isNull())
            continue;
        budget -= pictureBytes(frame.image.size());
        frame.position = r.position;
        frame.size = r.size;
        frame.delay = r.delay;
        frame.disposal = r.disposal;
        result.frames.append(frame);
    }
    if (result.frames.size() <= 1) {
        result.still = decodeStill(data, kMaxDecodedBytes);
        result.frames.clear();
    }
    return result;
}

} // namespace GifDecoder
