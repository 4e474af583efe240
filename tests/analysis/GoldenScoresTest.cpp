// Scores pinned for seeded synthetic photographs. The analyses were checked
// against an independent implementation; these values hold that agreement in
// place, so an OpenCV upgrade (or any change) that moves a score fails here
// and is looked at on purpose, not discovered in a salon.
#include "AnalysisRun.h"
#include "SyntheticSkin.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

struct GoldenVisit {
    std::uint64_t firstSeed; // slot k is syntheticSkin(640, 480, firstSeed + k)
    std::array<int, kSkinItemCount> scores;
};

const GoldenVisit kGolden[] = {
    {20240611, {77, 92, 93, 85, 60, 58, 89, 64}},
    {7, {75, 91, 93, 88, 60, 60, 91, 42}},
    {900, {73, 63, 93, 86, 62, 64, 90, 56}},
};

TEST(GoldenScores, SeededVisitsKeepEveryItemsScore) {
    for (const GoldenVisit& visit : kGolden) {
        std::array<cv::Mat, kCaptureSlotCount> captures;
        for (int k = 0; k < kCaptureSlotCount; ++k)
            captures[static_cast<std::size_t>(k)] =
                syntheticSkin(640, 480, visit.firstSeed + static_cast<std::uint64_t>(k));
        ItemResults items = makeItemResults();
        fillDetectionImages(items, captures);
        ASSERT_TRUE(scoreItems(items, GradedTextTable{}));
        for (int item = 0; item < kSkinItemCount; ++item)
            EXPECT_EQ(items[static_cast<std::size_t>(item)].score,
                      visit.scores[static_cast<std::size_t>(item)])
                << "seed " << visit.firstSeed << ", item " << item;
    }
}

} // namespace
