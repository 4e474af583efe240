#pragma once

#include <QByteArray>
#include <QList>
#include <QRect>
#include <QRgb>
#include <QSize>

// Writes small GIF files for the tests. Every code is written as one byte with a
// clear code every 100 pixels, so the LZW stream needs no compression logic:
// pixel indexes must be below 128.
namespace GifWriter {

struct Frame {
    QRect rect;           // position and size on the logical screen
    QList<quint8> pixels; // palette indexes, row by row; empty = all fillIndex
    quint8 fillIndex = 0;
    int delay = 0; // hundredths of a second
    int disposal = 0;
    int transparent = -1; // palette index, or -1
};

QByteArray write(const QSize& screen, const QList<QRgb>& palette, int backgroundIndex,
                 const QList<Frame>& frames);

} // namespace GifWriter
