#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// A stand-in for the Wi-Fi camera: serves JPEG pictures as a Motion-JPEG
// stream over HTTP (multipart/x-mixed-replace) at a fixed frame rate and
// accepts the camera's TCP control connection, sending a short status line now
// and then. The simulator program and the network capture tests both use it;
// the tests also use its fault behaviours.
//
// Threading: start(), stop() and the destructor on one owning thread. The
// server runs one accept thread and one thread per client; stop() closes every
// socket, wakes and joins them all.
class MjpegStreamServer {
public:
    enum class Behaviour {
        Normal,      // pictures at the frame rate until the client leaves
        Garbage,     // multipart parts whose bodies are random bytes
        StopMidFrame // half of the first picture, then silence (connection kept open)
    };

    struct Options {
        std::string address = "127.0.0.1";
        int streamPort = 8196;   // 0 picks a free port
        int controlPort = 15002; // 0 picks a free port, -1 serves no control port
        double fps = 10.0;
        Behaviour behaviour = Behaviour::Normal;
    };

    // Each picture is one complete JPEG file.
    MjpegStreamServer(Options options, std::vector<std::vector<uint8_t>> jpegPictures);
    ~MjpegStreamServer();

    MjpegStreamServer(const MjpegStreamServer&) = delete;
    MjpegStreamServer& operator=(const MjpegStreamServer&) = delete;

    // False with a reason in error() when a port cannot be bound.
    bool start();
    void stop();

    int streamPort() const { return m_boundStreamPort; }
    int controlPort() const { return m_boundControlPort; }
    const std::string& error() const { return m_error; }
    // Pictures sent so far on every stream connection together.
    int picturesSent() const { return m_picturesSent.load(); }
    int controlConnections() const { return m_controlConnections.load(); }

private:
    int listenOn(int port, int& boundPort);
    void acceptLoop();
    void serveStream(int fd);
    void serveControl(int fd);
    bool sendAll(int fd, const void* data, std::size_t length);
    bool pause(int milliseconds);

    const Options m_options;
    const std::vector<std::vector<uint8_t>> m_pictures;

    int m_streamListener = -1;
    int m_controlListener = -1;
    int m_boundStreamPort = 0;
    int m_boundControlPort = 0;
    int m_wakeFd = -1;
    std::string m_error;

    std::atomic<bool> m_stopping{false};
    std::atomic<int> m_picturesSent{0};
    std::atomic<int> m_controlConnections{0};
    std::thread m_acceptThread;
    std::mutex m_clientsMutex;
    std::vector<std::thread> m_clients; // guarded by m_clientsMutex
    std::vector<int> m_clientFds;       // guarded by m_clientsMutex
};
