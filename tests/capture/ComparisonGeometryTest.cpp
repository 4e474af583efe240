#include "ComparisonGeometry.h"
#include "SafeFileName.h"
#include "ViewerGeometry.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <ostream>

namespace {

struct HitCase {
    const char* name;
    QPoint pos;
    int area;
};

void PrintTo(const HitCase& c, std::ostream* os) {
    *os << c.name;
}

class HitTest : public ::testing::TestWithParam<HitCase> {};

TEST_P(HitTest, FindsTheAreaUnderTheDoubleClick) {
    const HitCase& c = GetParam();
    EXPECT_EQ(ComparisonGeometry::hitTest(ComparisonGeometry::pictureAreas(), c.pos), c.area);
}

// Left and top edges belong to a picture, right and bottom edges do not.
INSTANTIATE_TEST_SUITE_P(
    Edges, HitTest,
    ::testing::Values(HitCase{"Picture1TopLeft", {615, 150}, ComparisonGeometry::Picture1},
                      HitCase{"Picture1RightEdge", {938, 150}, ComparisonGeometry::NoArea},
                      HitCase{"Picture1LastPixel", {937, 339}, ComparisonGeometry::Picture1},
                      HitCase{"Picture1BottomEdge", {700, 340}, ComparisonGeometry::NoArea},
                      HitCase{"Picture2TopLeft", {185, 390}, ComparisonGeometry::Picture2},
                      HitCase{"Picture2RightEdge", {505, 400}, ComparisonGeometry::NoArea},
                      HitCase{"Picture3BottomRight", {937, 581}, ComparisonGeometry::Picture3},
                      HitCase{"Picture3BottomEdge", {937, 582}, ComparisonGeometry::NoArea},
                      HitCase{"LeftOfPicture2", {184, 400}, ComparisonGeometry::NoArea},
                      HitCase{"Live", {185, 150}, ComparisonGeometry::LiveArea},
                      HitCase{"BetweenRows", {700, 360}, ComparisonGeometry::NoArea}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComparisonGeometry, EnlargeButtonSitsOnTheLowerRightCornerInsideThePicture) {
    const QRect area = ComparisonGeometry::pictureAreas()[1];
    const QRect button = ComparisonGeometry::enlargeButton(area);
    EXPECT_EQ(button.size(), QSize(26, 26));
    EXPECT_EQ(button.bottomRight(), area.bottomRight());
}

struct NameCase {
    const char* name;
    QString member;
    QString title;
    QString expected;
};

void PrintTo(const NameCase& c, std::ostream* os) {
    *os << c.name;
}

class SaveName : public ::testing::TestWithParam<NameCase> {};

TEST_P(SaveName, FollowsTheStampedPatternAndStaysInItsFolder) {
    const NameCase& c = GetParam();
    const QDateTime when(QDate(2015, 3, 7), QTime(9, 5, 2));
    const QString file = ComparisonGeometry::saveFileName(c.member, c.title, when);
    // Empty expectations stand for "the member name as the safe-name rule maps it".
    const QString expected = c.expected.isEmpty()
                                 ? SafeFileName::fromName(c.member) + "_T_20150307090502.bmp"
                                 : c.expected;
    EXPECT_EQ(file, expected);
    EXPECT_FALSE(file.contains('/'));
    EXPECT_FALSE(file.startsWith(".."));
}

INSTANTIATE_TEST_SUITE_P(
    Names, SaveName,
    ::testing::Values(NameCase{"Plain", "Li", "T", "Li_T_20150307090502.bmp"},
                      NameCase{"Chinese", QString::fromUtf8("李丽"), QString::fromUtf8("对比"),
                               QString::fromUtf8("李丽_对比_20150307090502.bmp")},
                      NameCase{"GuestHasNoName", "", "T", "_T_20150307090502.bmp"},
                      NameCase{"SlashInName", "a/../b", "T", ""},
                      NameCase{"DotDotName", "..", "T", ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ComparisonGeometry, ComparisonFolderIsInsideTheMemberPictureFolder) {
    EXPECT_EQ(ComparisonGeometry::comparisonFolder("/p/Guests-Image/Li"),
              "/p/Guests-Image/Li/Comparison");
    EXPECT_EQ(ComparisonGeometry::comparisonFolder("/p/Guests-Image/Li/"),
              "/p/Guests-Image/Li/Comparison");
}

struct ZoomCase {
    const char* name;
    int from;
    int steps;
    int level;
    QSize window;
};

void PrintTo(const ZoomCase& c, std::ostream* os) {
    *os << c.name;
}

class Zoom : public ::testing::TestWithParam<ZoomCase> {};

TEST_P(Zoom, StaysWithinItsLimitsAndScalesByTenths) {
    const ZoomCase& c = GetParam();
    const int level = ViewerGeometry::zoomAfter(c.from, c.steps);
    EXPECT_EQ(level, c.level);
    EXPECT_EQ(ViewerGeometry::windowSize(level), c.window);
}

INSTANTIATE_TEST_SUITE_P(
    Levels, Zoom,
    ::testing::Values(ZoomCase{"Start", 0, 0, 0, {640, 480}},
                      ZoomCase{"FiveDownIsSmallest", 0, -5, -5, {320, 240}},
                      ZoomCase{"SixthDownChangesNothing", -5, -1, -5, {320, 240}},
                      ZoomCase{"ThreeDownIsExactTenths", 0, -3, -3, {448, 336}},
                      ZoomCase{"OneUp", 0, 1, 1, {704, 528}},
                      ZoomCase{"LargestIsTwenty", 18, 5, 20, {1920, 1440}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewerGeometry, CloseButtonAndCentring) {
    EXPECT_EQ(ViewerGeometry::closeButton({640, 480}), QRect(600, 2, 38, 38));
    EXPECT_EQ(ViewerGeometry::centredOn(QRect(0, 0, 1280, 1024), {320, 240}),
              QRect(480, 392, 320, 240));
}

struct JpegCase {
    const char* name;
    QString chosen;
    QString written;
};

void PrintTo(const JpegCase& c, std::ostream* os) {
    *os << c.name;
}

class JpegName : public ::testing::TestWithParam<JpegCase> {};

TEST_P(JpegName, AppendsTheExtensionOnlyWhenMissing) {
    EXPECT_EQ(ViewerGeometry::jpegPath(GetParam().chosen), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(Names, JpegName,
                         ::testing::Values(JpegCase{"UpperCaseKept", "/x/face.JPG", "/x/face.JPG"},
                                           JpegCase{"MixedCaseKept", "/x/face.Jpg", "/x/face.Jpg"},
                                           JpegCase{"Missing", "/x/face", "/x/face.jpg"},
                                           JpegCase{"OtherExtension", "/x/face.jpeg",
                                                    "/x/face.jpeg.jpg"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ViewerGeometry, ProposedNameIsTheLocalTimeStamp) {
    EXPECT_EQ(ViewerGeometry::proposedJpegName(QDateTime(QDate(2015, 3, 7), QTime(9, 5, 2))),
              "20150307090502.jpg");
}

} // namespace
