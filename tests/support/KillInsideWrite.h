#pragma once

#include "AtomicFile.h"

#include <functional>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

// Runs write in a child process and kills it with SIGKILL while it is inside
// a file replacement: the child tells the parent through a pipe when its new
// file is complete and the rename is next, then waits to be killed. No sleeps:
// the parent acts on the child's signal. Returns true when the child was
// killed inside the write (false when it never got there).
inline bool killInsideWrite(const std::function<void()>& write) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        close(pipeFds[0]);
        const int out = pipeFds[1];
        AtomicFile::setBeforeRenameHookForTesting([out] {
            const char inside = 'w';
            if (::write(out, &inside, 1) == 1) {
                for (;;)
                    pause();
            }
            _exit(2);
        });
        write();
        _exit(3); // the write ended without reaching its rename
    }
    close(pipeFds[1]);
    char signal = 0;
    const bool inside = read(pipeFds[0], &signal, 1) == 1;
    close(pipeFds[0]);
    if (inside)
        kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    return inside && WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}
