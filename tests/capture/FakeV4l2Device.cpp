#include "FakeV4l2Device.h"

#include <cerrno>
#include <cstring>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {
constexpr off_t bufferSpacing = 0x1000000;
} // namespace

FakeV4l2Device::FakeV4l2Device() {
    m_format.width = 640;
    m_format.height = 480;
    m_format.pixelformat = V4L2_PIX_FMT_YUYV;
}

FakeV4l2Device::~FakeV4l2Device() {
    for (int fd : {m_videoFd, m_buttonFd}) {
        if (fd >= 0)
            ::close(fd);
    }
}

V4l2Syscalls FakeV4l2Device::calls() {
    V4l2Syscalls calls;
    calls.open = [this](const char* path, int) { return open(path); };
    calls.close = [this](int fd) { return close(fd); };
    calls.ioctl = [this](int fd, unsigned long request, void* argument) {
        return ioctl(fd, request, argument);
    };
    calls.mmap = [this](void*, std::size_t length, int, int, int, off_t offset) {
        return mmap(length, offset);
    };
    calls.munmap = [this](void* address, std::size_t) { return munmap(address); };
    calls.poll = [this](pollfd* fds, nfds_t count, int timeoutMs) {
        return poll(fds, count, timeoutMs);
    };
    calls.read = [this](int fd, void* buffer, std::size_t length) {
        return read(fd, buffer, length);
    };
    return calls;
}

void FakeV4l2Device::signal(int fd) {
    const uint64_t one = 1;
    [[maybe_unused]] auto written = ::write(fd, &one, sizeof one);
}

int FakeV4l2Device::open(const char* path) {
    std::lock_guard lock(m_mutex);
    if (openErrno) {
        errno = openErrno;
        return -1;
    }
    const bool button = std::strstr(path, "/input/") != nullptr;
    int& fd = button ? m_buttonFd : m_videoFd;
    if (fd >= 0) {
        errno = EBUSY;
        return -1;
    }
    fd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK | EFD_SEMAPHORE);
    ++m_openDescriptors;
    return fd;
}

int FakeV4l2Device::close(int fd) {
    std::lock_guard lock(m_mutex);
    if (fd != m_videoFd && fd != m_buttonFd) {
        errno = EBADF;
        return -1;
    }
    ::close(fd);
    (fd == m_videoFd ? m_videoFd : m_buttonFd) = -1;
    --m_openDescriptors;
    return 0;
}

int FakeV4l2Device::ioctl(int fd, unsigned long request, void* argument) {
    std::lock_guard lock(m_mutex);
    if (fd != m_videoFd || fd < 0) {
        errno = EBADF;
        return -1;
    }
    if (m_unplugged) {
        errno = ENODEV;
        return -1;
    }
    switch (request) {
    case VIDIOC_QUERYCAP: {
        auto* caps = static_cast<v4l2_capability*>(argument);
        *caps = {};
        caps->capabilities = V4L2_CAP_DEVICE_CAPS | V4L2_CAP_STREAMING | V4L2_CAP_VIDEO_CAPTURE;
        caps->device_caps = V4L2_CAP_STREAMING | (captureCapable ? V4L2_CAP_VIDEO_CAPTURE : 0);
        return 0;
    }
    case VIDIOC_G_FMT:
        static_cast<v4l2_format*>(argument)->fmt.pix = m_format;
        return 0;
    case VIDIOC_S_FMT: {
        auto& pix = static_cast<v4l2_format*>(argument)->fmt.pix;
        m_requestedFormat = pix.pixelformat;
        m_requestedWidth = static_cast<int>(pix.width);
        m_requestedHeight = static_cast<int>(pix.height);
        m_format.pixelformat = forcedFormat ? forcedFormat : pix.pixelformat;
        m_format.width = forcedWidth ? forcedWidth : pix.width;
        m_format.height = forcedHeight ? forcedHeight : pix.height;
        m_format.bytesperline = m_format.pixelformat == V4L2_PIX_FMT_YUYV    ? m_format.width * 2
                                : m_format.pixelformat == V4L2_PIX_FMT_BGR24 ? m_format.width * 3
                                                                             : 0;
        m_format.sizeimage = std::max<uint32_t>(m_format.bytesperline * m_format.height,
                                                m_format.width * m_format.height * 2);
        pix = m_format;
        return 0;
    }
    case VIDIOC_REQBUFS: {
        auto* request = static_cast<v4l2_requestbuffers*>(argument);
        if (failRequestBuffers) {
            errno = ENOMEM;
            return -1;
        }
        m_buffers.assign(request->count, std::vector<uint8_t>(m_format.sizeimage));
        m_mapped.assign(request->count, false);
        m_queued.clear();
        m_ready.clear();
        return 0;
    }
    case VIDIOC_QUERYBUF: {
        auto* buffer = static_cast<v4l2_buffer*>(argument);
        if (buffer->index >= m_buffers.size()) {
            errno = EINVAL;
            return -1;
        }
        buffer->length = static_cast<uint32_t>(m_buffers[buffer->index].size());
        buffer->m.offset = static_cast<uint32_t>(buffer->index * bufferSpacing);
        return 0;
    }
    case VIDIOC_QBUF:
        m_queued.push_back(static_cast<v4l2_buffer*>(argument)->index);
        return 0;
    case VIDIOC_DQBUF: {
        if (m_ready.empty()) {
            errno = EAGAIN;
            return -1;
        }
        uint64_t count = 0;
        [[maybe_unused]] auto got = ::read(m_videoFd, &count, sizeof count);
        auto* buffer = static_cast<v4l2_buffer*>(argument);
        buffer->index = m_ready.front().first;
        buffer->bytesused = m_ready.front().second;
        m_ready.pop_front();
        return 0;
    }
    case VIDIOC_STREAMON:
        if (failStreamOn) {
            errno = EIO;
            return -1;
        }
        m_streaming = true;
        return 0;
    case VIDIOC_STREAMOFF:
        m_streaming = false;
        return 0;
    case VIDIOC_G_CTRL:
        static_cast<v4l2_control*>(argument)->value = 7;
        return 0;
    case VIDIOC_S_CTRL: {
        const auto* control = static_cast<v4l2_control*>(argument);
        m_controlWrites.emplace_back(control->id, control->value);
        return 0;
    }
    default:
        errno = ENOTTY;
        return -1;
    }
}

