#pragma once

#include <QImage>
#include <QString>

#include <functional>

class QPrinter;
class QWidget;

// The shared page output of the comparison screen and the summary report: the
// screen as an uncompressed bitmap file, the same picture printed on one page,
// and the same page as an A4 PDF.
//
// The page is the picture turned by 90° clockwise and stretched over the whole
// printable area, as the salon's printed reports have always looked.
//
// Threading: GUI thread only.
class PicturePrinter {
public:
    // Writes an uncompressed 24-bit bitmap: the 14-byte file header ("BM", file
    // size, 4 zero bytes, pixel offset 54) and the 40-byte information header
    // (width, height, 1 plane, 24 bits, zero in every other field), then the
    // rows bottom-up, each padded to 4 bytes. The file is replaced whole or not
    // at all; false with a reason in *error when it cannot be written.
    static bool writeBitmap(const QImage& picture, const QString& path, QString* error);
    static QByteArray bitmapBytes(const QImage& picture);

    // Shows the print dialog (no page numbers, no selection, no print to file)
    // and prints one page. False when the operator cancelled or nothing could
    // be printed.
    static bool print(QWidget* parent, const QImage& picture, const QString& documentName);

    // Writes the page as a one-page A4 PDF, replaced whole or not at all.
    static bool exportPdf(const QImage& picture, const QString& path, QString* error);

    // Draws the page onto any paint device of the given size (printer, PDF,
    // test image).
    static void drawPage(QPainter& painter, const QImage& picture, const QRect& page);

    // Tests replace the print dialog: the hook gets the configured printer and
    // returns whether the operator confirmed. Empty restores the real dialog.
    using DialogHook = std::function<bool(QPrinter& printer)>;
    static void setDialogHook(DialogHook hook);
};
