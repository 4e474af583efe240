#include "GifWriter.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// Colours are gathered in bins of 6 bits per channel: fine enough that soft
// gradients keep their steps, coarse enough that the nearest-colour cache
// stays small.
constexpr int kBinBits = 6;
constexpr int kBins = 1 << (3 * kBinBits);

int binOf(QRgb c) {
    constexpr int shift = 8 - kBinBits;
    return ((qRed(c) >> shift) << (2 * kBinBits)) | ((qGreen(c) >> shift) << kBinBits) |
           (qBlue(c) >> shift);
}

struct Swatch {
    std::array<int, 3> rgb;
    uint64_t count;
};

struct Box {
    int begin;
    int end;
};

int longestAxis(const std::vector<Swatch>& s, const Box& box, int* range) {
    std::array<int, 3> lo{255, 255, 255};
    std::array<int, 3> hi{0, 0, 0};
    for (int i = box.begin; i < box.end; ++i)
        for (int c = 0; c < 3; ++c) {
            lo[c] = std::min(lo[c], s[i].rgb[c]);
            hi[c] = std::max(hi[c], s[i].rgb[c]);
        }
    int axis = 0;
    for (int c = 1; c < 3; ++c)
        if (hi[c] - lo[c] > hi[axis] - lo[axis])
            axis = c;
    *range = hi[axis] - lo[axis];
    return axis;
}

// Median cut: split the box whose colours spread furthest (weighted by how
// many pixels it holds) at the pixel-weighted median of its longest axis.
std::vector<QRgb> medianCut(std::vector<Swatch> swatches, int maxColours) {
    std::vector<Box> boxes{{0, int(swatches.size())}};
    while (int(boxes.size()) < maxColours) {
        int best = -1;
        double bestScore = 0;
        for (int b = 0; b < int(boxes.size()); ++b) {
            if (boxes[b].end - boxes[b].begin < 2)
                continue;
            int range = 0;
            longestAxis(swatches, boxes[b], &range);
            uint64_t pixels = 0;
            for (int i = boxes[b].begin; i < boxes[b].end; ++i)
                pixels += swatches[i].count;
            const double score = double(range) * range * std::sqrt(double(pixels));
            if (score > bestScore) {
                bestScore = score;
                best = b;
            }
        }
        if (best < 0)
            break;
        Box box = boxes[best];
        int range = 0;
        const int axis = longestAxis(swatches, box, &range);
        std::sort(swatches.begin() + box.begin, swatches.begin() + box.end,
                  [axis](const Swatch& a, const Swatch& b) { return a.rgb[axis] < b.rgb[axis]; });
        uint64_t total = 0;
        for (int i = box.begin; i < box.end; ++i)
            total += swatches[i].count;
        uint64_t run = 0;
        int cut = box.begin + 1;
        for (int i = box.begin; i < box.end - 1; ++i) {
            run += swatches[i].count;
            cut = i + 1;
            if (run * 2 >= total)
                break;
        }
        boxes[best] = {box.begin, cut};
        boxes.push_back({cut, box.end});
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        std::array<double, 3> sum{0, 0, 0};
        double weight = 0;
        for (int i = box.begin; i < box.end; ++i) {
            for (int c = 0; c < 3; ++c)
                sum[c] += double(swatches[i].rgb[c]) * swatches[i].count;
            weight += swatches[i].count;
        }
        palette.push_back(qRgb(int(sum[0] / weight + 0.5), int(sum[1] / weight + 0.5),
                               int(sum[2] / weight + 0.5)));
    }
    return palette;
}