void* FakeV4l2Device::mmap(std::size_t, off_t offset) {
    std::lock_guard lock(m_mutex);
    const std::size_t index = static_cast<std::size_t>(offset / bufferSpacing);
    if (index >= m_buffers.size()) {
        errno = EINVAL;
        return MAP_FAILED;
    }
    m_mapped[index] = true;
    return m_buffers[index].data();
}

int FakeV4l2Device::munmap(void* address) {
    std::lock_guard lock(m_mutex);
    for (std::size_t i = 0; i < m_buffers.size(); ++i) {
        if (m_buffers[i].data() == address)
            m_mapped[i] = false;
    }
    return 0;
}

int FakeV4l2Device::poll(pollfd* fds, nfds_t count, int timeoutMs) {
    const int ready = ::poll(fds, count, timeoutMs);
    std::lock_guard lock(m_mutex);
    if (!m_unplugged)
        return ready;
    int marked = ready < 0 ? 0 : ready;
    for (nfds_t i = 0; i < count; ++i) {
        if (fds[i].fd == m_videoFd && !(fds[i].revents & POLLERR)) {
            fds[i].revents |= POLLERR;
            ++marked;
        }
    }
    return marked;
}

ssize_t FakeV4l2Device::read(int fd, void* buffer, std::size_t length) {
    std::lock_guard lock(m_mutex);
    if (fd != m_buttonFd || m_events.empty()) {
        errno = EAGAIN;
        return -1;
    }
    std::size_t copied = 0;
    auto* out = static_cast<input_event*>(buffer);
    while (!m_events.empty() && (copied + 1) * sizeof(input_event) <= length) {
        uint64_t count = 0;
        [[maybe_unused]] auto got = ::read(m_buttonFd, &count, sizeof count);
        out[copied++] = m_events.front();
        m_events.pop_front();
    }
    return static_cast<ssize_t>(copied * sizeof(input_event));
}

bool FakeV4l2Device::pushFrame(const std::vector<uint8_t>& bytes) {
    std::lock_guard lock(m_mutex);
    if (!m_streaming || m_queued.empty())
        return false;
    const unsigned index = m_queued.front();
    m_queued.pop_front();
    auto& buffer = m_buffers[index];
    const std::size_t length = std::min(bytes.size(), buffer.size());
    std::copy_n(bytes.begin(), length, buffer.begin());
    m_ready.emplace_back(index, static_cast<uint32_t>(length));
    signal(m_videoFd);
    return true;
}

void FakeV4l2Device::pressButton(uint16_t code, int32_t value) {
    std::lock_guard lock(m_mutex);
    if (m_buttonFd < 0)
        return;
    input_event event{};
    event.type = EV_KEY;
    event.code = code;
    event.value = value;
    m_events.push_back(event);
    signal(m_buttonFd);
}

void FakeV4l2Device::unplug() {
    std::lock_guard lock(m_mutex);
    m_unplugged = true;
    if (m_videoFd >= 0)
        signal(m_videoFd);
}

uint32_t FakeV4l2Device::negotiatedFormat() const {
    std::lock_guard lock(m_mutex);
    return m_format.pixelformat;
}

std::pair<int, int> FakeV4l2Device::requestedSize() const {
    std::lock_guard lock(m_mutex);
    return {m_requestedWidth, m_requestedHeight};
}

uint32_t FakeV4l2Device::requestedFormat() const {
    std::lock_guard lock(m_mutex);
    return m_requestedFormat;
}

std::vector<std::pair<uint32_t, int>> FakeV4l2Device::controlWrites() const {
    std::lock_guard lock(m_mutex);
    return m_controlWrites;
}

int FakeV4l2Device::openDescriptors() const {
    std::lock_guard lock(m_mutex);
    return m_openDescriptors;
}

int FakeV4l2Device::mappedBuffers() const {
    std::lock_guard lock(m_mutex);
    int count = 0;
    for (bool mapped : m_mapped)
        count += mapped ? 1 : 0;
    return count;
}

bool FakeV4l2Device::streaming() const {
    std::lock_guard lock(m_mutex);
    return m_streaming;
}
