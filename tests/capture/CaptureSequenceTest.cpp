#include "CaptureSequence.h"
#include "CapturePanelLayout.h"
#include "SkinItem.h"

#include <opencv2/core.hpp>

#include <gtest/gtest.h>

#include <string>

namespace {

cv::Mat picture(int value, int width = 640, int height = 480) {
    return cv::Mat(height, width, CV_8UC3, cv::Scalar::all(value));
}

// Which picture (by its grey value) each slot holds; 0 for empty.
std::vector<int> contents(const CaptureSequence& s) {
    std::vector<int> out;
    for (int slot = 1; slot <= CaptureSequence::kSlots; ++slot)
        out.push_back(s.isFilled(slot) ? s.picture(slot).at<cv::Vec3b>(0, 0)[0] : 0);
    return out;
}

TEST(CaptureSequence, EachNextSlotHasItsPromptLightAndLiveItem) {
    struct Row {
        int next;
        const char* prompt;
        int light;
        int liveItem;
    };
    const Row rows[] = {
        {1, "IDS_MOVETO_forehead", 1, kWaterOil}, {2, "IDS_MOVETO_eyes", 1, kTexture},
        {3, "IDS_MOVETO_faceL", 2, kSkinColour},  {4, "IDS_MOVETO_Nosewing", 2, kRedStreaks},
        {5, "IDS_MOVETO_faceR", 2, kSpots},       {6, "IDS_MOVETO_Nose", 3, kPores},
        {7, "IDS_MOVETO_FINISH", 1, kPores},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.next);
        EXPECT_EQ(std::string(CaptureSequence::promptFor(r.next)), r.prompt);
        EXPECT_EQ(CaptureSequence::lightFor(r.next), r.light);
        EXPECT_EQ(CaptureSequence::liveItemFor(r.next), r.liveItem);
    }
}

TEST(CaptureSequence, FullFaceFillsOneSlotAtATimeAndRetakesTheLast) {
    CaptureSequence s;
    for (int i = 1; i <= 6; ++i) {
        EXPECT_EQ(s.nextSlot(), i);
        EXPECT_EQ(s.store(picture(i * 10)), 1);
    }
    EXPECT_TRUE(s.complete());
    EXPECT_EQ(s.store(picture(99)), 0) << "a seventh capture has no slot";
    EXPECT_EQ(contents(s), (std::vector<int>{10, 20, 30, 40, 50, 60}));

    EXPECT_EQ(s.retake(), 1);
    EXPECT_EQ(contents(s), (std::vector<int>{10, 20, 30, 40, 50, 0}));
    EXPECT_EQ(s.nextSlot(), 6);
}

TEST(CaptureSequence, SingleAreaFillsWholeGroupsAndRetakesEverything) {
    CaptureSequence s;
    s.setMode(CaptureSequence::SingleArea);
    EXPECT_EQ(s.store(picture(1)), 2);
    EXPECT_EQ(s.store(picture(2)), 3);
    EXPECT_EQ(s.store(picture(3)), 1);
    EXPECT_EQ(contents(s), (std::vector<int>{1, 1, 2, 2, 2, 3}));

    // Slots hold copies: changing one leaves its group partner alone.
    const_cast<cv::Mat&>(s.picture(1)).setTo(cv::Scalar::all(7));
    EXPECT_EQ(s.picture(2).at<cv::Vec3b>(0, 0)[0], 1);

    EXPECT_EQ(s.retake(), 6);
    EXPECT_EQ(s.nextSlot(), 1);
}

TEST(CaptureSequence, EmptyPictureFillsNothing) {
    CaptureSequence s;
    EXPECT_EQ(s.store(cv::Mat()), 0);
    EXPECT_EQ(s.nextSlot(), 1);
}

TEST(CapturePanelLayout, VideoAreaAndConnectionElementsFollowThePanelWidth) {
    for (const int width : {1144, 1370, 1920}) {
        SCOPED_TRACE(width);
        const auto l = CapturePanelLayout::forSize(QSize(width, 850), QSize(460, 370));
        EXPECT_EQ(l.video, QRect((width - 640) * 11 / 25, 40, 640, 480));
        EXPECT_EQ(l.videoFrame, l.video.adjusted(-9, -9, 9, 9));
        EXPECT_EQ(l.notice.center(), l.video.center());
        EXPECT_EQ(l.retry.size(), QSize(98, 36));
        EXPECT_EQ(l.retry.right(), l.notice.right());
        EXPECT_EQ(l.retry.top(), l.notice.bottom() + 1);
        EXPECT_EQ(l.waiting.size(), QSize(400, 300));
        EXPECT_EQ(l.waiting.center(), l.video.center());
        // Nothing the operator needs lies under the live picture.
        for (const QRect& r :
             {l.modeSwitch, l.realTimeCheck, l.retake, l.capture, l.liveResult, l.tipLine})
            EXPECT_FALSE(r.intersects(l.videoFrame)) << r.x() << ',' << r.y();
        for (const QRect& r : l.fullFaceThumbs)
            EXPECT_GT(r.top(), l.tipLine.bottom());
        for (std::size_t i = 1; i < l.fullFaceThumbs.size(); ++i)
            EXPECT_FALSE(l.fullFaceThumbs[i].intersects(l.fullFaceThumbs[i - 1]));
    }
}

} // namespace
