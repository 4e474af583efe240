#pragma once

#include <poll.h>
#include <sys/types.h>

#include <cstddef>
#include <functional>

// The system calls the V4L2 camera code makes, as a table that tests replace
// with a fake device, so that opening, streaming, light switching and the
// camera button are exercised without hardware.
//
// Threading: the table is copied into each device at creation; its entries are
// called from the GUI thread (open, format, controls, close) and from the
// device's capture thread (poll, dequeue, read), as on a real device.
struct V4l2Syscalls {
    std::function<int(const char* path, int flags)> open;
    std::function<int(int fd)> close;
    std::function<int(int fd, unsigned long request, void* argument)> ioctl;
    std::function<void*(void* address, std::size_t length, int protection, int flags, int fd,
                        off_t offset)>
        mmap;
    std::function<int(void* address, std::size_t length)> munmap;
    std::function<int(pollfd* fds, nfds_t count, int timeoutMs)> poll;
    std::function<ssize_t(int fd, void* buffer, std::size_t length)> read;

    // The real calls, retrying an ioctl interrupted by a signal.
    static V4l2Syscalls system();
};
