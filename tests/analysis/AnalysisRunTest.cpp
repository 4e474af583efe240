#include "AnalysisRun.h"
#include "SyntheticSkin.h"

#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;

std::array<cv::Mat, kCaptureSlotCount> syntheticSlots() {
    std::array<cv::Mat, kCaptureSlotCount> captures;
    for (int i = 0; i < kCaptureSlotCount; ++i) {
        captures[static_cast<std::size_t>(i)] = syntheticSkin(640, 480, 40 + i);
    }
    return captures;
}

GradedTexts taggedTexts() {
    return {[](int item, int score) {
                return "r" + std::to_string(item) + ":" + std::to_string(score);
            },
            [](int item, int score) {
                return "s" + std::to_string(item) + ":" + std::to_string(score);
            }};
}

TEST(AnalysisRun, SkinColourScoreIsTheTruncatedMeanOfItems1To7) {
    struct Case {
        std::array<int, 7> scores; // items 1-7
        int expected;
    };
    const Case cases[] = {
        {{45, 51, 35, 50, 50, 50, 30}, 44},    // every item at its floor: 311 / 7
        {{100, 95, 95, 92, 98, 100, 100}, 97}, // every item at its top: 680 / 7, not 97.1 rounded
        {{60, 60, 60, 60, 60, 60, 66}, 60},    // 426 / 7 = 60.86 truncated
    };
    for (const Case& c : cases) {
        ItemResults items = makeItemResults();
        items[0].score = 99; // the skin-colour picture's own value plays no part
        for (int i = 0; i < 7; ++i) {
            items[static_cast<std::size_t>(i + 1)].score = c.scores[static_cast<std::size_t>(i)];
        }
        EXPECT_EQ(skinColourScore(items), c.expected);
    }
}

TEST(AnalysisRun, SlotsGoToTheirItemsAsCopies) {
    std::array<cv::Mat, kCaptureSlotCount> captures;
    for (int i = 0; i < kCaptureSlotCount; ++i) {
        captures[static_cast<std::size_t>(i)] = cv::Mat(480, 640, CV_8UC3, cv::Scalar::all(i + 1));
    }
    ItemResults items = makeItemResults();
    fillDetectionImages(items, captures);
    // Item -> slot: 0:3, 1:1, 2:2, 3:5, 4:1, 5:4, 6:5, 7:6.
    const int slotOfItem[kSkinItemCount] = {3, 1, 2, 5, 1, 4, 5, 6};
    for (int item = 0; item < kSkinItemCount; ++item) {
        EXPECT_EQ(items[static_cast<std::size_t>(item)].item, item);
        EXPECT_EQ(items[static_cast<std::size_t>(item)].detectionImage.at<cv::Vec3b>(0, 0)[0],
                  slotOfItem[item])
            << item;
    }
    captures[0].setTo(cv::Scalar::all(200));
    EXPECT_EQ(items[kWaterOil].detectionImage.at<cv::Vec3b>(0, 0)[0], 1);
    EXPECT_NE(items[kWaterOil].detectionImage.data, items[kGloss].detectionImage.data);
}

// Each item is scored by its own analysis into its own picture; items sharing a
// capture (1 and 4, 3 and 6) still get pictures of their own.
TEST(AnalysisRun, ScoresEveryItemWithItsTexts) {
    ItemResults items = makeItemResults();
    const auto captures = syntheticSlots();
    fillDetectionImages(items, captures);
    ASSERT_TRUE(scoreItems(items, taggedTexts()));

    for (const SkinItem& item : kSkinItems) {
        const ItemResult& r = items[static_cast<std::size_t>(item.index)];
        cv::Mat expected;
        const int own = item.analysis(r.detectionImage, expected, false);
        if (item.index != kSkinColour) {
            EXPECT_EQ(r.score, own) << item.index;
        }
        EXPECT_EQ(cv::norm(r.analysisImage, expected, cv::NORM_INF), 0) << item.index;
        EXPECT_EQ(r.resultText, "r" + std::to_string(item.index) + ":" + std::to_string(r.score));
        EXPECT_EQ(r.suggestionText,
                  "s" + std::to_string(item.index) + ":" + std::to_string(r.score));
    }
    EXPECT_EQ(items[kSkinColour].score, skinColourScore(items));
    EXPECT_GT(cv::norm(items[kWaterOil].analysisImage, items[kGloss].analysisImage, cv::NORM_INF),
              0);
    EXPECT_GT(
        cv::norm(items[kSpots].analysisImage, items[kSensitivity].analysisImage, cv::NORM_INF), 0);
}

TEST(AnalysisRun, RefusesAVisitWithAnUnusablePicture) {
    ItemResults items = makeItemResults();
    fillDetectionImages(items, syntheticSlots());
    items[kPores].detectionImage.release();
    EXPECT_FALSE(scoreItems(items, taggedTexts()));
    EXPECT_EQ(items[kWaterOil].score, 0);
    EXPECT_TRUE(items[kWaterOil].resultText.empty());

    int completions = 0;
    AnalysisRun run(items, {taggedTexts(), [&] { ++completions; }, {}}, 0ms);
    EXPECT_FALSE(run.start());
    run.waitForFinished();
    EXPECT_EQ(completions, 0);
}

// The worker scores, waits, calls the completion (results ready), then the
// hand-back, both on its own thread; the owner's thread is free meanwhile.
TEST(AnalysisRun, CompletesOnTheWorkerAfterTheWait) {
    ItemResults items = makeItemResults();
    fillDetectionImages(items, syntheticSlots());
    std::mutex m;
    std::vector<std::string> events;
    std::thread::id completionThread;
    int skinScoreAtCompletion = -1;
    const auto wait = 150ms;
    AnalysisRun run(items,
                    {taggedTexts(),
                     [&] {
                         std::lock_guard lock(m);
                         events.push_back("completed");
                         completionThread = std::this_thread::get_id();
                         skinScoreAtCompletion = items[kSkinColour].score;
                     },
                     [&] {
                         std::lock_guard lock(m);
                         events.push_back("handBack");
                     }},
                    wait);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_TRUE(run.start());
    EXPECT_TRUE(run.isRunning());
    EXPECT_FALSE(run.start()); // one run at a time
    run.waitForFinished();
    EXPECT_GE(std::chrono::steady_clock::now() - started, wait);
    EXPECT_FALSE(run.isRunning());
    EXPECT_EQ(events, (std::vector<std::string>{"completed", "handBack"}));
    EXPECT_NE(completionThread, std::this_thread::get_id());
    EXPECT_EQ(skinScoreAtCompletion, skinColourScore(items));
    EXPECT_GE(skinScoreAtCompletion, 44);

    // The same object runs again.
    ASSERT_TRUE(run.start());
    run.waitForFinished();
    EXPECT_EQ(events.size(), 4u);
}

TEST(AnalysisRun, CancelCutsTheWaitAndCompletesNothing) {
    ItemResults items = makeItemResults();
    fillDetectionImages(items, syntheticSlots());
    int calls = 0;
    {
        AnalysisRun run(items, {taggedTexts(), [&] { ++calls; }, [&] { ++calls; }}, 1h);
        ASSERT_TRUE(run.start());
        run.cancel();
        run.waitForFinished();
        EXPECT_FALSE(run.isRunning());
    }
    {
        AnalysisRun run(items, {taggedTexts(), [&] { ++calls; }, [&] { ++calls; }}, 1h);
        ASSERT_TRUE(run.start());
    } // destroyed while running: cancels and joins
    EXPECT_EQ(calls, 0);
}

} // namespace
