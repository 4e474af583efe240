#include "AcceptedCameras.h"

#include <gtest/gtest.h>

namespace {

TEST(AcceptedCameras, TableHoldsTheSkinCameraInItsFirstOfHundredRows) {
    const auto& table = acceptedCameraTable();
    ASSERT_EQ(table.size(), 100u);
    EXPECT_STREQ(table[0].product, "6340");
    EXPECT_STREQ(table[0].vendor, "0C45");
    for (std::size_t i = 1; i < table.size(); ++i)
        EXPECT_STREQ(table[i].product, "") << "row " << i;
}

TEST(AcceptedCameras, DisplayNames) {
    struct Case {
        const char* displayName;
        bool accepted;
    };
    const Case cases[] = {
        {"usb#vid_0c45&pid_6340#1-2#/dev/video0", true},
        {"usb#vid_0C45&pid_6340#1-2#/dev/video0", true},
        {"@device:pnp:\\\\?\\usb#vid_0c45&pid_6340&mi_00#6&1d5b&0&0000#{65e8}", true},
        // The product matches, the vendor does not.
        {"usb#vid_1234&pid_6340#1-2#/dev/video0", false},
        {"usb#vid_0c45&pid_6341#1-2#/dev/video0", false},
        // Missing or cut-off ids.
        {"usb#vid_0c45#1-2#/dev/video0", false},
        {"usb#pid_6340#1-2#/dev/video0", false},
        {"usb#vid_0c45&pid_634", false},
        {"", false},
        // The search for "pid" and "vid" is case-sensitive.
        {"usb#VID_0C45&PID_6340#1-2", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsAcceptedCamera(QString::fromLatin1(c.displayName)), c.accepted)
            << c.displayName;
}

} // namespace
