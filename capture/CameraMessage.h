#pragma once

#include <QEvent>

// The window messages of the capture panel, as Qt events carrying the two
// message parameters.
//
// WM_CAMERA_CONNECT: lParam 0 asks for the Wi-Fi camera, any other value
// shows the camera-not-connected notice. WM_CAMERA_STREAM_OPENED: the Wi-Fi
// stream delivers. WM_CAMERA_CONNECTING: back to waiting for a camera.
//
// Threading: a plain event; post it from any thread, send it on the GUI thread.
class CameraMessage : public QEvent {
public:
    static constexpr QEvent::Type WM_CAMERA_CONNECT = QEvent::Type(QEvent::User + 30);
    static constexpr QEvent::Type WM_CAMERA_STREAM_OPENED = QEvent::Type(QEvent::User + 32);
    static constexpr QEvent::Type WM_CAMERA_CONNECTING = QEvent::Type(QEvent::User + 33);

    CameraMessage(QEvent::Type type, long long wParam, long long lParam)
        : QEvent(type), m_wParam(wParam), m_lParam(lParam) {}

    long long wParam() const { return m_wParam; }
    long long lParam() const { return m_lParam; }

private:
    long long m_wParam;
    long long m_lParam;
};
