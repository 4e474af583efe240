#include "AdaptiveThreshold.h"

#include <gtest/gtest.h>

namespace {

cv::Mat plane(int width, int height, int value) {
    return cv::Mat(height, width, CV_8UC1, cv::Scalar(value));
}

// At W = 640 (run length 80, factor 5, decay 506) the running sum over a long
// run of 100 settles at 8533, so a lone pixel is compared with
// ((8533 + 8433 + g) >> 1) * 5 >> 9 = 83: 82 is dark, 83 is not. Off-by-one
// constants, a logical instead of an averaged previous row or a float mean all
// move that edge.
TEST(AdaptiveThreshold, LonePixelEdgeAtW640) {
    for (const auto& [value, expected] : {std::pair{82, 0}, std::pair{83, 255}}) {
        cv::Mat source = plane(640, 480, 100);
        source.at<uchar>(240, 320) = static_cast<uchar>(value);
        cv::Mat mask;
        ASSERT_TRUE(adaptiveThreshold(source, mask));
        EXPECT_EQ(mask.at<uchar>(240, 320), expected) << "value " << value;
        EXPECT_EQ(cv::countNonZero(mask.rowRange(100, 480)), 380 * 640 - (expected == 0 ? 1 : 0));
    }
}

// The running sum carries on from the end of one row into the next row, which
// runs the other way: a bright run darkens the pixels that are scanned after it,
// to its left in odd rows and to its right in even rows.
TEST(AdaptiveThreshold, SerpentineScan) {
    cv::Mat source = plane(640, 480, 100);
    source(cv::Rect(300, 201, 40, 1)).setTo(255); // odd row: right to left
    source(cv::Rect(300, 300, 40, 1)).setTo(255); // even row: left to right
    cv::Mat mask;
    ASSERT_TRUE(adaptiveThreshold(source, mask));
    EXPECT_EQ(mask.at<uchar>(201, 299), 0);
    EXPECT_EQ(mask.at<uchar>(201, 340), 255);
    EXPECT_EQ(mask.at<uchar>(300, 299), 255);
    EXPECT_EQ(mask.at<uchar>(300, 340), 0);
}

// The sums start at 127 x run length, as if above the picture were mid-grey: on
// a dark picture the start of the first rows comes out dark, the rest not.
TEST(AdaptiveThreshold, StartsFromMidGrey) {
    const cv::Mat source = plane(640, 480, 80);
    cv::Mat mask;
    ASSERT_TRUE(adaptiveThreshold(source, mask));
    EXPECT_EQ(mask.at<uchar>(0, 0), 0);
    EXPECT_GT(cv::countNonZero(mask.row(0) == 0), 0);
    EXPECT_EQ(cv::countNonZero(mask.rowRange(2, 480) == 0), 0);
}

// Factor 43520 / (S x 100) reaches 0 above S = 435: the threshold is 0 and
// nothing is dark, not even a black picture; at S = 435 the start of a black
// picture is still dark.
TEST(AdaptiveThreshold, FactorZeroAboveRunLength435) {
    cv::Mat mask;
    ASSERT_TRUE(adaptiveThreshold(plane(436 * 8, 3, 0), mask));
    EXPECT_EQ(cv::countNonZero(mask), mask.total());
    ASSERT_TRUE(adaptiveThreshold(plane(435 * 8, 3, 0), mask));
    EXPECT_EQ(mask.at<uchar>(0, 0), 0);
}

TEST(AdaptiveThreshold, RefusesWhatItCannotScan) {
    cv::Mat mask(2, 2, CV_8UC1, cv::Scalar(7));
    EXPECT_FALSE(adaptiveThreshold(plane(7, 10, 100), mask));
    EXPECT_FALSE(adaptiveThreshold(cv::Mat(10, 10, CV_8UC3, cv::Scalar::all(1)), mask));
    EXPECT_FALSE(adaptiveThreshold(cv::Mat(), mask));
    EXPECT_EQ(mask.size(), cv::Size(2, 2));
    EXPECT_TRUE(adaptiveThreshold(plane(8, 1, 100), mask));
}

struct WindowCase {
    int x;
    int y;
    int firstColumn; // expected window, exclusive ends
    int endColumn;
    int firstRow;
    int endRow;
};

TEST(WindowMean, BoundsAtTheBorders) {
    const int width = 640;
    const int height = 480;
    const WindowCase cases[] = {
        {320, 240, 305, 335, 225, 255}, // inside: 30 x 30
        {5, 5, 0, 20, 0, 20},           // clipped at the top-left corner
        {width - 1, height - 1, width - 16, width - 1, height - 16, height - 1},
        {width - 10, 100, width - 25, width - 1, 85, 115},
        {0, height - 15, 0, 15, height - 30, height - 1},
    };
    for (const WindowCase& c : cases) {
        // 1 inside the expected window with 101 in its four corners, 200
        // outside: a window one row or column too big or too small misses.
        cv::Mat p = plane(width, height, 200);
        const int w = c.endColumn - c.firstColumn;
        const int h = c.endRow - c.firstRow;
        p(cv::Rect(c.firstColumn, c.firstRow, w, h)).setTo(1);
        for (const int row : {c.firstRow, c.endRow - 1}) {
            for (const int column : {c.firstColumn, c.endColumn - 1}) {
                p.at<uchar>(row, column) = 101;
            }
        }
        const float expected = static_cast<float>(w * h + 400) / static_cast<float>(w * h);
        EXPECT_FLOAT_EQ(windowMean(p, c.x, c.y), expected) << c.x << "," << c.y;
    }
}

TEST(WindowMean, IsARealMeanNotAnIntegerOne) {
    cv::Mat p = plane(640, 480, 1);
    p.at<uchar>(240, 320) = 2; // sum 901 over 900 values
    EXPECT_FLOAT_EQ(windowMean(p, 320, 240), 901.0f / 900.0f);
    EXPECT_EQ(windowMean(plane(1, 1, 9), 0, 0), 0.0f);
}

} // namespace
