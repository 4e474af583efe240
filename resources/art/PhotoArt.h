#pragma once

#include <QImage>
#include <QString>

// Pictures of the "PreSetting" folder and the tip icons:
//   reference pictures of healthy skin for each item ("fs", "yf", "xw", "sb",
//   "gzd", "hxs", "mgd", "mk"), 640 x 480 like the camera's pictures, lit the
//   way the item is captured (white, polarized or ultraviolet light);
//   capture placeholders "type1" ... "type6" (the face area of each full-face
//   slot) and "singleface1" ... "singleface3" (one area under each light),
//   320 x 240;
//   the default member picture, the standard member photo and the missing
//   product picture;
//   the tip icons "ok", "error", "info", 36 x 36 with transparency, for the
//   dark tip box.
//
// Threading: stateless; call from the thread that owns the QGuiApplication.
namespace art {

QImage referencePicture(const QString& stem);
QImage capturePlaceholder(int slot);     // 1 ... 6
QImage singleAreaPlaceholder(int light); // 1 white, 2 polarized, 3 ultraviolet
QImage defaultMemberPicture();
QImage standardMemberPhoto();
QImage missingProductPicture();
QImage tipIcon(const QString& stem);

} // namespace art
