#pragma once

#include <QByteArray>

// The two GIF animations, encoded by GifWriter:
//   346  waiting for the camera, 400 x 300 (the size it is shown at), on the
//        capture panel's grey: a camera with rings pulsing out of it
//   362  analysing, 300 x 300, on the progress box's grey: a scanning face
//        inside a turning accent ring
// Frame delays are 6 and 5 hundredths (over the player's 4-hundredths floor).
//
// Threading: stateless; call from the thread that owns the QGuiApplication.
namespace art {

QByteArray waitingForCameraGif();
QByteArray analysingGif();

} // namespace art
