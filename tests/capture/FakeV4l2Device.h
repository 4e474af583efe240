#pragma once

#include "V4l2Syscalls.h"

#include <linux/input.h>
#include <linux/videodev2.h>

#include <deque>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

// A V4L2 camera (and its snapshot button) behind the system-call table: it
// answers the format, buffer, streaming and control requests the way a UVC
// driver does, hands out memory for the "mapped" buffers, and lets a test push
// frames, press the button and pull the camera out. Its descriptors are real
// eventfds, so the capture thread's poll works unchanged.
//
// Threading: configure before Open; pushFrame, pressButton and unplug from the
// test thread while the capture thread runs; the records are read under the
// device's lock through the accessors.
class FakeV4l2Device {
public:
    FakeV4l2Device();
    ~FakeV4l2Device();

    V4l2Syscalls calls();

    // What the driver settles on whatever is requested; 0 means it takes the
    // request.
    uint32_t forcedFormat = 0;
    int forcedWidth = 0;
    int forcedHeight = 0;
    int openErrno = 0; // open fails with this errno
    bool failStreamOn = false;
    bool failRequestBuffers = false;
    bool captureCapable = true;

    // False when no buffer is queued (the frame is dropped, like a driver).
    bool pushFrame(const std::vector<uint8_t>& bytes);
    void pressButton(uint16_t code, int32_t value);
    void unplug();

    uint32_t negotiatedFormat() const;
    std::pair<int, int> requestedSize() const;
    uint32_t requestedFormat() const;
    std::vector<std::pair<uint32_t, int>> controlWrites() const;
    int openDescriptors() const;
    int mappedBuffers() const;
    bool streaming() const;

private:
    int open(const char* path);
    int close(int fd);
    int ioctl(int fd, unsigned long request, void* argument);
    void* mmap(std::size_t length, off_t offset);
    int munmap(void* address);
    int poll(pollfd* fds, nfds_t count, int timeoutMs);
    ssize_t read(int fd, void* buffer, std::size_t length);
    void signal(int fd);

    mutable std::mutex m_mutex;
    int m_videoFd = -1;
    int m_buttonFd = -1;
    bool m_unplugged = false;
    bool m_streaming = false;
    v4l2_pix_format m_format{};
    uint32_t m_requestedFormat = 0;
    int m_requestedWidth = 0;
    int m_requestedHeight = 0;
    std::vector<std::vector<uint8_t>> m_buffers;
    std::vector<bool> m_mapped;
    std::deque<unsigned> m_queued;
    std::deque<std::pair<unsigned, uint32_t>> m_ready; // index, bytes used
    std::deque<input_event> m_events;
    std::vector<std::pair<uint32_t, int>> m_controlWrites;
    int m_openDescriptors = 0;
};
