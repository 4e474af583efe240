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

// Every text names its kind ('r' result, 's' suggestion), item and grade, so a
// text from the wrong row or column shows. (Built by appending: GCC 12 at -O3
// warns falsely about `"r" + std::string`.)
std::string gradedTag(char kind, int item, int grade) {
    std::string text(1, kind);
    text += std::to_string(item);
    text += ':';
    text += std::to_string(grade);
    return text;
}

GradedTextTable taggedTexts() {
    GradedTextTable table;
    for (int item = 0; item < kSkinItemCount; ++item) {
        for (int grade = 0; grade < GradedTextTable::kGradeCount; ++grade)
            table.setTexts(item, grade, gradedTag('r', item, grade), gradedTag('s', item, grade));
    }
    return table;
}

std::string tag(char kind, int item, int score) {
    return gradedTag(kind, item, GradedTextTable::gradeOf(score));
}

TEST(GradedTextTable, ScoresFindTheTextsOfTheirGrade) {
    struct Case {
        int score;
        int grade;
    };
    const Case cases[] = {{100, 0}, {90, 0}, {89, 1}, {80, 1}, {79, 2}, {70, 2},
                          {69, 3},  {60, 3}, {59, 4}, {0, 4},  {-5, 4}};
    const GradedTextTable table = taggedTexts();
    for (const Case& c : cases) {
        EXPECT_EQ(GradedTextTable::gradeOf(c.score), c.grade) << c.score;
        EXPECT_EQ(table.resultText(6, c.score), gradedTag('r', 6, c.grade)) << c.score;
        EXPECT_EQ(table.suggestionText(6, c.score), gradedTag('s', 6, c.grade)) << c.score;
    }
    // Items outside the table have no texts, and storing one there changes nothing.
    GradedTextTable outside = taggedTexts();
    outside.setTexts(kSkinItemCount, 0, "x", "y");
    outside.setTexts(0, GradedTextTable::kGradeCount, "x", "y");
    EXPECT_EQ(outside.resultText(kSkinItemCount, 95), "");
    EXPECT_EQ(outside.suggestionText(-1, 95), "");
    EXPECT_EQ(outside.resultText(0, 95), "r0:0");
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
        EXPECT_EQ(r.resultText, tag('r', item.index, r.score)) << item.index;
        EXPECT_EQ(r.suggestionText, tag('s', item.index, r.score)) << item.index;
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
    AnalysisRun run([&](std::uint64_t, ItemResults) { ++completions; }, 0ms);
    EXPECT_EQ(run.start(items, taggedTexts()), AnalysisRun::Start::CaptureUnusable);
    run.waitForFinished();
    EXPECT_EQ(completions, 0);
    EXPECT_EQ(run.token(), 0u);
}

// The worker scores its own copy, waits, and hands the copy over on its own
// thread with the run's token; the owner's results are never touched, so the
// owner may even drop its pictures while the run is under way.
TEST(AnalysisRun, HandsItsOwnCopyBackWithTheTokenAfterTheWait) {
    ItemResults items = makeItemResults();
    fillDetectionImages(items, syntheticSlots());
    ItemResults expected = deepCopy(items);
    ASSERT_TRUE(scoreItems(expected, taggedTexts()));

    std::mutex m;
    std::vector<std::uint64_t> tokens;
    std::vector<ItemResults> delivered;
    std::thread::id completionThread;
    const auto wait = 150ms;
    AnalysisRun run(
        [&](std::uint64_t token, ItemResults results) {
            std::lock_guard lock(m);
            tokens.push_back(token);
            delivered.push_back(std::move(results));
            completionThread = std::this_thread::get_id();
        },
        wait);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(run.start(items, taggedTexts()), AnalysisRun::Start::Started);
    EXPECT_TRUE(run.isRunning());
    EXPECT_EQ(run.start(items, taggedTexts()), AnalysisRun::Start::StillRunning);
    for (ItemResult& r : items) { // the owner's pictures are its own
        r.detectionImage.setTo(cv::Scalar::all(0));
        r.analysisImage.release();
    }
    run.waitForFinished();
    EXPECT_GE(std::chrono::steady_clock::now() - started, wait);
    EXPECT_FALSE(run.isRunning());
    ASSERT_EQ(tokens, (std::vector<std::uint64_t>{1}));
    EXPECT_EQ(run.token(), 1u);
    EXPECT_NE(completionThread, std::this_thread::get_id());
    for (int item = 0; item < kSkinItemCount; ++item) {
        const auto i = static_cast<std::size_t>(item);
        const ItemResult& got = delivered[0][i];
        EXPECT_EQ(got.score, expected[i].score) << item;
        EXPECT_EQ(got.resultText, expected[i].resultText) << item;
        EXPECT_EQ(cv::norm(got.analysisImage, expected[i].analysisImage, cv::NORM_INF), 0) << item;
        EXPECT_TRUE(items[i].analysisImage.empty()) << item;
        EXPECT_EQ(items[i].score, 0) << item;
    }

    // The same object runs again, under a new token.
    for (ItemResult& r : items)
        r = expected[static_cast<std::size_t>(r.item)];
    ASSERT_EQ(run.start(items, taggedTexts()), AnalysisRun::Start::Started);
    run.waitForFinished();
    EXPECT_EQ(tokens, (std::vector<std::uint64_t>{1, 2}));
}

TEST(AnalysisRun, CancelCutsTheWaitAndCompletesNothing) {
    ItemResults items = makeItemResults();
    fillDetectionImages(items, syntheticSlots());
    int calls = 0;
    const auto count = [&](std::uint64_t, ItemResults) { ++calls; };
    {
        AnalysisRun run(count, 1h);
        ASSERT_EQ(run.start(items, taggedTexts()), AnalysisRun::Start::Started);
        run.cancel();
        run.waitForFinished();
        EXPECT_FALSE(run.isRunning());
    }
    {
        AnalysisRun run(count, 1h);
        ASSERT_EQ(run.start(items, taggedTexts()), AnalysisRun::Start::Started);
    } // destroyed while running: cancels and joins
    EXPECT_EQ(calls, 0);
}

} // namespace
