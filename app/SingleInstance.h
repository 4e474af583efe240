#pragma once

#include <string>

// The single-instance rule. The name is held by the kernel as an abstract Unix
// socket address: it exists exactly as long as the process that bound it, so a
// crash never leaves a stale lock behind, and nothing is written to disk.
//
// Threading: GUI thread, once at start-up.
class SingleInstance {
public:
    explicit SingleInstance(std::string name);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this process now holds the name; false when another process holds it.
    bool acquire();
    bool held() const { return m_fd >= 0; }

private:
    std::string m_name;
    int m_fd = -1;
};
