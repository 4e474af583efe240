#pragma once

#include <QImage>

// The embedded bitmaps, by resource id (all opaque):
//   231        frame around the live video, 658 x 498 (video area plus 9 px)
//   298        camera-not-connected picture, 260 x 180, on the panel grey
//   301 ... 307  solid caption and border pieces of the drawn dialog frame
//   364        scale pointer, 20 x 22
//   365        radar web, 312 x 228: nine spokes 40 degrees apart around
//              (156, 118), the average straight up, rings 0 ... 100 at 0.98 px
//              per point
//   424        0 ... 100 colour scale, 520 x 40
//   439        start page, 1360 x 760
//
// Threading: stateless; call from the thread that owns the QGuiApplication.
namespace art {

QImage bitmapPicture(int id);

} // namespace art
