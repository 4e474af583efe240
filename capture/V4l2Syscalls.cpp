#include "V4l2Syscalls.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/mman.h>
#include <unistd.h>

V4l2Syscalls V4l2Syscalls::system() {
    V4l2Syscalls calls;
    calls.open = [](const char* path, int flags) { return ::open(path, flags | O_CLOEXEC); };
    calls.close = [](int fd) { return ::close(fd); };
    calls.ioctl = [](int fd, unsigned long request, void* argument) {
        int result;
        do {
            result = ::ioctl(fd, request, argument);
        } while (result < 0 && errno == EINTR);
        return result;
    };
    calls.mmap = [](void* address, std::size_t length, int protection, int flags, int fd,
                    off_t offset) {
        return ::mmap(address, length, protection, flags, fd, offset);
    };
    calls.munmap = [](void* address, std::size_t length) { return ::munmap(address, length); };
    calls.poll = [](pollfd* fds, nfds_t count, int timeoutMs) {
        return ::poll(fds, count, timeoutMs);
    };
    calls.read = [](int fd, void* buffer, std::size_t length) {
        return ::read(fd, buffer, length);
    };
    return calls;
}
