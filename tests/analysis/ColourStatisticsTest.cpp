#include "SkinAnalyses.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

cv::Mat uniform(int b, int g, int r) {
    return cv::Mat(480, 640, CV_8UC3, cv::Scalar(b, g, r));
}

// Left part (columns below split) one colour, the rest another.
cv::Mat split(int splitColumn, cv::Scalar left, cv::Scalar right) {
    cv::Mat m(480, 640, CV_8UC3, right);
    m.colRange(0, splitColumn).setTo(left);
    return m;
}

struct ScoreCase {
    std::string name;
    SkinAnalysis analysis;
    std::function<cv::Mat()> picture;
    int score;
};

void PrintTo(const ScoreCase& c, std::ostream* os) {
    *os << c.name;
}

class Scores : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(Scores, MatchTheHandComputedScore) {
    const ScoreCase& c = GetParam();
    const cv::Mat input = c.picture();
    cv::Mat result;
    EXPECT_EQ(c.analysis(input, result, false), c.score);
    EXPECT_EQ(result.size(), input.size());
    EXPECT_EQ(result.type(), CV_8UC3);
}

// 3072 pixels are 1 % of 640 x 480.
cv::Mat onePercentShining() {
    cv::Mat m = uniform(160, 150, 200);
    m.rowRange(0, 4).setTo(cv::Scalar(161, 150, 200));
    m.row(4).colRange(0, 512).setTo(cv::Scalar(161, 150, 200));
    return m;
}

// Light cells broken by dark lines every third row and fourth column: Canny
// marks about 67 % of the pixels (95 - 53 is clamped).
cv::Mat edgeGrid() {
    cv::Mat m(480, 640, CV_8UC3, cv::Scalar::all(0));
    for (int y = 0; y < m.rows; ++y) {
        for (int x = 0; x < m.cols; ++x) {
            if (y % 3 != 1 && x % 4 != 2) {
                m.at<cv::Vec3b>(y, x) = cv::Vec3b(255, 255, 255);
            }
        }
    }
    return m;
}

// Grey halves a apart from b: deviation exactly |a - b| / 2 (the n / (n - 1)
// of the variance disappears in the integer division).
cv::Mat greyHalves(int a, int b) {
    return split(320, cv::Scalar::all(a), cv::Scalar::all(b));
}

