#include "SingleInstance.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

SingleInstance::SingleInstance(std::string name) : m_name(std::move(name)) {}

SingleInstance::~SingleInstance() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SingleInstance::acquire() {
    if (m_fd >= 0)
        return true;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        return true; // no sockets at all: never keep the operator out
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    // Abstract namespace: a leading NUL, then the name without terminator.
    const std::size_t len = std::min(m_name.size(), sizeof(addr.sun_path) - 1);
    std::memcpy(addr.sun_path + 1, m_name.data(), len);
    const auto size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + len);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&addr), size) != 0) {
        const int err = errno;
        ::close(fd);
        // Only a name already in use means another instance runs.
        return err != EADDRINUSE;
    }
    m_fd = fd;
    return true;
}
