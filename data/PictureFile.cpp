#include "PictureFile.h"

#include "AtomicFile.h"

#include <QFile>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

namespace {

bool setError(QString* error, const QString& text) {
    if (error)
        *error = text;
    return false;
}

// Decoded from memory, so that any file name (any characters) reads the same.
bool readColourImage(const QString& source, cv::Mat& image, QString* error) {
    QFile file(source);
    if (!file.open(QIODevice::ReadOnly))
        return setError(error, QStringLiteral("%1: %2").arg(source, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (!bytes.isEmpty()) {
        const cv::Mat raw(1, static_cast<int>(bytes.size()), CV_8UC1,
                          const_cast<char*>(bytes.constData()));
        try {
            image = cv::imdecode(raw, cv::IMREAD_COLOR);
        } catch (const cv::Exception&) {
            image.release();
        }
    }
    if (image.empty())
        return setError(error, QStringLiteral("%1: not a readable picture").arg(source));
    return true;
}

// Replaces the target only once the whole BMP is written.
bool writeBmp(const cv::Mat& image, const QString& target, QString* error) {
    std::vector<uchar> encoded;
    if (!cv::imencode(".bmp", image, encoded))
        return setError(error, QStringLiteral("%1: cannot encode the picture").arg(target));
    // Always through a temporary file and a rename, never rewritten in place.
    const QByteArray bytes(reinterpret_cast<const char*>(encoded.data()),
                           static_cast<qsizetype>(encoded.size()));
    QString why;
    if (!AtomicFile::write(target, bytes, &why))
        return setError(error, why);
    return true;
}

} // namespace

QSize PictureFile::productPictureSize(int width, int height) {
    if (width <= kProductMaxWidth)
        return {width, height};
    const float ratio = static_cast<float>(static_cast<double>(width) / kProductMaxWidth);
    const int scaledHeight = static_cast<int>(static_cast<float>(height) / ratio);
    return {kProductMaxWidth, std::max(1, scaledHeight)};
}

bool PictureFile::saveMemberPicture(const QString& source, const QString& target, QString* error) {
    cv::Mat image;
    return readColourImage(source, image, error) && writeBmp(image, target, error);
}

bool PictureFile::saveProductPicture(const QString& source, const QString& target, QString* error) {
    cv::Mat image;
    if (!readColourImage(source, image, error))
        return false;
    const QSize size = productPictureSize(image.cols, image.rows);
    if (size.width() != image.cols || size.height() != image.rows) {
        cv::Mat scaled;
        cv::resize(image, scaled, cv::Size(size.width(), size.height()), 0, 0, cv::INTER_LINEAR);
        image = scaled;
    }
    return writeBmp(image, target, error);
}