int nearest(const std::vector<QRgb>& palette, int r, int g, int b) {
    int best = 0;
    int bestDistance = 1 << 30;
    for (int i = 0; i < int(palette.size()); ++i) {
        const int dr = qRed(palette[i]) - r;
        const int dg = qGreen(palette[i]) - g;
        const int db = qBlue(palette[i]) - b;
        const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

class ByteSink {
public:
    explicit ByteSink(QByteArray& out) : m_out(out) {}
    void byte(int b) { m_out.append(char(b & 0xff)); }
    void word(int w) {
        byte(w);
        byte(w >> 8);
    }
    void text(const char* s) { m_out.append(s); }

private:
    QByteArray& m_out;
};

// Packs variable-width codes least significant bit first into data
// sub-blocks of at most 255 bytes.
class CodePacker {
public:
    explicit CodePacker(QByteArray& out) : m_out(out) {}
    void put(uint32_t code, int bits) {
        m_bits |= code << m_count;
        m_count += bits;
        while (m_count >= 8) {
            push(uint8_t(m_bits & 0xff));
            m_bits >>= 8;
            m_count -= 8;
        }
    }
    void finish() {
        if (m_count > 0)
            push(uint8_t(m_bits & 0xff));
        flushBlock();
        m_out.append(char(0)); // block terminator
    }

private:
    void push(uint8_t b) {
        m_block[m_blockSize++] = b;
        if (m_blockSize == 255)
            flushBlock();
    }
    void flushBlock() {
        if (m_blockSize == 0)
            return;
        m_out.append(char(m_blockSize));
        m_out.append(reinterpret_cast<const char*>(m_block.data()), m_blockSize);
        m_blockSize = 0;
    }

    QByteArray& m_out;
    uint32_t m_bits = 0;
    int m_count = 0;
    std::array<uint8_t, 255> m_block{};
    int m_blockSize = 0;
};

// Classic variable-width LZW as GIF readers expect it: a clear code first,
// code width growing with the table, a clear code whenever the table is full.
void writeLzw(QByteArray& out, const std::vector<uint8_t>& pixels, int minCodeSize) {
    out.append(char(minCodeSize));
    CodePacker packer(out);
    const uint32_t clearCode = 1u << minCodeSize;
    std::vector<uint16_t> next(4096 * 256, 0);
    int codeSize = minCodeSize + 1;
    uint32_t maxCode = clearCode + 1;
    packer.put(clearCode, codeSize);
    int current = -1;
    for (uint8_t value : pixels) {
        if (current < 0) {
            current = value;
            continue;
        }
        const uint16_t follow = next[size_t(current) * 256 + value];
        if (follow) {
            current = follow;
            continue;
        }
        packer.put(uint32_t(current), codeSize);
        next[size_t(current) * 256 + value] = uint16_t(++maxCode);
        if (maxCode >= (1u << codeSize))
            ++codeSize;
        if (maxCode == 4095) {
            packer.put(clearCode, codeSize);
            std::fill(next.begin(), next.end(), 0);
            codeSize = minCodeSize + 1;
            maxCode = clearCode + 1;
        }
        current = value;
    }
    if (current >= 0)
        packer.put(uint32_t(current), codeSize);
    packer.put(clearCode, codeSize);
    packer.put(clearCode + 1, minCodeSize + 1);
    packer.finish();
}

} // namespace

QByteArray GifWriter::encode(const QList<Frame>& frames, QRgb background) {
    if (frames.isEmpty())
        return {};
    const QSize size = frames.first().image.size();
    std::vector<QImage> images;
    for (const Frame& f : frames) {
        if (f.image.size() != size)
            return {};
        images.push_back(f.image.convertToFormat(QImage::Format_RGB32));
    }
    const int w = size.width();
    const int h = size.height();

    // One histogram over all frames; the background is weighted in so that it
    // always keeps an exact entry of its own.
    std::vector<uint64_t> count(kBins, 0);
    std::vector<std::array<uint64_t, 3>> sum(kBins, {0, 0, 0});
    auto add = [&](QRgb c, uint64_t n) {
        const int bin = binOf(c);
        count[bin] += n;
        sum[bin][0] += uint64_t(qRed(c)) * n;
        sum[bin][1] += uint64_t(qGreen(c)) * n;
        sum[bin][2] += uint64_t(qBlue(c)) * n;
    };
    for (const QImage& img : images)
        for (int y = 0; y < h; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(img.constScanLine(y));
            for (int x = 0; x < w; ++x)
                add(row[x], 1);
        }
    std::vector<Swatch> swatches;
    for (int bin = 0; bin < kBins; ++bin)
        if (count[bin])
            swatches.push_back({{int(sum[bin][0] / count[bin]), int(sum[bin][1] / count[bin]),
                                 int(sum[bin][2] / count[bin])},
                                count[bin]});
    const int bgBin = binOf(background);
    std::vector<QRgb> palette = medianCut(swatches, 255);
    palette.push_back(background);

    int tableBits = 2;
    while ((1 << tableBits) < int(palette.size()))
        ++tableBits;
    const int tableSize = 1 << tableBits;
    const int backgroundIndex = int(palette.size()) - 1;

    std::vector<int16_t> cache(kBins, -1);
    cache[bgBin] = int16_t(backgroundIndex);
    auto indexOf = [&](QRgb c) {
        const int bin = binOf(c);
        if (cache[bin] < 0)
            cache[bin] = int16_t(nearest(palette, qRed(c), qGreen(c), qBlue(c)));
        return uint8_t(cache[bin]);
    };

    QByteArray out;
    ByteSink sink(out);
    sink.text("GIF89a");
    sink.word(w);
    sink.word(h);
    sink.byte(0x80 | (7 << 4) | (tableBits - 1));
    sink.byte(backgroundIndex);
    sink.byte(0);
    for (int i = 0; i < tableSize; ++i) {
        const QRgb c = i < int(palette.size()) ? palette[i] : qRgb(0, 0, 0);
        sink.byte(qRed(c));
        sink.byte(qGreen(c));
        sink.byte(qBlue(c));
    }
    // Loop forever.
    sink.byte(0x21);
    sink.byte(0xff);
    sink.byte(11);
    sink.text("NETSCAPE2.0");
    sink.byte(3);
    sink.byte(1);
    sink.word(0);
    sink.byte(0);

    std::vector<uint8_t> previous;
    for (int f = 0; f < int(images.size()); ++f) {
        std::vector<uint8_t> indexed(size_t(w) * h);
        for (int y = 0; y < h; ++y) {
            const QRgb* row = reinterpret_cast<const QRgb*>(images[f].constScanLine(y));
            for (int x = 0; x < w; ++x)
                indexed[size_t(y) * w + x] = indexOf(row[x]);
        }
        // The rectangle that changed since the previous frame.
        int left = 0, top = 0, right = w - 1, bottom = h - 1;
        if (!previous.empty()) {
            left = w;
            top = h;
            right = -1;
            bottom = -1;
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    if (indexed[size_t(y) * w + x] != previous[size_t(y) * w + x]) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
            if (right < 0) { // unchanged: a one-pixel frame keeps the timing
                left = top = right = bottom = 0;
            }
        }
        const int fw = right - left + 1;
        const int fh = bottom - top + 1;

        sink.byte(0x21); // graphic control extension
        sink.byte(0xf9);
        sink.byte(4);
        sink.byte(1 << 2); // disposal 1: leave the frame in place
        sink.word(frames[f].delay);
        sink.byte(0);
        sink.byte(0);

        sink.byte(0x2c); // image descriptor
        sink.word(left);
        sink.word(top);
        sink.word(fw);
        sink.word(fh);
        sink.byte(0);

        std::vector<uint8_t> pixels;
        pixels.reserve(size_t(fw) * fh);
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x)
                pixels.push_back(indexed[size_t(y) * w + x]);
        writeLzw(out, pixels, std::max(2, tableBits));
        previous = std::move(indexed);
    }
    sink.byte(0x3b);
    return out;
}
