#pragma once

#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

class FrameSinks;
class QObject;

// A running Wi-Fi camera source as the capture panel holds it: a capture
// thread that reads the camera's Motion-JPEG stream and a control-connection
// thread, both started by the factory.
//
// What a source does towards the panel:
// - once the stream is open, it sends the panel WM_CAMERA_STREAM_OPENED
//   (CameraMessage, wParam 0, lParam 1) and lets it be handled before the
//   first frame goes out;
// - every picture goes, turned by 180°, to sinks->deliverFrame();
// - when the stream ends or stalls it posts WM_CAMERA_CONNECTING (lParam 0)
//   to the panel and its capture thread ends.
//
// Threading: created and destroyed on the GUI thread. The destructor stops
// both threads and joins them, so it must never wait on the GUI thread from
// them while stopping (the stream-opened hand-over gives up when the source is
// stopped); once it returns nothing is delivered or posted any more.
class NetworkCamera {
public:
    // Everything the threads need, by value, when they start.
    struct Request {
        QString address;         // dotted IPv4 text
        int streamPort = 8196;   // http://ADDRESS:PORT/?.mjpg
        int controlPort = 15002; // TCP control connection
        FrameSinks* sinks = nullptr;
        QPointer<QObject> panel; // receives the messages above
    };
    using Factory = std::function<std::unique_ptr<NetworkCamera>(const Request&)>;

    virtual ~NetworkCamera() = default;

    // False once the capture thread has ended (stream closed, stalled or never opened).
    virtual bool isRunning() const = 0;
};
