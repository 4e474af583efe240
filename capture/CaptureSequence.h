#pragma once

#include <opencv2/core.hpp>

#include <array>

// The six capture slots of one visit and the order in which they fill.
//
// Slot n (1-6) is forehead, eyes, left face, nose wing, right face, nose. The
// next slot is always the first empty one; 7 means all six are filled. Each
// next slot has its prompt, the light the camera shows while it is next and
// the skin item that real-time detection runs for it.
//
// In full-face mode a capture fills exactly one slot. In single-area mode one
// picture serves a group of slots taken under the same light: slots 1-2
// (white), 3-5 (polarized) and 6 (ultraviolet).
//
// Threading: a plain value; the capture panel keeps it on the GUI thread.
class CaptureSequence {
public:
    enum Mode { SingleArea = 0, FullFace = 1 };
    static constexpr int kSlots = 6;
    static constexpr int kAllFilled = kSlots + 1;

    // Light numbers of the camera: 1 white, 2 polarized, 3 ultraviolet.
    static int lightFor(int nextSlot);
    // Prompt text key of full-face mode.
    static const char* promptFor(int nextSlot);
    // Skin item whose analysis real-time detection runs (pores once all are filled).
    static int liveItemFor(int nextSlot);

    int nextSlot() const;
    bool isFilled(int slot) const;
    bool complete() const { return nextSlot() == kAllFilled; }
    const cv::Mat& picture(int slot) const;
    const std::array<cv::Mat, kSlots>& pictures() const { return m_slots; }

    Mode mode() const { return m_mode; }
    void setMode(Mode mode) { m_mode = mode; }

    // Copies the picture into the next slot (and, in single-area mode, the
    // rest of its group). Returns the number of slots filled; 0 when all were
    // already filled or the picture is empty.
    int store(const cv::Mat& picture);
    // Full-face mode releases the last filled slot, single-area mode every slot.
    // Returns the number released.
    int retake();
    void releaseAll();

private:
    std::array<cv::Mat, kSlots> m_slots;
    Mode m_mode = FullFace;
};
