#include "PicturePrinter.h"

#include <QFileInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <QTransform>
#include <QtEndian>

namespace {

PicturePrinter::DialogHook& dialogHook() {
    static PicturePrinter::DialogHook hook;
    return hook;
}

void putLe32(QByteArray& out, int offset, quint32 value) {
    qToLittleEndian(value, out.data() + offset);
}

void putLe16(QByteArray& out, int offset, quint16 value) {
    qToLittleEndian(value, out.data() + offset);
}

} // namespace

QByteArray PicturePrinter::bitmapBytes(const QImage& picture) {
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB888);
    const int width = rgb.width();
    const int height = rgb.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    const quint32 pixelBytes = quint32(stride) * quint32(height);

    QByteArray out(54 + int(pixelBytes), '\0');
    out[0] = 'B';
    out[1] = 'M';
    putLe32(out, 2, 54 + pixelBytes);
    putLe32(out, 10, 54);
    putLe32(out, 14, 40);
    putLe32(out, 18, quint32(width));
    putLe32(out, 22, quint32(height));
    putLe16(out, 26, 1);
    putLe16(out, 28, 24);
    // Compression, image size, resolutions and palette counts stay zero.

    for (int y = 0; y < height; ++y) {
        const uchar* src = rgb.constScanLine(height - 1 - y);
        char* dst = out.data() + 54 + qsizetype(y) * stride;
        for (int x = 0; x < width; ++x) {
            dst[x * 3 + 0] = char(src[x * 3 + 2]);
            dst[x * 3 + 1] = char(src[x * 3 + 1]);
            dst[x * 3 + 2] = char(src[x * 3 + 0]);
        }
    }
    return out;
}

bool PicturePrinter::writeBitmap(const QImage& picture, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    const QByteArray bytes = bitmapBytes(picture);
    if (file.write(bytes) != bytes.size() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

void PicturePrinter::drawPage(QPainter& painter, const QImage& picture, const QRect& page) {
    const QImage turned = picture.transformed(QTransform().rotate(90));
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(page, turned);
}

bool PicturePrinter::print(QWidget* parent, const QImage& picture, const QString& documentName) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(documentName);
    printer.setCopyCount(1);
    printer.setFullPage(false);

    bool confirmed = false;
    if (dialogHook()) {
        confirmed = dialogHook()(printer);
    } else {
        QPrintDialog dialog(&printer, parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
        dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
        confirmed = dialog.exec() == QDialog::Accepted;
    }
    if (!confirmed)
        return false;

    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    // The printable area in device pixels, from its own origin.
    drawPage(painter, picture, QRect(0, 0, printer.width(), printer.height()));
    return painter.end();
}

bool PicturePrinter::exportPdf(const QImage& picture, const QString& path, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    {
        QPdfWriter pdf(&file);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(150);
        pdf.setTitle(QFileInfo(path).completeBaseName());
        QPainter painter;
        if (!painter.begin(&pdf)) {
            if (error)
                *error = QStringLiteral("PDF could not be started");
            file.cancelWriting();
            return false;
        }
        drawPage(painter, picture, QRect(0, 0, pdf.width(), pdf.height()));
        painter.end();
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

void PicturePrinter::setDialogHook(DialogHook hook) {
    dialogHook() = std::move(hook);
}
