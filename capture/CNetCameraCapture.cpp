#include "CNetCameraCapture.h"

#include "FrameConversion.h"

#include <opencv2/videoio.hpp>

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <cstring>

namespace {

// Pause after every received control block so a chatty camera cannot keep the
// thread busy.
constexpr int controlPacingMs = 50;

} // namespace

std::string CNetCameraCapture::streamUrl(const std::string& address, int port) {
    return "http://" + address + ":" + std::to_string(port) + "/?.mjpg";
}

bool CNetCameraCapture::isValidAddress(const std::string& address) {
    in_addr parsed{};
    return !address.empty() && address.size() <= 15 &&
           address.find_first_not_of("0123456789.") == std::string::npos &&
           ::inet_pton(AF_INET, address.c_str(), &parsed) == 1;
}

CNetCameraCapture::CNetCameraCapture(Options options, Callbacks callbacks)
    : m_options(std::move(options)), m_callbacks(std::move(callbacks)) {
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
}

CNetCameraCapture::~CNetCameraCapture() {
    stop();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void CNetCameraCapture::start() {
    if (m_captureRunning)
        return;
    // A stream that was lost (or never opened) may be started again: the
    // ended threads are joined and the wake-up and confirmation are reset.
    stop();
    if (m_wakeFd >= 0) {
        uint64_t pending = 0;
        [[maybe_unused]] auto drained = ::read(m_wakeFd, &pending, sizeof pending);
    }
    {
        std::lock_guard lock(m_confirmMutex);
        m_confirmReceived = false;
    }
    m_stopRequested = false;
    m_captureRunning = true;
    m_captureThread = std::thread([this] { captureLoop(); });
    m_controlThread = std::thread([this] { controlLoop(); });
}

void CNetCameraCapture::stop() {
    m_stopRequested = true;
    {
        std::lock_guard lock(m_confirmMutex);
        m_confirmed.notify_all();
    }
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
    }
    if (m_captureThread.joinable())
        m_captureThread.join();
    if (m_controlThread.joinable())
        m_controlThread.join();
    m_captureRunning = false;
    m_streaming = false;
}

void CNetCameraCapture::confirmStreamOpened() {
    std::lock_guard lock(m_confirmMutex);
    m_confirmReceived = true;
    m_confirmed.notify_all();
}

bool CNetCameraCapture::waitForConfirmation() {
    std::unique_lock lock(m_confirmMutex);
    m_confirmed.wait(lock, [this] { return m_confirmReceived || m_stopRequested.load(); });
    return !m_stopRequested.load();
}

int CNetCameraCapture::connectInterruptibly(int port) const {
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, m_options.address.c_str(), &target.sin_addr) != 1)
        return -1;
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return -1;
    bool connected = ::connect(fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0;
    if (!connected && errno == EINPROGRESS) {
        std::array<pollfd, 2> fds{pollfd{fd, POLLOUT, 0}, pollfd{m_wakeFd, POLLIN, 0}};
        const int ready = ::poll(fds.data(), fds.size(), m_options.openTimeoutMs);
        if (ready > 0 && (fds[0].revents & POLLOUT) && !m_stopRequested) {
            int error = 0;
            socklen_t length = sizeof error;
            connected = ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
    }
    if (!connected) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void CNetCameraCapture::captureLoop() {
    // The FFmpeg backend checks these timeouts from its interrupt callback, so
    // neither a camera that never answers nor a stream that stalls mid-frame
    // can hold the thread for longer.
    cv::VideoCapture stream;
    const std::vector<int> params{cv::CAP_PROP_OPEN_TIMEOUT_MSEC, m_options.openTimeoutMs,
                                  cv::CAP_PROP_READ_TIMEOUT_MSEC, m_options.readTimeoutMs};
    bool opened = false;
    if (!isValidAddress(m_options.address) || m_options.streamPort <= 0 ||
        m_options.streamPort > 65535) {
        m_captureRunning = false;
        return;
    }
    try {
        opened =
            stream.open(streamUrl(m_options.address, m_options.streamPort), cv::CAP_FFMPEG, params);
    } catch (const cv::Exception&) {
        opened = false;
    }
    if (!opened || m_stopRequested) {
        m_captureRunning = false;
        return;
    }

    if (m_callbacks.streamOpened) {
        m_callbacks.streamOpened();
        if (!waitForConfirmation()) {
            m_captureRunning = false;
            return;
        }
    }
    m_streaming = true;

    cv::Mat picture;
    cv::Mat turned;
    bool lost = false;
    while (!m_stopRequested) {
        bool got = false;
        try {
            got = stream.read(picture);
        } catch (const cv::Exception&) {
            got = false;
        }
        if (m_stopRequested)
            break;
        // The stream yields nothing more: the camera went away, the read timed
        // out or the data could not be decoded. Retrying would spin on a dead
        // connection, so the stream counts as lost and the panel goes back to
        // waiting.
        if (!got || picture.empty()) {
            lost = true;
            break;
        }
        if (!turnPictureToBgr(picture, turned))
            continue;
        if (m_callbacks.frame)
            m_callbacks.frame(turned);
    }
    stream.release();
    m_streaming = false;
    if (lost && !m_stopRequested && m_callbacks.streamLost)
        m_callbacks.streamLost();
    m_captureRunning = false;
}

void CNetCameraCapture::controlLoop() {
    if (!isValidAddress(m_options.address) || m_options.controlPort <= 0 ||
        m_options.controlPort > 65535)
        return;
    // Connect without blocking so that stop() can interrupt a camera that
    // never answers.
    const int fd = connectInterruptibly(m_options.controlPort);
    if (fd < 0)
        return;
    m_controlConnected = true;

    std::array<char, 2048> buffer{};
    while (!m_stopRequested) {
        std::array<pollfd, 2> fds{pollfd{fd, POLLIN, 0}, pollfd{m_wakeFd, POLLIN, 0}};
        if (::poll(fds.data(), fds.size(), -1) < 0) {
            if (errno == EINTR)
                continue;
            break;
        }
        if (m_stopRequested || (fds[1].revents & POLLIN))
            break;
        if (!(fds[0].revents & (POLLIN | POLLHUP | POLLERR)))
            continue;
        buffer.fill(0);
        const ssize_t received = ::recv(fd, buffer.data(), buffer.size(), 0);
        if (received == 0)
            break; // the camera closed the connection
        if (received < 0) {
            if (errno == EINTR || errno == EAGAIN || errno == EWOULDBLOCK)
                continue;
            break;
        }
        // What the camera says is read and discarded; only the pacing matters.
        pollfd wake{m_wakeFd, POLLIN, 0};
        ::poll(&wake, 1, controlPacingMs);
    }
    m_controlConnected = false;
    ::close(fd);
}
