#include "SkinAnalyses.h"

#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

namespace {

const cv::Vec3b kRed(0, 0, 255);

// Blue plane with 1-pixel bright vertical lines on black, period 20, at the
// columns congruent to phase: between the lines everything is darker than the
// running mean, and each line dilates to 3 white columns.
cv::Mat brightLines(int phase) {
    cv::Mat m(480, 640, CV_8UC3, cv::Scalar(0, 120, 120));
    for (int x = phase; x < m.cols; x += 20) {
        m.col(x).setTo(cv::Scalar(255, 120, 120));
    }
    return m;
}

TEST(DarkSpotArea, UniformPictureHasNoSpots) {
    // Blue 100 (tone 80): only the start of the first rows comes out dark,
    // outside the central region, so no outline and the top score.
    const cv::Mat input(480, 640, CV_8UC3, cv::Scalar(100, 150, 200));
    cv::Mat result;
    EXPECT_EQ(darkSpotArea(input, result, false), 95);
    cv::Mat reds;
    cv::inRange(result, cv::Scalar(0, 0, 255), cv::Scalar(0, 0, 255), reds);
    EXPECT_EQ(cv::countNonZero(reds), 0);
    EXPECT_EQ(result.at<cv::Vec3b>(0, 0), cv::Vec3b(0, 0, 0));
    EXPECT_EQ(result.at<cv::Vec3b>(240, 320), cv::Vec3b(255, 255, 255));
}

TEST(DarkSpotArea, DarkCentreIsClampedAt35) {
    // 17 of every 20 columns dark: ratio about 0.85, 95 - 510 -> 35.
    cv::Mat result;
    EXPECT_EQ(darkSpotArea(brightLines(16), result, false), 35);
}

TEST(DarkSpotArea, SquaresGiveTheirShrunkArea) {
    // 30 black 10 x 10 squares on bright skin: each is dark as a whole and the
    // dilation leaves 8 x 8 of it: 1920 / (0.8 x 640 x 0.8 x 480) -> 89.
    cv::Mat input(480, 640, CV_8UC3, cv::Scalar(200, 180, 220));
    for (int i = 0; i < 30; ++i) {
        input(cv::Rect(80 + (i % 6) * 80, 70 + (i / 6) * 70, 10, 10))
            .setTo(cv::Scalar(0, 180, 220));
    }
    cv::Mat result;
    EXPECT_EQ(darkSpotArea(input, result, false), 89);
    // The outline is red on both sides of each boundary.
    EXPECT_EQ(result.at<cv::Vec3b>(75, 80), kRed);
    EXPECT_EQ(result.at<cv::Vec3b>(75, 81), kRed);
    EXPECT_EQ(result.at<cv::Vec3b>(75, 85), cv::Vec3b(0, 0, 0));
}

// The outline scans x < 0.9 W - 1: at W = 640 the pair (574, 575) is looked at,
// the pair (575, 576) is not.
TEST(DarkSpotArea, OutlineStopsBeforeTheLastPairOfTheRegion) {
    cv::Mat result;
    darkSpotArea(brightLines(16), result, false); // white columns 575-577
    EXPECT_EQ(result.at<cv::Vec3b>(240, 574), kRed);
    EXPECT_EQ(result.at<cv::Vec3b>(240, 575), kRed);
    EXPECT_EQ(result.at<cv::Vec3b>(240, 577), cv::Vec3b(255, 255, 255));
    EXPECT_EQ(result.at<cv::Vec3b>(240, 578), cv::Vec3b(0, 0, 0));

    darkSpotArea(brightLines(17), result, false); // white columns 576-578
    EXPECT_EQ(result.at<cv::Vec3b>(240, 575), cv::Vec3b(0, 0, 0));
    EXPECT_EQ(result.at<cv::Vec3b>(240, 576), cv::Vec3b(255, 255, 255));
    // Left edge of the region: the pair (64, 65) is the first one.
    darkSpotArea(brightLines(5), result, false); // white columns 64-66
    EXPECT_EQ(result.at<cv::Vec3b>(240, 63), cv::Vec3b(0, 0, 0));
    EXPECT_EQ(result.at<cv::Vec3b>(240, 64), cv::Vec3b(255, 255, 255));
    EXPECT_EQ(result.at<cv::Vec3b>(240, 66), kRed);
    EXPECT_EQ(result.at<cv::Vec3b>(240, 67), kRed);
}

// Pores are red dots on skin; the skin itself fails the skin filter (green not
// above 90), so only the dots can stay dark in the mask.
cv::Mat skinWithPores(int skinRed, const std::vector<cv::Rect>& pores) {
    cv::Mat m(480, 640, CV_8UC3, cv::Scalar(80, 85, skinRed));
    for (const cv::Rect& r : pores) {
        m(r).setTo(cv::Scalar(100, 100, 250));
    }
    return m;
}

struct StyleCase {
    int skinRed;
    int score;
    int radius;
    cv::Vec3b colour;
};

// One pore whose 30 x 30 window has the red mean of the skin plus the dot
// (about 11 to 24 more): the style row and its penalty follow that mean. The
// dot is 14 x 14, so after two dilations its blob is 10 x 10 with its centre on
// a half pixel (104.5, 204.5), drawn at (104, 204): halves round to even.
TEST(PoreBlobs, StyleFollowsTheRedWindowMean) {
    const StyleCase cases[] = {
        {200, 96, 30, cv::Vec3b(0, 0, 255)},     // m about 211
        {155, 97, 25, cv::Vec3b(10, 121, 218)},  // m about 176
        {140, 98, 20, cv::Vec3b(138, 253, 249)}, // m about 164
    };
    for (const StyleCase& c : cases) {
        const cv::Mat input = skinWithPores(c.skinRed, {cv::Rect(98, 198, 14, 14)});
        cv::Mat result;
        EXPECT_EQ(poreBlobs(input, result, false), c.score) << c.skinRed;
        EXPECT_EQ(result.at<cv::Vec3b>(204 - c.radius, 104), c.colour) << c.skinRed;
        EXPECT_EQ(result.at<cv::Vec3b>(204, 104 - c.radius), c.colour) << c.skinRed;
        // The dot itself is the input again, not the mask.
        EXPECT_EQ(result.at<cv::Vec3b>(204, 104), cv::Vec3b(100, 100, 250));
    }
    // The one-pixel circle shows where the centre went: 104 - 20, never 105 + 20.
    const cv::Mat input = skinWithPores(140, {cv::Rect(98, 198, 14, 14)});
    cv::Mat result;
    poreBlobs(input, result, false);
    EXPECT_EQ(result.at<cv::Vec3b>(204, 84), cv::Vec3b(138, 253, 249));
    EXPECT_EQ(result.at<cv::Vec3b>(204, 125), cv::Vec3b(80, 85, 140));
}

TEST(PoreBlobs, ScoreStopsAt30AndEveryPoreIsStillCircled) {
    std::vector<cv::Rect> pores;
    for (int i = 0; i < 24; ++i) {
        pores.emplace_back(54 + (i % 6) * 100, 54 + (i / 6) * 110, 12, 12);
    }
    const cv::Mat input = skinWithPores(200, pores);
    cv::Mat result;
    EXPECT_EQ(poreBlobs(input, result, false), 30); // 24 x 4 would be 96
    for (const cv::Rect& r : pores) {
        const cv::Point centre(r.x + 6, r.y + 6);
        EXPECT_EQ(result.at<cv::Vec3b>(centre.y, centre.x - 30), kRed) << centre;
    }
}

TEST(PoreBlobs, UniformPictureHasNoPores) {
    const cv::Mat input(480, 640, CV_8UC3, cv::Scalar(120, 140, 200));
    cv::Mat result;
    EXPECT_EQ(poreBlobs(input, result, false), 100);
    EXPECT_EQ(cv::norm(result, input, cv::NORM_INF), 0);
}

} // namespace
