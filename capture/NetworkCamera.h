#pragma once

#include <QString>

#include <functional>
#include <memory>

class CameraFrameSink;
class FrameSinks;
class QObject;

// A running Wi-Fi camera source as the capture panel holds it: a capture
// thread that reads the camera's Motion-JPEG stream and a control-connection
// thread, both started by the factory.
//
// What a source does towards the panel:
// - once the stream is open, it posts the panel WM_CAMERA_STREAM_OPENED
//   (CameraMessage, wParam 0, lParam 1) and holds the first frame back until
//   the panel, having switched to streaming, calls confirmStreamOpened();
// - every picture goes, turned by 180°, to the panel's OnCameraFrame (the
//   comparison screen does not show the Wi-Fi camera);
// - when the stream ends or stalls it posts WM_CAMERA_CONNECTING (lParam 0)
//   to the panel and its capture thread ends.
//
// Threading: created, confirmed and destroyed on the GUI thread. The
// destructor stops both threads and joins them; the threads never wait on the
// GUI thread (the stream-opened hand-over gives up when the source is
// stopped). Once it returns nothing is delivered or posted any more, so the
// panel may go right after it.
class NetworkCamera {
public:
    // Everything the threads need, by value, when they start.
    struct Request {
        QString address;                 // dotted IPv4 text
        int streamPort = 8196;           // http://ADDRESS:PORT/?.mjpg
        int controlPort = 15002;         // TCP control connection
        CameraFrameSink* sink = nullptr; // the panel's frame handler
        QObject* panel = nullptr;        // receives the messages above
    };
    using Factory = std::function<std::unique_ptr<NetworkCamera>(const Request&)>;

    virtual ~NetworkCamera() = default;

    // False once the capture thread has ended (stream closed, stalled or never opened).
    virtual bool isRunning() const = 0;
    // The panel has handled WM_CAMERA_STREAM_OPENED: frames may flow.
    virtual void confirmStreamOpened() = 0;
};
