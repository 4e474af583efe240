#include "CaptureSequence.h"

#include "SkinItem.h"

#include <algorithm>

namespace {

struct Position {
    const char* prompt;
    int light;
    int liveItem;
    int groupEnd; // last slot a single-area capture into this slot fills
};

// Index 0 is slot 1; the seventh row is "all filled".
constexpr std::array<Position, CaptureSequence::kAllFilled> kPositions{{
    {"IDS_MOVETO_forehead", 1, kWaterOil, 2},
    {"IDS_MOVETO_eyes", 1, kTexture, 2},
    {"IDS_MOVETO_faceL", 2, kSkinColour, 5},
    {"IDS_MOVETO_Nosewing", 2, kRedStreaks, 5},
    {"IDS_MOVETO_faceR", 2, kSpots, 5},
    {"IDS_MOVETO_Nose", 3, kPores, 6},
    {"IDS_MOVETO_FINISH", 1, kPores, 6},
}};

const Position& positionOf(int nextSlot) {
    const int index = std::clamp(nextSlot, 1, CaptureSequence::kAllFilled) - 1;
    return kPositions[static_cast<std::size_t>(index)];
}

} // namespace

int CaptureSequence::lightFor(int nextSlot) {
    return positionOf(nextSlot).light;
}

const char* CaptureSequence::promptFor(int nextSlot) {
    return positionOf(nextSlot).prompt;
}

int CaptureSequence::liveItemFor(int nextSlot) {
    return positionOf(nextSlot).liveItem;
}

int CaptureSequence::nextSlot() const {
    for (int i = 0; i < kSlots; ++i) {
        if (m_slots[static_cast<std::size_t>(i)].empty())
            return i + 1;
    }
    return kAllFilled;
}

bool CaptureSequence::isFilled(int slot) const {
    return slot >= 1 && slot <= kSlots && !m_slots[static_cast<std::size_t>(slot - 1)].empty();
}

const cv::Mat& CaptureSequence::picture(int slot) const {
    return m_slots[static_cast<std::size_t>(std::clamp(slot, 1, kSlots) - 1)];
}

int CaptureSequence::store(const cv::Mat& picture) {
    const int first = nextSlot();
    if (first == kAllFilled || picture.empty())
        return 0;
    const int last = m_mode == FullFace ? first : positionOf(first).groupEnd;
    for (int s = first; s <= last; ++s)
        picture.copyTo(m_slots[static_cast<std::size_t>(s - 1)]);
    return last - first + 1;
}

int CaptureSequence::retake() {
    int released = 0;
    for (int s = kSlots; s >= 1; --s) {
        cv::Mat& m = m_slots[static_cast<std::size_t>(s - 1)];
        if (m.empty())
            continue;
        m.release();
        ++released;
        if (m_mode == FullFace)
            break;
    }
    return released;
}

void CaptureSequence::releaseAll() {
    for (cv::Mat& m : m_slots)
        m.release();
}
