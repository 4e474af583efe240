#pragma once

#include <QSize>
#include <QString>

// Member and product pictures as saved by the details dialogs: the chosen
// file decoded as a 3-channel colour image and written as a BMP file.
//
// Threading: any thread; touches only the files named.
class PictureFile {
public:
    // Widest product picture kept; wider ones are scaled down to it.
    static constexpr int kProductMaxWidth = 500;

    // Size of a saved product picture: unchanged up to kProductMaxWidth wide;
    // otherwise that width and the height divided by the single-precision ratio
    // width / 500, truncated (at least 1 for a very wide, flat picture).
    static QSize productPictureSize(int width, int height);

    // Saves `source` as a BMP at `target`, same size. False, with *error set
    // and `target` untouched, when the source cannot be read as an image or
    // the target cannot be written.
    static bool saveMemberPicture(const QString& source, const QString& target,
                                  QString* error = nullptr);
    // The same, scaled to productPictureSize() with bilinear interpolation.
    static bool saveProductPicture(const QString& source, const QString& target,
                                   QString* error = nullptr);
};
