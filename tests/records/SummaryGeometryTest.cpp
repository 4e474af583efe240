// The summary report's arithmetic with the report's own examples.
#include "SummaryGeometry.h"

#include <gtest/gtest.h>

namespace {

using Scores = std::array<int, 8>;

TEST(SummaryGeometry, BarWidthIsTheIntegerPartOfOnePointNineTimesTheValue) {
    const std::pair<int, int> cases[] = {{0, 0},    {1, 1},    {50, 95},
                                         {79, 150}, {99, 188}, {100, 190}};
    for (auto [value, width] : cases)
        EXPECT_EQ(SummaryGeometry::barWidth(value), width) << value;
    EXPECT_EQ(SummaryGeometry::barTrack(QRect(30, 110, 130, 30)), QRect(180, 120, 190, 10));
}

TEST(SummaryGeometry, RadarPointsFollowTheSpokes) {
    const std::array<QPoint, 9> centre = SummaryGeometry::radarPoints(Scores{});
    for (const QPoint& p : centre)
        EXPECT_EQ(p, QPoint(156, 118));

    // r = 98: every offset truncated (0.643 * 98 = 63.014 -> 63).
    const std::array<QPoint, 9> full{{{93, 43},
                                      {60, 101},
                                      {72, 167},
                                      {123, 210},
                                      {189, 210},
                                      {240, 167},
                                      {252, 101},
                                      {219, 43},
                                      {156, 20}}};
    EXPECT_EQ(SummaryGeometry::radarPoints(Scores{100, 100, 100, 100, 100, 100, 100, 100}), full);

    // r = 49: 0.5 * 49 = 24.5 truncates to 24; the average 619 / 8 = 77 gives 75.46 -> 75.
    const auto half = SummaryGeometry::radarPoints(Scores{50, 50, 50, 50, 50, 50, 50, 50});
    EXPECT_EQ(half[2], QPoint(156 - 42, 118 + 24));
    const auto mixed = SummaryGeometry::radarPoints(Scores{90, 85, 70, 60, 55, 100, 80, 79});
    EXPECT_EQ(mixed[8], QPoint(156, 118 - 75));
}

TEST(SummaryGeometry, LowestItemChoice) {
    struct Case {
        Scores scores;
        int lowest;
        const char* why;
    };
    const Case cases[] = {
        {{40, 90, 40, 70, 80, 60, 50, 95}, 0, "item 0 and 2 tie: the earlier in the order wins"},
        {{90, 85, 70, 60, 55, 100, 80, 79}, 4, "gloss is lowest"},
        {{105, 100, 100, 100, 100, 100, 100, 100}, 0, "item 0 counts as 100, ties, stays first"},
        {{90, 50, 50, 90, 90, 90, 90, 90}, 2, "texture comes before water/oil in the order"},
        {{80, 80, 80, 80, 80, 80, 80, 79}, 7, "a strictly smaller later item wins"},
        {{70, 70, 70, 70, 70, 70, 70, 70}, 0, "all equal: item 0"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SummaryGeometry::lowestItem(c.scores), c.lowest) << c.why;
}

} // namespace