INSTANTIATE_TEST_SUITE_P(
    Analyses, Scores,
    ::testing::Values(
        // Shine: only blue above 160 shines; 1333 per unit of ratio, floor 45.
        ScoreCase{"shine_blue160", &shineRatio, [] { return uniform(160, 90, 200); }, 100},
        ScoreCase{"shine_blue161", &shineRatio, [] { return uniform(161, 90, 200); }, 45},
        ScoreCase{"shine_onePercent", &shineRatio, onePercentShining, 86},
        // Texture: no edges 95; a fine grid that is two thirds edges, floor 51.
        ScoreCase{"texture_uniform", &edgeDensity, [] { return uniform(120, 140, 180); }, 95},
        ScoreCase{"texture_grid", &edgeDensity, edgeGrid, 51},
        // Red streaks: equalising a constant plane keeps it, so a uniform red
        // picture meeting every condition is all red: floor 50. Halves that meet
        // them in the input equalise to black and white and meet none: 98.
        ScoreCase{"red_uniformRed", &redPixelRatio, [] { return uniform(150, 80, 200); }, 50},
        ScoreCase{"red_halvesEqualised", &redPixelRatio,
                  [] { return split(320, cv::Scalar(150, 80, 200), cv::Scalar(100, 60, 130)); },
                  98},
        ScoreCase{"red_uniformGrey", &redPixelRatio, [] { return uniform(128, 128, 128); }, 98},
        // Gloss: 50 + trunc(deviation), 92 from a deviation of 42 on.
        ScoreCase{"gloss_uniform", &greyContrast, [] { return uniform(90, 90, 90); }, 50},
        ScoreCase{"gloss_dev20", &greyContrast, [] { return greyHalves(100, 140); }, 70},
        ScoreCase{"gloss_dev41", &greyContrast, [] { return greyHalves(100, 182); }, 91},
        ScoreCase{"gloss_dev42", &greyContrast, [] { return greyHalves(100, 184); }, 92},
        ScoreCase{"gloss_dev43", &greyContrast, [] { return greyHalves(100, 186); }, 92},
        ScoreCase{"gloss_dev1_5", &greyContrast, [] { return greyHalves(100, 103); }, 51},
        // Sensitivity: 100 - trunc(min(deviation, 50)). Greys 194 and 0 have L 200
        // and 0, i.e. inverted L 55 and 255: deviation 100, capped at 50.
        ScoreCase{"sensitivity_uniform", &lightnessSpread, [] { return uniform(30, 90, 200); },
                  100},
        ScoreCase{"sensitivity_capped", &lightnessSpread, [] { return greyHalves(194, 0); }, 50},
        // Skin colour: grey 194 has L 200: peak 200, threshold 170, mean 200,
        // trunc(200 / 2.55 + 0.05) = 78.
        ScoreCase{"skin_L200", &lightnessImage, [] { return uniform(194, 194, 194); }, 78},
        // Greys 195 and 196 (L 201 and 202, one step apart, so the smoothing
        // adds no third value) fill the two halves of the central region: the
        // mean is the real 201.5, 79; an integer mean of 201 would give 78.
        ScoreCase{"skin_realMean", &lightnessImage,
                  [] {
                      cv::Mat m = uniform(196, 196, 196);
                      m.rowRange(0, 240).setTo(cv::Scalar::all(195));
                      return m;
                  },
                  79},
        // Only the central region counts: a black frame outside it (and far
        // enough for the smoothing not to reach in) changes nothing.
        ScoreCase{"skin_L200_blackFrame", &lightnessImage,
                  [] {
                      cv::Mat m = uniform(0, 0, 0);
                      m(cv::Rect(62, 46, 516, 388)).setTo(cv::Scalar::all(194));
                      return m;
                  },
                  78}),
    [](const ::testing::TestParamInfo<ScoreCase>& info) { return info.param.name; });

// Marks go onto the right picture: the blue plane for shine, a copy of the input
// for texture and red streaks.
TEST(ColourStatistics, ResultPictures) {
    cv::Mat result;
    shineRatio(split(320, cv::Scalar(161, 10, 20), cv::Scalar(150, 10, 20)), result, false);
    EXPECT_EQ(result.at<cv::Vec3b>(0, 0), cv::Vec3b(0, 255, 0));
    EXPECT_EQ(result.at<cv::Vec3b>(0, 639), cv::Vec3b(150, 150, 150));

    const cv::Mat redInput = uniform(150, 80, 200);
    redPixelRatio(redInput, result, false);
    EXPECT_EQ(result.at<cv::Vec3b>(100, 100), cv::Vec3b(0, 0, 255));
    const cv::Mat halves = split(320, cv::Scalar(150, 80, 200), cv::Scalar(100, 60, 130));
    redPixelRatio(halves, result, false);
    EXPECT_EQ(cv::norm(result, halves, cv::NORM_INF), 0);

    cv::Mat step = uniform(40, 40, 40);
    step.colRange(320, 640).setTo(cv::Scalar(200, 200, 200));
    edgeDensity(step, result, false);
    EXPECT_EQ(result.at<cv::Vec3b>(10, 10), cv::Vec3b(40, 40, 40));
    EXPECT_EQ(result.at<cv::Vec3b>(10, 630), cv::Vec3b(200, 200, 200));
    const cv::Vec3b edgeBlue(255, 0, 0);
    EXPECT_TRUE(result.at<cv::Vec3b>(240, 319) == edgeBlue ||
                result.at<cv::Vec3b>(240, 320) == edgeBlue);
}

} // namespace
