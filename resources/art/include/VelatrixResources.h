#pragma once

// The interface pictures compiled into the program: PNG button pictures at
// ":/res/PNG/<id>.png", bitmaps at ":/res/BITMAP/<id>.bmp" and animations at
// ":/res/GIF/<id>.gif", by the numeric ids the screens use.
//
// Call once, from the GUI thread, before the first picture is loaded (the
// pictures live in a static library, which the linker would otherwise be free
// to leave out). Calling it again does no harm.
void velatrixInitResources();
