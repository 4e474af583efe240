#pragma once

#include "CNetCameraCapture.h"
#include "NetworkCamera.h"

// The Wi-Fi camera as the capture panel holds it: a CNetCameraCapture whose
// stream-opened and stream-lost notices become the panel's messages and whose
// frames go to the panel's frame handler.
//
// Threading: see NetworkCamera. The callbacks run on the capture thread and
// only post events or call the panel's frame sink, both safe there; the panel
// destroys this source (joining the threads) before it goes itself.
class NetCameraSource : public NetworkCamera {
public:
    explicit NetCameraSource(const Request& request);
    ~NetCameraSource() override;

    bool isRunning() const override { return m_capture.isRunning(); }
    void confirmStreamOpened() override { m_capture.confirmStreamOpened(); }

    // The factory the program installs.
    static Factory factory();

private:
    CNetCameraCapture m_capture;
};
