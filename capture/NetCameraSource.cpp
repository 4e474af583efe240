#include "NetCameraSource.h"

#include "CameraFrameSink.h"
#include "CameraMessage.h"

#include <QCoreApplication>

namespace {

CNetCameraCapture::Options optionsOf(const NetworkCamera::Request& request) {
    CNetCameraCapture::Options options;
    options.address = request.address.left(15).toStdString();
    options.streamPort = request.streamPort;
    options.controlPort = request.controlPort;
    return options;
}

CNetCameraCapture::Callbacks callbacksOf(const NetworkCamera::Request& request) {
    QObject* panel = request.panel;
    CameraFrameSink* sink = request.sink;
    CNetCameraCapture::Callbacks callbacks;
    callbacks.streamOpened = [panel] {
        QCoreApplication::postEvent(
            panel, new CameraMessage(CameraMessage::WM_CAMERA_STREAM_OPENED, 0, 1));
    };
    callbacks.frame = [sink](const cv::Mat& frame) { sink->OnCameraFrame(frame); };
    callbacks.streamLost = [panel] {
        QCoreApplication::postEvent(panel,
                                    new CameraMessage(CameraMessage::WM_CAMERA_CONNECTING, 0, 0));
    };
    return callbacks;
}

} // namespace

NetCameraSource::NetCameraSource(const Request& request)
    : m_capture(optionsOf(request), callbacksOf(request)) {
    m_capture.start();
}

NetCameraSource::~NetCameraSource() {
    m_capture.stop();
}

NetworkCamera::Factory NetCameraSource::factory() {
    return [](const Request& request) -> std::unique_ptr<NetworkCamera> {
        if (!request.panel || !request.sink)
            return nullptr;
        return std::make_unique<NetCameraSource>(request);
    };
}
