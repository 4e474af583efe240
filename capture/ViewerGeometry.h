#pragma once

#include <QRect>
#include <QSize>
#include <QString>

class QDateTime;

// Window arithmetic and file names of the two viewers, kept apart from the
// widgets so that the zoom limits and the save-name rule can be tested.
//
// Threading: pure functions.
class ViewerGeometry {
public:
    static constexpr int kMinZoom = -5;
    static constexpr int kMaxZoom = 20;
    static constexpr QSize kBaseSize{640, 480};
    static constexpr int kCloseSize = 38;

    // The zoom level after `steps` wheel notches (positive up), held within
    // kMinZoom..kMaxZoom.
    static int zoomAfter(int level, int steps);
    // The window for a zoom level: the base size times 1 + level x 0.1,
    // truncated. Computed in tenths so that 0.7 x 640 is 448, not 447.
    static QSize windowSize(int level);
    // A window of `size` centred on `screen`.
    static QRect centredOn(const QRect& screen, const QSize& size);
    // The close button: 38 x 38 at (client width - 40, 2).
    static QRect closeButton(const QSize& client);

    // "%d%02d%02d%02d%02d%02d.jpg" of the local time, proposed by "save picture as".
    static QString proposedJpegName(const QDateTime& when);
    // The chosen name with ".jpg" appended unless it already ends so (any case).
    static QString jpegPath(const QString& chosen);
};
