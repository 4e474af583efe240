#include "FrameSinks.h"

#include "CameraFrameSink.h"

void FrameSinks::set(Slot slot, CameraFrameSink* sink) {
    std::lock_guard lock(m_mutex);
    m_sinks[slot] = sink;
}

void FrameSinks::clear(Slot slot) {
    std::lock_guard lock(m_mutex);
    m_sinks[slot] = nullptr;
}

void FrameSinks::clear(CameraFrameSink* sink) {
    std::lock_guard lock(m_mutex);
    for (auto& s : m_sinks) {
        if (s == sink)
            s = nullptr;
    }
}

void FrameSinks::deliverFrame(const cv::Mat& frame) {
    std::lock_guard lock(m_mutex);
    for (auto* s : m_sinks) {
        if (s)
            s->OnCameraFrame(frame);
    }
}

void FrameSinks::deliverButton() {
    std::lock_guard lock(m_mutex);
    for (auto* s : m_sinks) {
        if (s)
            s->OnCameraButton();
    }
}

bool FrameSinks::hasSink() const {
    std::lock_guard lock(m_mutex);
    return m_sinks[0] || m_sinks[1];
}
