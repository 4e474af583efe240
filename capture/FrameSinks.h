#pragma once

#include <opencv2/core.hpp>

#include <array>
#include <mutex>

class CameraFrameSink;

// The two places camera frames go: the guided capture panel first, then the
// comparison screen. A sink is set while its window exists and is visible and
// cleared before it hides or is destroyed.
//
// Threading: set() and clear() are called on the GUI thread; deliverFrame() and
// deliverButton() on a camera thread. Delivery holds the lock for the length
// of the sink calls, so once clear() returns the cleared sink is never called
// again and may be destroyed. Sinks must therefore never block on the GUI
// thread inside their calls (a queued, non-blocking repaint request is fine).
class FrameSinks {
public:
    enum Slot { CapturePanel = 0, Comparison = 1 };

    void set(Slot slot, CameraFrameSink* sink);
    void clear(Slot slot);
    // Clears the slot only while it still holds this sink.
    void clear(CameraFrameSink* sink);

    void deliverFrame(const cv::Mat& frame);
    void deliverButton();

    bool hasSink() const;

private:
    mutable std::mutex m_mutex;
    std::array<CameraFrameSink*, 2> m_sinks{};
};
