#pragma once

#include <opencv2/core.hpp>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

// The Wi-Fi camera as a frame source: a capture thread that reads the camera's
// Motion-JPEG stream (http://ADDRESS:PORT/?.mjpg) through OpenCV's FFmpeg
// capture and hands every picture on turned by 180°, and a control thread that
// holds the camera's TCP control connection open and discards what it sends.
//
// Threading contract:
// - Construction, start(), stop(), confirmStreamOpened() and destruction
//   happen on the GUI thread. Everything the threads need (address, ports,
//   timeouts, callbacks) is copied in at construction; they read no settings.
// - All three callbacks run on the capture thread, never on the GUI thread.
//   They must not touch widgets; they copy what they keep under their own lock
//   and post a queued call to the GUI thread.
// - After streamOpened() the capture thread waits, without holding any lock,
//   until the GUI thread has switched the panel to streaming and called
//   confirmStreamOpened() (or until stop()); so the first frame arrives after
//   the panel has switched, and the GUI thread never blocks on the camera
//   thread. A queued call that meets a destroyed panel simply never confirms.
// - stop() and the destructor wake and join both threads. A stalled stream
//   ends the pending read within the read timeout; the control thread is woken
//   at once. No callback runs after stop() returns, so the owner (the capture
//   panel) stops or destroys this object before anything its callbacks reach.
// - streamLost() is called once when a stream that had opened ends by itself
//   (camera gone, stream stalled, garbage): not after stop(), and not when the
//   stream never opened (then the panel simply stays waiting).
class CNetCameraCapture {
public:
    struct Options {
        std::string address;      // dotted IPv4 text, at most 15 characters
        int streamPort = 8196;    // HTTP Motion-JPEG stream
        int controlPort = 15002;  // TCP control connection
        int openTimeoutMs = 5000; // giving up on a camera that never answers
        int readTimeoutMs = 2000; // a stream silent this long counts as lost
    };

    struct Callbacks {
        std::function<void()> streamOpened;
        // A 3-channel 8-bit BGR frame, the camera's picture turned by 180°,
        // valid only during the call.
        std::function<void(const cv::Mat&)> frame;
        std::function<void()> streamLost;
    };

    // The camera's own address on its access point, used when the setting is
    // empty.
    static constexpr const char* defaultAddress = "192.168.10.1";

    // "http://ADDRESS:PORT/?.mjpg"
    static std::string streamUrl(const std::string& address, int port);
    // A dotted IPv4 address of at most 15 characters ("192.168.10.1"); the
    // threads refuse anything else, so a damaged setting can never turn into
    // another URL or host.
    static bool isValidAddress(const std::string& address);

    CNetCameraCapture(Options options, Callbacks callbacks);
    ~CNetCameraCapture();

    CNetCameraCapture(const CNetCameraCapture&) = delete;
    CNetCameraCapture& operator=(const CNetCameraCapture&) = delete;

    // Starts both threads without waiting for them. A second start while the
    // capture thread runs is ignored; after the stream was lost or could not
    // be opened, start() tries again.
    void start();
    // Wakes and joins both threads; idempotent.
    void stop();
    // The GUI thread's answer to streamOpened().
    void confirmStreamOpened();

    // True from start() until the capture thread has ended.
    bool isRunning() const { return m_captureRunning.load(); }
    // True between a confirmed stream opening and the end of the stream.
    bool isStreaming() const { return m_streaming.load(); }
    // True while the control connection is up (for tests and diagnostics).
    bool isControlConnected() const { return m_controlConnected.load(); }

private:
    void captureLoop();
    void controlLoop();
    bool waitForConfirmation();
    // A connected non-blocking socket, or -1 on failure, timeout or stop.
    int connectInterruptibly(int port) const;

    const Options m_options;
    const Callbacks m_callbacks;

    std::thread m_captureThread;
    std::thread m_controlThread;

    std::atomic<bool> m_stopRequested{false};
    std::atomic<bool> m_captureRunning{false};
    std::atomic<bool> m_streaming{false};
    std::atomic<bool> m_controlConnected{false};

    std::mutex m_confirmMutex;
    std::condition_variable m_confirmed;
    bool m_confirmReceived = false; // guarded by m_confirmMutex

    int m_wakeFd = -1; // eventfd that wakes the control thread's poll
};
