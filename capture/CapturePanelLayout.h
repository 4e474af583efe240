#pragma once

#include <QRect>
#include <QSize>

#include <array>

// Where the capture panel's controls go for a given panel size.
//
// The live picture is 640 x 480 pixels at x = (width - 640) * 11 / 25, y = 40.
// Everything else keeps its place in the panel's original 763 x 461
// dialog-unit layout (1.5 x 1.625 pixels per unit), moved sideways with the
// video area so that it keeps its distance from the picture on wide screens.
// The connection notice, retry button and waiting animation are centred on
// the video area.
//
// Threading: pure function.
struct CapturePanelLayout {
    QRect video;                         // 1011
    QRect videoFrame;                    // the frame picture: video enlarged by 9 pixels
    QRect liveResult;                    // 1012
    QRect tipLine;                       // 1097
    QRect modeSwitch;                    // 1057
    QRect realTimeCheck;                 // 1297
    QRect retake;                        // 1055
    QRect capture;                       // 1056 and 1054 share it
    std::array<QRect, 6> fullFaceThumbs; // 1111, 1112, 1113, 1114, 1256, 1257
    std::array<QRect, 3> singleThumbs;   // 1115, 1117, 1116 (slots 1, 3, 6)
    QRect notice;                        // the not-connected notice
    QRect retry;                         // 1022
    QRect waiting;                       // 1013

    static CapturePanelLayout forSize(const QSize& client, const QSize& noticeSize);

    // Dialog units of the original template to pixels.
    static QRect fromDialogUnits(int x, int y, int width, int height);
};
