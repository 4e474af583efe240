#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QRgb>

// Writes animated GIF89a files, which Qt can read but not write.
//
// All frames share one global palette of at most 256 colours, chosen by median
// cut over every frame. The first frame is stored whole; each later frame
// stores only the rectangle that changed since the frame before it and keeps
// the earlier picture underneath (disposal 1), so a player that honours the
// frame positions and disposal methods rebuilds every frame exactly. The file
// loops forever (NETSCAPE2.0 extension).
//
// Threading: stateless; safe from any thread.
class GifWriter {
public:
    struct Frame {
        QImage image; // opaque; every frame the size of the first
        int delay;    // hundredths of a second
    };

    // Encodes the frames; background names the colour a player clears to
    // before it starts the loop again. Returns an empty array when there are
    // no frames or their sizes differ.
    static QByteArray encode(const QList<Frame>& frames, QRgb background);
};
