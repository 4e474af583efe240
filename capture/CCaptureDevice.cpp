#include "CCaptureDevice.h"

#include "FrameSinks.h"

#include <linux/input.h>
#include <linux/videodev2.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/eventfd.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

constexpr int requestedWidth = 640;
constexpr int requestedHeight = 480;
constexpr unsigned bufferCount = 4;
// How long the capture thread waits for a frame before it looks at the stop
// request again (a stop also wakes it at once).
constexpr int pollIntervalMs = 1000;

CameraPixelFormat formatOf(uint32_t fourcc) {
    switch (fourcc) {
    case V4L2_PIX_FMT_MJPEG:
    case V4L2_PIX_FMT_JPEG:
        return CameraPixelFormat::Mjpg;
    case V4L2_PIX_FMT_YUYV:
        return CameraPixelFormat::Yuyv;
    case V4L2_PIX_FMT_BGR24:
        return CameraPixelFormat::Bgr24;
    default:
        return CameraPixelFormat::Other;
    }
}

int failure() {
    return errno > 0 ? -errno : -EIO;
}

} // namespace

CCaptureDevice::CCaptureDevice(DeviceEntry entry, FrameSinks& sinks, V4l2Syscalls calls)
    : m_entry(std::move(entry)), m_sinks(sinks), m_calls(std::move(calls)) {}

CCaptureDevice::~CCaptureDevice() {
    Close();
}

int CCaptureDevice::gainForLight(int mode) {
    switch (mode) {
    case 1:
        return 2;
    case 2:
        return 3;
    case 3:
        return 4;
    default:
        return 0;
    }
}

int CCaptureDevice::Open() {
    Close();

    const std::string node = m_entry.deviceNode.toStdString();
    errno = 0;
    m_fd = m_calls.open(node.c_str(), O_RDWR | O_NONBLOCK);
    if (m_fd < 0)
        return errno == EACCES || errno == EPERM ? -EACCES : failure();

    v4l2_capability caps{};
    if (m_calls.ioctl(m_fd, VIDIOC_QUERYCAP, &caps) < 0) {
        const int status = failure();
        Close();
        return status;
    }
    const uint32_t deviceCaps =
        (caps.capabilities & V4L2_CAP_DEVICE_CAPS) ? caps.device_caps : caps.capabilities;
    if (!(deviceCaps & V4L2_CAP_VIDEO_CAPTURE) || !(deviceCaps & V4L2_CAP_STREAMING)) {
        Close();
        return -ENODEV;
    }

    // The only format the program asks for; a driver may answer with another
    // one, and the conversion follows what it reads back.
    v4l2_format format{};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_calls.ioctl(m_fd, VIDIOC_G_FMT, &format) == 0) {
        format.fmt.pix.width = requestedWidth;
        format.fmt.pix.height = requestedHeight;
        format.fmt.pix.pixelformat = V4L2_PIX_FMT_YUYV;
        format.fmt.pix.field = V4L2_FIELD_ANY;
        m_calls.ioctl(m_fd, VIDIOC_S_FMT, &format);
    }
    format = {};
    format.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_calls.ioctl(m_fd, VIDIOC_G_FMT, &format) < 0) {
        const int status = failure();
        Close();
        return status;
    }
    m_format = formatOf(format.fmt.pix.pixelformat);
    m_width = static_cast<int>(format.fmt.pix.width);
    m_height = std::abs(static_cast<int>(format.fmt.pix.height));
    m_bytesPerLine = static_cast<int>(format.fmt.pix.bytesperline);

    // Streaming that cannot start is a failed open: the panel keeps waiting
    // instead of showing capture controls with no picture behind them.
    const int status = startStreaming();
    if (status < 0) {
        Close();
        return status;
    }

    SetLightMode(1);
    SetLightMode(1);
    return 0;
}

int CCaptureDevice::startStreaming() {
    v4l2_requestbuffers request{};
    request.count = bufferCount;
    request.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    request.memory = V4L2_MEMORY_MMAP;
    if (m_calls.ioctl(m_fd, VIDIOC_REQBUFS, &request) < 0)
        return failure();
    if (request.count == 0)
        return -EIO;

    for (unsigned i = 0; i < request.count; ++i) {
        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        buffer.index = i;
        if (m_calls.ioctl(m_fd, VIDIOC_QUERYBUF, &buffer) < 0)
            return failure();
        void* start = m_calls.mmap(nullptr, buffer.length, PROT_READ | PROT_WRITE, MAP_SHARED, m_fd,
                                   static_cast<off_t>(buffer.m.offset));
        if (start == MAP_FAILED)
            return failure();
        m_buffers.push_back({start, buffer.length});
        if (m_calls.ioctl(m_fd, VIDIOC_QBUF, &buffer) < 0)
            return failure();
    }

    int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
    if (m_calls.ioctl(m_fd, VIDIOC_STREAMON, &type) < 0)
        return failure();
    m_streamOn = true;

    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (m_wakeFd < 0)
        return failure();
    openButton();

    m_stop = false;
    m_streaming = true;
    StreamSetup setup{m_fd,    m_buttonFd, m_wakeFd,       m_format,
                      m_width, m_height,   m_bytesPerLine, m_buffers};
    m_thread =
        std::thread([this, setup = std::move(setup)]() mutable { captureLoop(std::move(setup)); });
    return 0;
}

