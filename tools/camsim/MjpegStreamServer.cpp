#include "MjpegStreamServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <random>
#include <sys/eventfd.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>

namespace {

const char streamHeader[] = "HTTP/1.0 200 OK\r\n"
                            "Cache-Control: no-cache\r\n"
                            "Connection: close\r\n"
                            "Content-Type: multipart/x-mixed-replace;boundary=frame\r\n\r\n";

std::string partHeader(std::size_t length) {
    return "--frame\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(length) +
           "\r\n\r\n";
}

} // namespace

MjpegStreamServer::MjpegStreamServer(Options options,
                                     std::vector<std::vector<uint8_t>> jpegPictures)
    : m_options(std::move(options)), m_pictures(std::move(jpegPictures)) {}

MjpegStreamServer::~MjpegStreamServer() {
    stop();
}

int MjpegStreamServer::listenOn(int port, int& boundPort) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return -1;
    const int on = 1;
    ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    if (::inet_pton(AF_INET, m_options.address.c_str(), &address.sin_addr) != 1 ||
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(fd, 8) != 0) {
        m_error = "cannot listen on " + m_options.address + ":" + std::to_string(port) + ": " +
                  std::strerror(errno);
        ::close(fd);
        return -1;
    }
    socklen_t length = sizeof address;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    boundPort = ntohs(address.sin_port);
    return fd;
}

bool MjpegStreamServer::start() {
    if (m_acceptThread.joinable())
        return true;
    if (m_pictures.empty()) {
        m_error = "no pictures to serve";
        return false;
    }
    m_wakeFd = ::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    m_streamListener = listenOn(m_options.streamPort, m_boundStreamPort);
    if (m_streamListener < 0)
        return false;
    if (m_options.controlPort >= 0) {
        m_controlListener = listenOn(m_options.controlPort, m_boundControlPort);
        if (m_controlListener < 0) {
            ::close(m_streamListener);
            m_streamListener = -1;
            return false;
        }
    }
    m_stopping = false;
    m_acceptThread = std::thread([this] { acceptLoop(); });
    return true;
}

void MjpegStreamServer::stop() {
    m_stopping = true;
    if (m_wakeFd >= 0) {
        const uint64_t one = 1;
        [[maybe_unused]] auto written = ::write(m_wakeFd, &one, sizeof one);
    }
    if (m_acceptThread.joinable())
        m_acceptThread.join();
    std::vector<std::thread> clients;
    {
        std::lock_guard lock(m_clientsMutex);
        // Shutting the sockets down ends any send or receive in progress.
        for (int fd : m_clientFds)
            ::shutdown(fd, SHUT_RDWR);
        clients.swap(m_clients);
    }
    for (auto& client : clients)
        client.join();
    for (int* fd : {&m_streamListener, &m_controlListener, &m_wakeFd}) {
        if (*fd >= 0)
            ::close(*fd);
        *fd = -1;
    }
}

void MjpegStreamServer::acceptLoop() {
    while (!m_stopping) {
        std::array<pollfd, 3> fds{pollfd{m_wakeFd, POLLIN, 0}, pollfd{m_streamListener, POLLIN, 0},
                                  pollfd{m_controlListener, POLLIN, 0}};
        const nfds_t count = m_controlListener >= 0 ? 3 : 2;
        if (::poll(fds.data(), count, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (m_stopping || (fds[0].revents & POLLIN))
            return;
        for (nfds_t i = 1; i < count; ++i) {
            if (!(fds[i].revents & POLLIN))
                continue;
            const int client = ::accept4(fds[i].fd, nullptr, nullptr, SOCK_CLOEXEC);
            if (client < 0)
                continue;
            const bool stream = fds[i].fd == m_streamListener;
            std::lock_guard lock(m_clientsMutex);
            m_clientFds.push_back(client);
            m_clients.emplace_back([this, client, stream] {
                if (stream)
                    serveStream(client);
                else
                    serveControl(client);
                std::lock_guard done(m_clientsMutex);
                std::erase(m_clientFds, client);
                ::close(client);
            });
        }
    }
}

bool MjpegStreamServer::sendAll(int fd, const void* data, std::size_t length) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    while (length > 0 && !m_stopping) {
        const ssize_t sent = ::send(fd, bytes, length, MSG_NOSIGNAL);
        if (sent < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes += sent;
        length -= std::size_t(sent);
    }
    return length == 0;
}

bool MjpegStreamServer::pause(int milliseconds) {
    pollfd wake{m_wakeFd, POLLIN, 0};
    ::poll(&wake, 1, milliseconds);
    return !m_stopping;
}

void MjpegStreamServer::serveStream(int fd) {
    // Read the request head (its content does not matter: every path is the
    // stream), but do not wait for ever for a client that says nothing.
    std::array<char, 4096> request{};
    std::string head;
    while (head.find("\r\n\r\n") == std::string::npos && head.size() < 16384 && !m_stopping) {
        pollfd fds[2]{{fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        if (::poll(fds, 2, 5000) <= 0 || (fds[1].revents & POLLIN))
            return;
        const ssize_t received = ::recv(fd, request.data(), request.size(), 0);
        if (received <= 0)
            return;
        head.append(request.data(), std::size_t(received));
    }
    if (!sendAll(fd, streamHeader, sizeof streamHeader - 1))
        return;

    const int intervalMs = m_options.fps > 0 ? static_cast<int>(1000.0 / m_options.fps) : 100;
    std::mt19937 random(12345);
    std::size_t next = 0;
    while (!m_stopping) {
        const std::vector<uint8_t>& picture = m_pictures[next];
        next = (next + 1) % m_pictures.size();
        switch (m_options.behaviour) {
        case Behaviour::Normal: {
            const std::string part = partHeader(picture.size());
            if (!sendAll(fd, part.data(), part.size()) ||
                !sendAll(fd, picture.data(), picture.size()) || !sendAll(fd, "\r\n", 2))
                return;
            ++m_picturesSent;
            break;
        }
        case Behaviour::Garbage: {
            std::vector<uint8_t> noise(picture.size());
            for (auto& byte : noise)
                byte = static_cast<uint8_t>(random());
            const std::string part = partHeader(noise.size());
            if (!sendAll(fd, part.data(), part.size()) ||
                !sendAll(fd, noise.data(), noise.size()) || !sendAll(fd, "\r\n", 2))
                return;
            break;
        }
        case Behaviour::StopMidFrame: {
            const std::string part = partHeader(picture.size());
            sendAll(fd, part.data(), part.size());
            sendAll(fd, picture.data(), picture.size() / 2);
            // Keep the connection open and say nothing more.
            while (pause(1000)) {
            }
            return;
        }
        }
        if (!pause(intervalMs))
            return;
    }
}

void MjpegStreamServer::serveControl(int fd) {
    ++m_controlConnections;
    const char status[] = "camsim ok\r\n";
    std::array<char, 512> discard{};
    while (!m_stopping) {
        if (!sendAll(fd, status, sizeof status - 1))
            return;
        // Drain what the client sends and notice when it leaves.
        pollfd fds[2]{{fd, POLLIN, 0}, {m_wakeFd, POLLIN, 0}};
        const int ready = ::poll(fds, 2, 1000);
        if (ready < 0 || (fds[1].revents & POLLIN))
            return;
        if (fds[0].revents & (POLLIN | POLLHUP | POLLERR)) {
            const ssize_t received = ::recv(fd, discard.data(), discard.size(), 0);
            if (received <= 0)
                return;
        }
    }
}
