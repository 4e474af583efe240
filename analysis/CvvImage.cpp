#include "CvvImage.h"

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <QImage>
#include <QPainter>
#include <QRect>

#include <algorithm>

namespace {

// A QImage view of an 8-bit picture (no copy; valid while the picture lives).
QImage viewOf(const cv::Mat& image) {
    QImage::Format format = QImage::Format_Invalid;
    switch (image.channels()) {
    case 1:
        format = QImage::Format_Grayscale8;
        break;
    case 3:
        format = QImage::Format_BGR888;
        break;
    case 4:
        // Blue, green, red, x in memory is Qt's 32-bit RGB on little-endian machines.
        format = QImage::Format_RGB32;
        break;
    default:
        return {};
    }
    return QImage(image.data, image.cols, image.rows, static_cast<qsizetype>(image.step), format);
}

// The picture as it appears on screen: a bottom-up picture is turned upright.
QImage screenImage(const cv::Mat& image, int origin) {
    const QImage view = viewOf(image);
    return origin == 1 ? view.mirrored(false, true) : view;
}

} // namespace

CvvImage::~CvvImage() {
    destroy();
}

int CvvImage::bitsPerPixel() const {
    return m_image.empty() ? 0
                           : (static_cast<int>(m_image.elemSize1() * 8) & 255) * m_image.channels();
}

bool CvvImage::create(int width, int height, int bitsPerPixel, int origin) {
    if ((bitsPerPixel != 8 && bitsPerPixel != 24 && bitsPerPixel != 32) || width >= 10000 ||
        height >= 10000 || width <= 0 || height <= 0 || (origin != 0 && origin != 1)) {
        return false;
    }
    const int type = CV_8UC(bitsPerPixel / 8);
    if (m_image.empty() || m_image.type() != type || m_image.cols != width ||
        m_image.rows != height) {
        m_image.create(height, width, type);
    }
    m_origin = origin;
    return !m_image.empty();
}

bool CvvImage::load(const std::string& file, int desiredColour) {
    const cv::Mat loaded = cv::imread(file, desiredColour > 0    ? cv::IMREAD_COLOR
                                            : desiredColour == 0 ? cv::IMREAD_GRAYSCALE
                                                                 : cv::IMREAD_UNCHANGED);
    if (loaded.empty()) {
        return false;
    }
    copyOf(loaded, desiredColour);
    return true;
}

bool CvvImage::loadRect(const std::string& file, int desiredColour, int left, int top, int right,
                        int bottom) {
    return loadRegion(file, desiredColour, left, top, right - left, bottom - top);
}

bool CvvImage::loadRegion(const std::string& file, int desiredColour, int x, int y, int width,
                          int height) {
    if (width < 0 || height < 0) {
        return false;
    }
    const cv::Mat loaded = cv::imread(file, desiredColour > 0    ? cv::IMREAD_COLOR
                                            : desiredColour == 0 ? cv::IMREAD_GRAYSCALE
                                                                 : cv::IMREAD_UNCHANGED);
    if (loaded.empty()) {
        return false;
    }
    if (width == 0 || height == 0) {
        width = loaded.cols;
        height = loaded.rows;
    }
    if (x > loaded.cols || y > loaded.rows || x + width < 0 || y + height < 0) {
        return false;
    }
    if (x < 0) {
        width += x;
        x = 0;
    }
    if (y < 0) {
        height += y;
        y = 0;
    }
    width = std::min(width, loaded.cols - x);
    height = std::min(height, loaded.rows - y);
    if (width <= 0 || height <= 0) {
        return false;
    }
    copyOf(loaded(cv::Rect(x, y, width, height)), desiredColour);
    return true;
}

bool CvvImage::save(const std::string& file) {
    if (m_image.empty()) {
        return false;
    }
    try {
        return cv::imwrite(file, m_image);
    } catch (const cv::Exception&) {
        return false;
    }
}

void CvvImage::copyOf(const cv::Mat& source, int desiredColour, int origin) {
    if (source.empty() || source.depth() != CV_8U || source.dims != 2) {
        return;
    }
    const int channels = source.channels();
    const bool colour = desiredColour < 0 ? channels > 1 : desiredColour != 0;
    const int bits = colour ? 8 * (channels > 1 ? channels : 3) : 8;
    if (!create(source.cols, source.rows, bits, origin)) {
        return;
    }
    const int target = m_image.channels();
    if (channels == target) {
        source.copyTo(m_image);
    } else if (target == 1) {
        cv::cvtColor(source, m_image, channels == 4 ? cv::COLOR_BGRA2GRAY : cv::COLOR_BGR2GRAY);
    } else {
        cv::cvtColor(source, m_image, cv::COLOR_GRAY2BGR);
    }
}

void CvvImage::copyOf(const CvvImage& other, int desiredColour) {
    if (!other.m_image.empty()) {
        copyOf(other.m_image, desiredColour, other.m_origin);
    }
}

void CvvImage::destroy() {
    m_image.release();
}

void CvvImage::fill(unsigned int colour) {
    if (!m_image.empty()) {
        m_image.setTo(
            cv::Scalar(colour & 255, (colour >> 8) & 255, (colour >> 16) & 255, colour >> 24));
    }
}

void CvvImage::show(QPainter& painter, int x, int y, int width, int height, int fromX, int fromY) {
    if (m_image.empty() || m_image.depth() != CV_8U) {
        return;
    }
    fromX = std::clamp(fromX, 0, m_image.cols - 1);
    fromY = std::clamp(fromY, 0, m_image.rows - 1);
    const int copiedWidth = std::max(0, std::min(width, m_image.cols - fromX));
    const int copiedHeight = std::max(0, std::min(height, m_image.rows - fromY));
    if (copiedWidth == 0 || copiedHeight == 0) {
        return;
    }
    painter.drawImage(QPoint(x, y), screenImage(m_image, m_origin),
                      QRect(fromX, fromY, copiedWidth, copiedHeight));
}

void CvvImage::drawToRect(QPainter& painter, const QRect& destination) {
    if (m_image.empty() || m_image.depth() != CV_8U) {
        return;
    }
    const QRect target = destination.normalized();
    if (target.width() <= 0 || target.height() <= 0) {
        return;
    }
    if (target.width() == m_image.cols && target.height() == m_image.rows) {
        show(painter, target.x(), target.y(), target.width(), target.height(), 0, 0);
        return;
    }
    // Area averaging when shrinking and smooth interpolation when enlarging, the
    // closest Qt has to a halftone stretch.
    const QImage scaled =
        screenImage(m_image, m_origin)
            .scaled(target.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    painter.drawImage(target.topLeft(), scaled);
}
