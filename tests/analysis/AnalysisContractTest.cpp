// What every analysis promises: refusal of unusable pictures, scores inside the
// item's range, the live flag, overlapping input and result, concurrent calls.

#include "ImageConventions.h"
#include "SkinItem.h"
#include "SyntheticSkin.h"

#include <gtest/gtest.h>

#include <opencv2/imgproc.hpp>

#include <thread>

namespace {

struct Range {
    int low;
    int high;
};
constexpr Range kRanges[kSkinItemCount] = {{0, 100}, {45, 100}, {51, 95},  {35, 95},
                                           {50, 92}, {50, 98},  {50, 100}, {30, 100}};

TEST(AnalysisContract, RefusesUnusablePicturesAndLeavesTheResult) {
    const cv::Mat unusable[] = {
        cv::Mat(),
        cv::Mat(480, 640, CV_8UC1, cv::Scalar(100)),
        cv::Mat(480, 640, CV_8UC4, cv::Scalar::all(100)),
        cv::Mat(480, 640, CV_16UC3, cv::Scalar::all(100)),
        cv::Mat(8, 7, CV_8UC3, cv::Scalar::all(100)),
        cv::Mat(7, 8, CV_8UC3, cv::Scalar::all(100)),
    };
    for (const SkinItem& item : kSkinItems) {
        for (const cv::Mat& input : unusable) {
            for (const bool live : {false, true}) {
                cv::Mat result(3, 3, CV_8UC3, cv::Scalar(1, 2, 3));
                EXPECT_EQ(item.analysis(input, result, live), kAnalysisRefused)
                    << item.index << " " << input.size() << " type " << input.type();
                EXPECT_EQ(result.size(), cv::Size(3, 3));
                EXPECT_EQ(result.at<cv::Vec3b>(1, 1), cv::Vec3b(1, 2, 3));
            }
        }
        cv::Mat result;
        const int smallest = item.analysis(syntheticSkin(8, 8, 3), result, false);
        EXPECT_GE(smallest, kRanges[item.index].low) << item.index;
        EXPECT_EQ(result.size(), cv::Size(8, 8));
    }
}

// Scores stay in range on varied pictures, including a 1280 x 720 capture that
// is analysed at its own size and extreme pictures that hit the clamps.
TEST(AnalysisContract, ScoresStayInTheirRange) {
    std::vector<cv::Mat> pictures = {syntheticSkin(640, 480, 1),
                                     syntheticSkin(640, 480, 2),
                                     syntheticSkin(1280, 720, 3),
                                     syntheticSkin(33, 20, 4),
                                     cv::Mat(480, 640, CV_8UC3, cv::Scalar::all(0)),
                                     cv::Mat(480, 640, CV_8UC3, cv::Scalar::all(255))};
    cv::Mat noise(480, 640, CV_8UC3);
    cv::RNG(7).fill(noise, cv::RNG::UNIFORM, 0, 256);
    pictures.push_back(noise);
    for (const cv::Mat& picture : pictures) {
        for (const SkinItem& item : kSkinItems) {
            cv::Mat result;
            const int score = item.analysis(picture, result, false);
            EXPECT_GE(score, kRanges[item.index].low) << item.index << " " << picture.size();
            EXPECT_LE(score, kRanges[item.index].high) << item.index << " " << picture.size();
            EXPECT_EQ(result.size(), picture.size());
        }
    }
}

// Live calls return 0 and, apart from skin colour and pores, show the same
// picture as the scoring call. Skin colour shows the inverted lightness live;
// pores show the bare mask live and the input with circles when scoring.
TEST(AnalysisContract, LiveAndScoringResults) {
    const cv::Mat input = syntheticSkin(640, 480, 11);
    for (const SkinItem& item : kSkinItems) {
        cv::Mat live;
        cv::Mat scoring;
        EXPECT_EQ(item.analysis(input, live, true), 0) << item.index;
        item.analysis(input, scoring, false);
        ASSERT_EQ(live.type(), CV_8UC3);
        if (item.index == kSkinColour) {
            cv::Mat inverted;
            cv::bitwise_not(scoring, inverted);
            EXPECT_EQ(cv::norm(live, inverted, cv::NORM_INF), 0);
        } else if (item.index == kPores) {
            cv::Mat grey;
            cv::extractChannel(live, grey, 0);
            EXPECT_EQ(cv::countNonZero(grey) + cv::countNonZero(grey == 0), grey.total());
            EXPECT_GT(cv::countNonZero(grey == 0), 0);
            cv::Mat unmarked;
            cv::compare(scoring, input, unmarked, cv::CMP_EQ);
            EXPECT_GT(cv::countNonZero(unmarked.reshape(1)), 0.8 * input.total() * 3);
            EXPECT_LT(cv::countNonZero(unmarked.reshape(1)), input.total() * 3);
        } else {
            EXPECT_EQ(cv::norm(live, scoring, cv::NORM_INF), 0) << item.index;
        }
    }
}

// The input is never changed, also when the caller passes it as the result.
TEST(AnalysisContract, InputPassedAsResult) {
    const cv::Mat original = syntheticSkin(640, 480, 12);
    for (const SkinItem& item : kSkinItems) {
        cv::Mat separate;
        const int expected = item.analysis(original, separate, false);
        cv::Mat same = original.clone();
        cv::Mat sameAgain = same; // shares the pixels
        EXPECT_EQ(item.analysis(same, sameAgain, false), expected) << item.index;
        EXPECT_EQ(cv::norm(sameAgain, separate, cv::NORM_INF), 0) << item.index;
        cv::Mat input = original.clone();
        cv::Mat result;
        item.analysis(input, result, false);
        EXPECT_EQ(cv::norm(input, original, cv::NORM_INF), 0) << item.index;
    }
}

// Two scoring calls of the pores analysis at once give what one call gives.
TEST(AnalysisContract, ConcurrentPoreCalls) {
    const cv::Mat a = syntheticSkin(640, 480, 21);
    const cv::Mat b = syntheticSkin(640, 480, 22);
    cv::Mat expectedA;
    cv::Mat expectedB;
    const int scoreA = poreBlobs(a, expectedA, false);
    const int scoreB = poreBlobs(b, expectedB, false);
    for (int round = 0; round < 5; ++round) {
        cv::Mat resultA;
        cv::Mat resultB;
        int gotA = 0;
        int gotB = 0;
        std::thread other([&] { gotB = poreBlobs(b, resultB, false); });
        gotA = poreBlobs(a, resultA, false);
        other.join();
        EXPECT_EQ(gotA, scoreA);
        EXPECT_EQ(gotB, scoreB);
        EXPECT_EQ(cv::norm(resultA, expectedA, cv::NORM_INF), 0);
        EXPECT_EQ(cv::norm(resultB, expectedB, cv::NORM_INF), 0);
    }
}

} // namespace
