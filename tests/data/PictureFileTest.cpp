#include "PictureFile.h"
#include "TempProgramFolder.h"

#include <QFile>

#include <opencv2/imgcodecs.hpp>

#include <gtest/gtest.h>

namespace {

struct SizeCase {
    QSize source;
    QSize saved;
};

void PrintTo(const SizeCase& c, std::ostream* os) {
    *os << c.source.width() << 'x' << c.source.height();
}

class ProductPictureSize : public ::testing::TestWithParam<SizeCase> {};

TEST_P(ProductPictureSize, IsAtMost500Wide) {
    const SizeCase& c = GetParam();
    EXPECT_EQ(PictureFile::productPictureSize(c.source.width(), c.source.height()), c.saved);
}

INSTANTIATE_TEST_SUITE_P(Table, ProductPictureSize,
                         ::testing::Values(SizeCase{{1000, 750}, {500, 375}},
                                           SizeCase{{500, 400}, {500, 400}},
                                           SizeCase{{1600, 1200}, {500, 375}}, // 374 in double
                                           SizeCase{{501, 1}, {500, 1}},
                                           SizeCase{{20000, 3}, {500, 1}},
                                           SizeCase{{1, 1}, {1, 1}}));

cv::Mat gradient(int width, int height) {
    cv::Mat image(height, width, CV_8UC3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.at<cv::Vec3b>(y, x) = cv::Vec3b(x % 256, y % 256, (x + y) % 256);
    return image;
}

cv::Mat readBack(const QString& path) {
    return cv::imread(QFile::encodeName(path).toStdString(), cv::IMREAD_UNCHANGED);
}

TEST(PictureFileTest, SavesBmpFilesOfTheRightSize) {
    TempProgramFolder folder;
    const std::string jpeg = QFile::encodeName(folder.file("wide 图.jpg")).toStdString();
    ASSERT_TRUE(cv::imwrite(jpeg, gradient(1000, 750)));
    cv::Mat grey(40, 30, CV_8UC1, cv::Scalar(77));
    ASSERT_TRUE(cv::imwrite(QFile::encodeName(folder.file("grey.bmp")).toStdString(), grey));

    ASSERT_TRUE(PictureFile::saveProductPicture(folder.file("wide 图.jpg"), folder.file("p.bmp")));
    const cv::Mat product = readBack(folder.file("p.bmp"));
    EXPECT_EQ(product.cols, 500);
    EXPECT_EQ(product.rows, 375);
    EXPECT_EQ(folder.read("p.bmp").left(2), "BM");

    ASSERT_TRUE(PictureFile::saveMemberPicture(folder.file("wide 图.jpg"), folder.file("m.bmp")));
    EXPECT_EQ(readBack(folder.file("m.bmp")).size(), cv::Size(1000, 750));

    ASSERT_TRUE(PictureFile::saveMemberPicture(folder.file("grey.bmp"), folder.file("g.bmp")));
    EXPECT_EQ(readBack(folder.file("g.bmp")).channels(), 3) << "saved as a colour picture";
}

TEST(PictureFileTest, UnreadablePictureLeavesTheTargetAlone) {
    TempProgramFolder folder;
    folder.write("broken.jpg", "\xFF\xD8 not really a jpeg");
    folder.write("target.bmp", "kept");
    QString error;
    EXPECT_FALSE(PictureFile::saveMemberPicture(folder.file("broken.jpg"),
                                                folder.file("target.bmp"), &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(PictureFile::saveProductPicture(folder.file("missing.jpg"),
                                                 folder.file("target.bmp"), &error));
    EXPECT_EQ(folder.read("target.bmp"), "kept");
}

} // namespace
