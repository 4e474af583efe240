#pragma once

#include "AnalysisRun.h"
#include "CameraFrameSink.h"
#include "CapturePanelLayout.h"
#include "CaptureSequence.h"
#include "NetworkCamera.h"

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

class CConectFailDlg;
class CGdipButton;
class CPictureEx;
class CVideoViewDlg;
class CameraDevice;
class CameraSystem;
class FrameSinks;
class QCheckBox;
class QLabel;
struct DeviceEntry;

// The guided capture panel: the first page of the main window. It brings a
// camera up (USB through the CameraSystem, or the Wi-Fi camera on request),
// shows the live picture, guides the operator through the six face areas with
// the right light for each, stores one capture per area and hands the six to
// the analysis run.
//
// Threading contract:
// - Everything except OnCameraFrame and OnCameraButton runs on the GUI thread:
//   construction, commands, timers, messages, painting, destruction.
// - OnCameraFrame runs on a camera thread. It reads only what the panel set up
//   for it (atomics: frames wanted, the live-detection item) and copies the
//   frame into the current frame under m_frameMutex; live detection runs there
//   on that copy and its result is kept under the same lock. It asks for a
//   repaint by a queued call and never touches a widget or the application
//   object.
// - OnCameraButton only posts the command to the GUI thread.
// - The destructor closes the camera device and the network camera (joining
//   their threads) before anything else goes, so no frame reaches a panel that
//   is being destroyed.
class CPreviewDlg : public QWidget, public CameraFrameSink {
    Q_OBJECT
public:
    // What the panel asks of the main window.
    struct MainWindowCalls {
        std::function<ItemResults&()> itemResults;
        std::function<void()> startRun;
        std::function<void()> discardResults;
        // The comparison screen's light choice: 0 white, 1 polarized, 2 ultraviolet.
        std::function<void(int choice)> comparisonLight;
        std::function<void()> showAbout;
    };
    // Where frames come from and go.
    struct Cameras {
        FrameSinks* sinks = nullptr;
        CameraSystem* system = nullptr;
        NetworkCamera::Factory network;
    };

    CPreviewDlg(QWidget* mainWindow, Cameras cameras, MainWindowCalls calls);
    ~CPreviewDlg() override;

    // CameraFrameSink, on the camera thread.
    void OnCameraFrame(const cv::Mat& frame) override;
    void OnCameraButton() override;

    // Switches the camera light for the next capture slot (and 300 ms later again).
    void applyNextLight();
    // A camera was plugged in or removed.
    void OnDeviceChange();
    // After an analysis run: the video area again, empty slots, slot 1.
    void returnToCaptureLayout();
    void showCaptureControls(bool show);

    // Commands of the panel's controls.
    void OnCapture();
    void OnRetake();
    void OnStartAnalysis();
    void OnExchange();
    void OnRealTimeCheck();
    void OnRetry();
    // Messages.
    void OnCameraConnect(long long lParam);
    void OnStreamOpened();
    void OnCameraConnecting();
    // The panel's timers by number: 13 about box, 14 first detection, 15
    // single-area step, 17 not-connected notice, 18 dots, 19-21 light repeat
    // (white, polarized, ultraviolet), 22 light after the controls appear.
    void OnTimer(int timerId);

    // What tests and the other pages read.
    CameraDevice* cameraDevice() const { return m_device.get(); }
    const CaptureSequence& sequence() const { return m_sequence; }
    cv::Mat currentFrameCopy() const;
    cv::Mat liveResultCopy() const;
    QString tipText() const;
    bool tipEmphasis() const { return m_tipEmphasis; }
    const CapturePanelLayout& layoutRects() const { return m_layout; }
    bool isTimerActive(int timerId) const;
    int lightRequests() const { return m_lightRequests; }
    int deviceChanges() const { return m_deviceChanges; }
    int handBacks() const { return m_handBacks; }

    // Middle button held this long opens the about box.
    static constexpr int kAboutHoldMs = 10000;

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void createControls();
    void establishMemberFolders();
    void layoutForMode();
    void layoutControls();
    void storeCapture();
    void setTip(const QString& key);
    void setTipEmphasis(bool on);
    void setCaptureText(const char* key);
    void setCameraStreaming(bool on);
    void updateLiveItem();
    void startWaitingAnimation();
    void showNotConnected();
    bool openFirstCamera(const std::vector<DeviceEntry>& entries);
    void closeCamera();
    void releaseNetworkCamera();
    void onDetectionTimer();
    void onSequenceTimer();
    void onDotTimer();
    void repeatLight(int light);
    void requestRepaint();
    void openSlotViewer(int slot);
    void openVideoViewer();
    QTimer* makeTimer(int id, int intervalMs, bool singleShot);

    Cameras m_cameras;
    MainWindowCalls m_calls;
    CaptureSequence m_sequence;
    bool m_tipEmphasis = false;
    bool m_realTime = false;
    std::unique_ptr<CameraDevice> m_device;
    std::unique_ptr<NetworkCamera> m_network;
    std::vector<DeviceEntry> m_devices;
    CapturePanelLayout m_layout;
    std::array<QImage, 9> m_placeholders; // type1-6, singleface1-3
    QImage m_videoFramePicture;           // bitmap 231 around the live picture

    // Shared with the camera thread.
    mutable std::mutex m_frameMutex;
    cv::Mat m_currentFrame;                 // guarded by m_frameMutex
    cv::Mat m_liveResult;                   // guarded by m_frameMutex
    CVideoViewDlg* m_videoViewer = nullptr; // guarded by m_frameMutex
    std::atomic<bool> m_acceptFrames{false};
    std::atomic<int> m_liveItem{-1}; // -1 while real-time detection is off
    std::atomic<bool> m_repaintPending{false};

    QWidget* m_video = nullptr;           // 1011
    QWidget* m_liveArea = nullptr;        // 1012
    CPictureEx* m_waiting = nullptr;      // 1013
    CGdipButton* m_retry = nullptr;       // 1022
    CGdipButton* m_start = nullptr;       // 1054
    CGdipButton* m_retake = nullptr;      // 1055
    CGdipButton* m_capture = nullptr;     // 1056
    CGdipButton* m_exchange = nullptr;    // 1057
    QLabel* m_tip = nullptr;              // 1097
    QCheckBox* m_realTimeCheck = nullptr; // 1297
    std::array<QWidget*, 6> m_fullThumbs{};
    std::array<QWidget*, 3> m_singleThumbs{};
    CConectFailDlg* m_notice = nullptr;

    std::vector<std::pair<int, QTimer*>> m_timers;
    QTimer* m_aboutTimer = nullptr;         // 13
    QTimer* m_detectTimer = nullptr;        // 14
    QTimer* m_sequenceTimer = nullptr;      // 15
    QTimer* m_failureTimer = nullptr;       // 17
    QTimer* m_dotTimer = nullptr;           // 18
    std::array<QTimer*, 3> m_lightTimers{}; // 19, 20, 21: white, polarized, ultraviolet
    QTimer* m_lightNextTimer = nullptr;     // 22

    int m_lightRequests = 0;
    int m_deviceChanges = 0;
    int m_handBacks = 0;
};
