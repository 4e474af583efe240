#pragma once

#include <opencv2/core.hpp>

// A receiver of camera frames and camera-button presses: the guided capture
// panel and the comparison screen.
//
// Threading: both calls arrive on a camera thread, one at a time. The frame is
// valid only during the call; a sink copies what it keeps into a buffer of its
// own under that buffer's lock and asks for a repaint through a queued call. A
// sink never touches a widget from these calls.
class CameraFrameSink {
public:
    virtual ~CameraFrameSink() = default;

    // A 3-channel 8-bit BGR frame, the camera's native picture turned by 180°.
    virtual void OnCameraFrame(const cv::Mat& frame) = 0;
    // The camera's snapshot button was pressed.
    virtual void OnCameraButton() = 0;
};
