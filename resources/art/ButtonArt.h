#pragma once

#include <QImage>

// The PNG pictures of the drawn image buttons, by resource id. Each is drawn at
// the size its button has on screen (the button stretches the picture to its
// client size), with transparent corners so the parent shows through:
//   242             start page close, 50 x 50
//   350, 351, 352   back, exit, spare round buttons of the title bars, 38 x 38
//   366, 367        add / remove product, 40 x 40
//   377 ... 401     main window menu, 220 x 60; the caption is drawn from 33 %
//                   of the width, so the pictogram keeps to the left third.
//                   Each command has a normal and a selected ("second") look;
//                   386 ... 388 are spare menu tiles.
//   402             print: pictogram in the left 40 %, caption to its right
//   405 ... 408     start page cards, 251 x 344; caption area from 60 % down
//   411, 414 ... 416  search, delete, add, change tiles, 48 x 48
//   412, 413        secondary (light) and primary (accent) text buttons, 140 x 44
//   420 ... 423     capture panel buttons, 150 x 44
//   425             magnifier on pictures, 26 x 26
//
// Threading: stateless; call from the thread that owns the QGuiApplication.
namespace art {

// The picture of the given id, or a null image for an id the program has none for.
QImage buttonPicture(int id);

} // namespace art