void CCaptureDevice::openButton() {
    // The button is a convenience: a camera without one, or one whose input
    // node cannot be opened, streams all the same.
    if (m_entry.buttonNode.isEmpty())
        return;
    const std::string node = m_entry.buttonNode.toStdString();
    m_buttonFd = m_calls.open(node.c_str(), O_RDONLY | O_NONBLOCK);
}

void CCaptureDevice::SetLightMode(int mode) {
    if (m_fd < 0)
        return;
    // The light follows the gain control in manual mode; the current gain is
    // read first as the camera's firmware expects, but not used.
    v4l2_control control{};
    control.id = V4L2_CID_GAIN;
    m_calls.ioctl(m_fd, VIDIOC_G_CTRL, &control);
    v4l2_control manual{};
    manual.id = V4L2_CID_AUTOGAIN;
    manual.value = 0;
    m_calls.ioctl(m_fd, VIDIOC_S_CTRL, &manual);
    control.id = V4L2_CID_GAIN;
    control.value = gainForLight(mode);
    m_calls.ioctl(m_fd, VIDIOC_S_CTRL, &control);
}

void CCaptureDevice::captureLoop(StreamSetup setup) {
    cv::Mat frame;
    while (!m_stop) {
        pollfd fds[3] = {
            {setup.videoFd, POLLIN, 0}, {setup.wakeFd, POLLIN, 0}, {setup.buttonFd, POLLIN, 0}};
        const nfds_t count = setup.buttonFd >= 0 ? 3 : 2;
        const int ready = m_calls.poll(fds, count, pollIntervalMs);
        if (m_stop || (ready > 0 && (fds[1].revents & POLLIN)))
            break;
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (ready == 0)
            continue;

        if (count == 3 && (fds[2].revents & POLLIN)) {
            input_event events[16];
            const ssize_t length = m_calls.read(setup.buttonFd, events, sizeof events);
            for (ssize_t i = 0; length > 0 && i < length / ssize_t(sizeof(input_event)); ++i) {
                if (events[i].type == EV_KEY && events[i].code == KEY_CAMERA &&
                    events[i].value == 1)
                    m_sinks.deliverButton();
            }
        }
        if (count == 3 && (fds[2].revents & (POLLERR | POLLHUP | POLLNVAL)))
            setup.buttonFd = -1; // the button's node went with the camera

        if (fds[0].revents & (POLLERR | POLLHUP | POLLNVAL)) {
            // Pulled out: the device node reports an error from now on.
            break;
        }
        if (!(fds[0].revents & POLLIN))
            continue;

        v4l2_buffer buffer{};
        buffer.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        buffer.memory = V4L2_MEMORY_MMAP;
        if (m_calls.ioctl(setup.videoFd, VIDIOC_DQBUF, &buffer) < 0) {
            if (errno == EAGAIN || errno == EINTR)
                continue;
            break; // ENODEV and friends: the camera is gone
        }
        // One frame in flight: converted, delivered and its buffer handed
        // back before the next one is taken.
        if (buffer.index < setup.buffers.size() && !(buffer.flags & V4L2_BUF_FLAG_ERROR)) {
            const Buffer& mapped = setup.buffers[buffer.index];
            const std::size_t used = std::min<std::size_t>(buffer.bytesused, mapped.length);
            if (convertCameraSample(setup.format, static_cast<const uint8_t*>(mapped.start), used,
                                    setup.width, setup.height, setup.bytesPerLine, frame))
                m_sinks.deliverFrame(frame);
        }
        if (m_calls.ioctl(setup.videoFd, VIDIOC_QBUF, &buffer) < 0 && errno != EINTR)
            break;
    }
    m_streaming = false;
}

void CCaptureDevice::Close() {
    m_stop = true;
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
    }
    if (m_thread.joinable())
        m_thread.join();
    m_streaming = false;
    if (m_fd >= 0 && m_streamOn) {
        int type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        m_calls.ioctl(m_fd, VIDIOC_STREAMOFF, &type);
    }
    m_streamOn = false;
    for (const Buffer& buffer : m_buffers)
        m_calls.munmap(buffer.start, buffer.length);
    m_buffers.clear();
    if (m_fd >= 0) {
        v4l2_requestbuffers release{};
        release.count = 0;
        release.type = V4L2_BUF_TYPE_VIDEO_CAPTURE;
        release.memory = V4L2_MEMORY_MMAP;
        m_calls.ioctl(m_fd, VIDIOC_REQBUFS, &release);
        m_calls.close(m_fd);
        m_fd = -1;
    }
    if (m_buttonFd >= 0) {
        m_calls.close(m_buttonFd);
        m_buttonFd = -1;
    }
    if (m_wakeFd >= 0) {
        ::close(m_wakeFd);
        m_wakeFd = -1;
    }
}
