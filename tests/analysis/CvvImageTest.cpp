#include "CvvImage.h"

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

namespace {

// A picture whose every pixel is distinct enough to catch any shift or scaling.
cv::Mat pattern(int width, int height) {
    cv::Mat m(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            m.at<cv::Vec3b>(y, x) =
                cv::Vec3b(static_cast<uchar>(x), static_cast<uchar>(y), static_cast<uchar>(x ^ y));
        }
    }
    return m;
}

QImage canvas() {
    QImage image(800, 600, QImage::Format_RGB32);
    image.fill(Qt::black);
    return image;
}

// Colour of a canvas pixel as blue, green, red.
cv::Vec3b bgrAt(const QImage& image, int x, int y) {
    const QRgb p = image.pixel(x, y);
    return cv::Vec3b(static_cast<uchar>(qBlue(p)), static_cast<uchar>(qGreen(p)),
                     static_cast<uchar>(qRed(p)));
}

TEST(CvvImage, GreyBecomesThreeEqualChannels) {
    cv::Mat grey(4, 5, CV_8UC1);
    for (int i = 0; i < 20; ++i) {
        grey.data[i] = static_cast<uchar>(i * 12);
    }
    CvvImage holder;
    holder.copyOf(grey, 1);
    ASSERT_EQ(holder.image().type(), CV_8UC3);
    EXPECT_EQ(holder.bitsPerPixel(), 24);
    EXPECT_EQ(holder.image().at<cv::Vec3b>(3, 4), cv::Vec3b(228, 228, 228));

    // Desired colour -1 keeps grey grey; the holder owns a copy.
    holder.copyOf(grey);
    EXPECT_EQ(holder.bitsPerPixel(), 8);
    grey.setTo(0);
    EXPECT_EQ(holder.image().at<uchar>(3, 4), 228);
}

// Equal sizes copy pixel for pixel; a rectangle given backwards is normalised;
// other sizes are scaled smoothly over the whole rectangle.
TEST(CvvImage, DrawsIntoARectangle) {
    CvvImage holder;
    holder.copyOf(pattern(640, 480), 1);
    for (const QRect& rect : {QRect(100, 60, 640, 480), QRect(740, 540, -640, -480)}) {
        QImage target = canvas();
        QPainter painter(&target);
        holder.drawToRect(painter, rect);
        painter.end();
        EXPECT_EQ(bgrAt(target, 100, 60), cv::Vec3b(0, 0, 0));
        EXPECT_EQ(bgrAt(target, 100 + 37, 60 + 211), cv::Vec3b(37, 211, 37 ^ 211));
        EXPECT_EQ(bgrAt(target, 100 + 639, 60 + 479), cv::Vec3b(127, 223, 127 ^ 223));
        EXPECT_EQ(bgrAt(target, 99, 60), cv::Vec3b(0, 0, 0));
    }

    CvvImage flat;
    flat.copyOf(cv::Mat(48, 64, CV_8UC3, cv::Scalar(10, 200, 90)), 1);
    QImage target = canvas();
    QPainter painter(&target);
    flat.drawToRect(painter, QRect(20, 30, 320, 240));
    painter.end();
    EXPECT_EQ(bgrAt(target, 20, 30), cv::Vec3b(10, 200, 90));
    EXPECT_EQ(bgrAt(target, 339, 269), cv::Vec3b(10, 200, 90));
    EXPECT_EQ(bgrAt(target, 340, 270), cv::Vec3b(0, 0, 0));
}

TEST(CvvImage, ShowClipsToThePicture) {
    CvvImage holder;
    holder.copyOf(pattern(64, 48), 1);
    QImage target = canvas();
    QPainter painter(&target);
    holder.show(painter, 0, 0, 500, 500, 60, -5); // from (60, 0): 4 x 48 copied
    painter.end();
    EXPECT_EQ(bgrAt(target, 3, 47), cv::Vec3b(63, 47, 63 ^ 47));
    EXPECT_EQ(bgrAt(target, 4, 0), cv::Vec3b(0, 0, 0));
    EXPECT_EQ(bgrAt(target, 0, 48), cv::Vec3b(0, 0, 0));
}

TEST(CvvImage, CreateRefusesUnsupportedGeometry) {
    CvvImage holder;
    ASSERT_TRUE(holder.create(30, 20, 24));
    const uchar* pixels = holder.image().data;
    EXPECT_TRUE(holder.create(30, 20, 24, 1)); // same geometry: reused
    EXPECT_EQ(holder.image().data, pixels);
    EXPECT_FALSE(holder.create(10000, 20, 24));
    EXPECT_FALSE(holder.create(30, 10000, 24));
    EXPECT_FALSE(holder.create(30, 20, 16));
    EXPECT_FALSE(holder.create(30, 20, 24, 2));
    EXPECT_EQ(holder.width(), 30);
    EXPECT_EQ(holder.bitsPerPixel(), 24);
    holder.fill(0x44332211u);
    EXPECT_EQ(holder.image().at<cv::Vec3b>(5, 5), cv::Vec3b(0x11, 0x22, 0x33));
    holder.destroy();
    EXPECT_EQ(holder.bitsPerPixel(), 0);
    EXPECT_FALSE(holder.save("/nonexistent/x.png"));
}

TEST(CvvImage, LoadsAClippedRegion) {
    QTemporaryDir dir;
    const std::string file = dir.filePath("p.png").toStdString();
    ASSERT_TRUE(cv::imwrite(file, pattern(64, 48)));
    CvvImage holder;
    ASSERT_TRUE(holder.loadRegion(file, 1, -10, 40, 30, 100)); // clipped to 0,40 20 x 8
    EXPECT_EQ(holder.width(), 20);
    EXPECT_EQ(holder.height(), 8);
    EXPECT_EQ(holder.image().at<cv::Vec3b>(0, 0), cv::Vec3b(0, 40, 40));
    ASSERT_TRUE(holder.loadRect(file, 1, 60, 0, 50, 10) == false); // negative width
    EXPECT_FALSE(holder.loadRegion(file, 1, 65, 0, 5, 5));         // beyond the picture
    EXPECT_FALSE(holder.load(dir.filePath("missing.png").toStdString()));
    ASSERT_TRUE(holder.loadRect(file, 1, 0, 0, 0, 0)); // empty rectangle: whole picture
    EXPECT_EQ(holder.width(), 64);
}

} // namespace
