#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QList>
#include <QPoint>
#include <QSize>

// Splits a GIF into its frames: each frame's picture (decoded on its own, so it
// keeps its own size and transparency), position, delay and disposal method.
// Data without a GIF signature, or a GIF with a single frame, is decoded as one
// still picture. Damaged data yields what could be read; frames that do not
// decode are left out. Decoded pictures hold at most kMaxDecodedBytes in all
// (32 bits a pixel): a picture over it is not decoded, and an animation keeps
// the frames that fit and drops the rest.
//
// Threading: pure functions, any thread.
namespace GifDecoder {

struct Frame {
    QImage image;
    QPoint position;
    QSize size;
    int delay = 0;    // hundredths of a second
    int disposal = 0; // 2: restore to background, 3: restore previous
};

struct Animation {
    QSize logicalSize;
    QColor background = Qt::white;
    QList<Frame> frames; // empty for a still picture
    QImage still;        // the picture when there is one frame or no GIF

    bool isNull() const { return frames.isEmpty() && still.isNull(); }
    bool isAnimated() const { return frames.size() > 1; }
};

// 64 MiB: a full-screen animation of a few dozen frames fits.
constexpr qint64 kMaxDecodedBytes = 64LL * 1024 * 1024;

bool isGif(const QByteArray& data);
Animation decode(const QByteArray& data);

// How long a frame stays: delay x 10 ms, or 100 ms for delays of 4 and less.
int frameDelayMs(int delay);

} // namespace GifDecoder
