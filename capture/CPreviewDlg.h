#pragma once

#include <QWidget>

// The guided capture panel: the first page of the main window, where the six
// face areas are photographed.
//
// This first version holds the panel's place and its calls from the main
// window; the camera, the capture slots and the live detection come with the
// capture work.
//
// Threading: GUI thread only.
class CPreviewDlg : public QWidget {
    Q_OBJECT
public:
    explicit CPreviewDlg(QWidget* mainWindow);

    // Switches the camera light for the next capture slot.
    void applyNextLight() { ++m_lightRequests; }
    // A device was plugged in or removed.
    void OnDeviceChange() { ++m_deviceChanges; }
    // After an analysis run: empty capture slots, capture layout again.
    void returnToCaptureLayout() { ++m_handBacks; }

    int lightRequests() const { return m_lightRequests; }
    int deviceChanges() const { return m_deviceChanges; }
    int handBacks() const { return m_handBacks; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int m_lightRequests = 0;
    int m_deviceChanges = 0;
    int m_handBacks = 0;
};
