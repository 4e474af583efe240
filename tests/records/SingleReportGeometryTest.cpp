// The single-item report's arithmetic with the report's own examples: score
// colours with the blue channel's wrap, the ring square, the arc, the scale
// pointer, the animation steps and which picture a double-click opens.
#include "SingleReportGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace geo = SingleReportGeometry;

namespace {

struct ColourCase {
    int v;
    int red, green, blue;
};

class ScoreColourTest : public ::testing::TestWithParam<ColourCase> {};

TEST_P(ScoreColourTest, FollowsTheRedToGreenRuleWithEightBitChannels) {
    const ColourCase c = GetParam();
    const QColor colour = geo::scoreColour(c.v);
    EXPECT_EQ(colour.red(), c.red) << "v=" << c.v;
    EXPECT_EQ(colour.green(), c.green) << "v=" << c.v;
    EXPECT_EQ(colour.blue(), c.blue) << "v=" << c.v;
    EXPECT_EQ(colour.alpha(), 255);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, ScoreColourTest,
    ::testing::Values(ColourCase{0, 255, 0, 176},    // 24 * 50 = 1200 wraps to 176
                      ColourCase{10, 255, 50, 192},  // 960 wraps to 192
                      ColourCase{39, 255, 195, 8},   // 24 * 11 = 264 wraps to 8
                      ColourCase{40, 255, 200, 240}, // 240 fits, no wrap
                      ColourCase{49, 255, 245, 24}, ColourCase{50, 250, 206, 0},
                      ColourCase{87, 65, 206, 44}, // 1.2 * 37 = 44.4 is cut to 44
                      ColourCase{99, 5, 206, 58}, ColourCase{100, 0, 206, 60}));

TEST(SingleReportGeometryTest, RingSquareSurroundsTheScoreBoxByTenPixels) {
    struct Case {
        QRect box;
        QRect square;
    };
    const std::vector<Case> cases{
        {QRect(70, 100, 140, 140), QRect(60, 90, 160, 160)},
        // A box taller than wide: the square is centred on it vertically;
        // (21 + 51) / 2 - 41 / 2 - 10 = 36 - 20 - 10.
        {QRect(10, 21, 41, 30), QRect(0, 6, 61, 61)},
        {QRect(200, 300, 100, 60), QRect(190, 270, 120, 120)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(geo::ringSquare(c.box), c.square) << c.box.x() << ',' << c.box.y();
}

TEST(SingleReportGeometryTest, ArcStartsAtTwelveAndRunsClockwiseBy3Point6DegreesAPoint) {
    EXPECT_EQ(geo::arcStartSixteenths(), 90 * 16);
    const std::vector<std::pair<int, int>> cases{
        {0, 0},
        {1, -58},
        {50, -180 * 16},
        {87, -5011},
        {100, -360 * 16},
        // Stored scores outside the scale draw at its ends.
        {-7, 0},
        {140, -360 * 16}};
    for (const auto& [v, span] : cases)
        EXPECT_EQ(geo::arcSpanSixteenths(v), span) << "v=" << v;
}

TEST(SingleReportGeometryTest, PointerStandsAboveTheScaleAtTheValue) {
    struct Case {
        QRect scale;
        int v;
        QRect pointer;
    };
    const std::vector<Case> cases{
        {QRect(30, 292, 300, 26), 0, QRect(30, 268, 20, 22)},
        {QRect(30, 292, 300, 26), 100, QRect(330, 268, 20, 22)}, // right end of the bar
        {QRect(0, 50, 520, 40), 87, QRect(452, 26, 20, 22)},     // 520 * 0.01 * 87 = 452.4
        {QRect(10, 50, 333, 40), 50, QRect(176, 26, 20, 22)},    // 166.5 is cut to 166
        {QRect(30, 292, 300, 26), 250, QRect(330, 268, 20, 22)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(geo::pointerRect(c.scale, c.v), c.pointer) << "v=" << c.v;
}

TEST(SingleReportGeometryTest, MagnifierSitsInThePicturesBottomRightCorner) {
    EXPECT_EQ(geo::magnifierRect(QRect(100, 200, 300, 225)), QRect(374, 399, 26, 26));
    EXPECT_EQ(geo::magnifierRect(QRect(0, 0, 26, 26)), QRect(0, 0, 26, 26));
}

// The values the animation draws for a score, tick by tick.
std::vector<int> drawnValues(int score) {
    std::vector<int> drawn;
    int v = 0;
    for (int tick = 0; tick < 1000; ++tick) {
        const geo::AnimationStep step = geo::nextAnimationStep(v, score);
        if (step.finished)
            return drawn;
        v = step.value;
        drawn.push_back(v);
    }
    ADD_FAILURE() << "the animation of " << score << " never ends";
    return drawn;
}

TEST(SingleReportGeometryTest, AnimationCountsUpInStepsOfTwoAndStopsPastTheScore) {
    EXPECT_TRUE(drawnValues(0).empty()) << "score 0 ends on the first tick";
    EXPECT_EQ(drawnValues(1), std::vector<int>{});
    EXPECT_EQ(drawnValues(2), std::vector<int>{2});

    const std::vector<int> odd = drawnValues(87);
    ASSERT_EQ(odd.size(), 43u);
    EXPECT_EQ(odd.front(), 2);
    EXPECT_EQ(odd.back(), 86);

    const std::vector<int> full = drawnValues(100);
    ASSERT_EQ(full.size(), 50u);
    EXPECT_EQ(full.back(), 100);
}

TEST(SingleReportGeometryTest, DoubleClickOpensTheFirstExistingPictureUnderThePoint) {
    const QRect analysis(700, 400, 200, 150), detection(480, 400, 200, 150),
        reference(260, 400, 200, 150);
    struct Case {
        const char* what;
        QPoint point;
        std::array<bool, 3> available; // analysis, detection, reference
        geo::Picture expected;
    };
    const std::vector<Case> cases{
        {"analysis", {800, 470}, {true, true, true}, geo::AnalysisPicture},
        {"detection", {500, 410}, {true, true, true}, geo::DetectionPicture},
        {"reference", {260, 400}, {true, true, true}, geo::ReferencePicture},
        {"reference missing", {300, 450}, {true, true, false}, geo::NoPicture},
        {"analysis missing", {800, 470}, {false, true, true}, geo::NoPicture},
        {"between pictures", {470, 450}, {true, true, true}, geo::NoPicture},
        {"outside", {10, 10}, {true, true, true}, geo::NoPicture},
        {"one past the right edge", {900, 470}, {true, true, true}, geo::NoPicture},
    };
    for (const Case& c : cases) {
        const std::array<geo::PictureSpot, 3> spots{geo::PictureSpot{analysis, c.available[0]},
                                                    geo::PictureSpot{detection, c.available[1]},
                                                    geo::PictureSpot{reference, c.available[2]}};
        EXPECT_EQ(geo::pictureAt(c.point, spots), c.expected) << c.what;
    }

    // Where pictures overlap, the analysis picture wins, and a missing one lets
    // the next take the click.
    const std::array<geo::PictureSpot, 3> stacked{geo::PictureSpot{analysis, false},
                                                  geo::PictureSpot{analysis, true},
                                                  geo::PictureSpot{analysis, true}};
    EXPECT_EQ(geo::pictureAt({750, 450}, stacked), geo::DetectionPicture);
}

TEST(SingleReportGeometryTest, ReferencePictureFilesByItem) {
    const std::vector<std::pair<int, QString>> cases{
        {0, "fs.jpg"},  {1, "yf.jpg"},  {2, "xw.jpg"}, {3, "sb.jpg"},
        {4, "gzd.jpg"}, {5, "hxs.jpg"}, // not "yz.jpg", the stem of its visit pictures
        {6, "mgd.jpg"}, {7, "mk.jpg"},  {-1, ""},      {8, ""}};
    for (const auto& [item, file] : cases)
        EXPECT_EQ(geo::referencePictureFile(item), file) << "item " << item;
}

} // namespace
