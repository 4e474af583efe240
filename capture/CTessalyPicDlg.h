#pragma once

#include "CameraFrameSink.h"
#include "ComparisonGeometry.h"

#include <QImage>
#include <QWidget>

#include <opencv2/core.hpp>

#include <array>
#include <atomic>
#include <functional>
#include <mutex>

class CGdipButton;
class CVideoViewDlg;
class CameraDevice;
class FrameSinks;
class QButtonGroup;
class QLabel;

// The comparison screen: the live camera picture (1111) beside up to three
// stored pictures of the member (1112-1114), chosen by double-click. The
// operator can freeze the live picture (1105 or the camera's button), switch
// the camera light (1299-1301), enlarge any picture, save the whole screen as
// a bitmap in the member's "Comparison" folder, print it or export it as PDF.
//
// The main window wires it with setFrameSinks() (the screen registers itself
// as the comparison sink while it is visible) and setCameraDevice() (the
// capture panel's open camera, or none, asked at each light switch).
//
// Threading: a CameraFrameSink. OnCameraFrame() and OnCameraButton() run on the
// camera thread: they only copy the frame into the live buffer under its lock
// (and pass it to an open video viewer) and post a queued call; every widget
// is touched on the GUI thread. Everything else is GUI thread only. The screen
// leaves the frame sinks when it hides and when it is destroyed, so no camera
// call reaches a destroyed screen.
class CTessalyPicDlg : public QWidget, public CameraFrameSink {
    Q_OBJECT
public:
    explicit CTessalyPicDlg(QWidget* mainWindow);
    ~CTessalyPicDlg() override;

    // Wiring by the main window.
    void setFrameSinks(FrameSinks* sinks);
    using CameraGetter = std::function<CameraDevice*()>;
    void setCameraDevice(CameraGetter camera);

    // CameraFrameSink
    void OnCameraFrame(const cv::Mat& frame) override;
    void OnCameraButton() override;

    // The guided capture panel writes the light choice (0 white, 1 polarized,
    // 2 ultraviolet) when it switches the light, then asks for a refresh.
    void setLightChoice(int choice);
    int lightChoice() const { return m_lightChoice; }
    // Header values, hint lines and buttons again from the current state.
    void refreshControls();

    // Play/stop: freezes or resumes the live picture.
    void togglePaused();
    bool isPaused() const;
    // A copy of the live buffer (empty until a frame has arrived).
    cv::Mat liveFrame() const;

    // Loads a compared picture (index 1-3) from a file. An unreadable file
    // keeps the picture that was there and gives an error tip.
    bool loadPicture(int index, const QString& file);
    const cv::Mat& picture(int index) const { return m_pictures.at(std::size_t(index)); }
    // Handles a double-click at a client position: chooses a picture, opens the
    // video viewer on the live area, or only repaints.
    void chooseAt(const QPoint& pos);
    // Opens the image viewer on a loaded picture (1-3).
    void enlargePicture(int index);
    // Opens the video viewer modally unless one is open already.
    void openVideoViewer();

    // The screen as drawn, pictures, texts and buttons included.
    QImage screenPicture();
    // The file Save writes now: "<member picture folder>/Comparison/<name>".
    QString saveFilePath() const;
    // Save: writes the screen as a bitmap and shows the success tip with the
    // path; an unwritable folder or file gives an error tip instead. Returns
    // the path written, empty on failure.
    QString saveScreen();
    // Print: prints the screen from memory; no file is written or deleted.
    bool printScreen();
    // PDF: asks for a file (proposing the Comparison folder) and exports the page.
    bool exportPdf();

    // Tests replace the file dialogs: the open dialog gets the start folder and
    // returns the chosen file; the PDF dialog gets the proposed path and
    // returns the chosen one. Empty answers mean cancel; empty hooks restore
    // the real dialogs.
    using FileDialogHook = std::function<QString(QWidget* parent, const QString& start)>;
    static void setOpenDialogHook(FileDialogHook hook);
    static void setPdfDialogHook(FileDialogHook hook);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createControls();
    void fillHeader();
    void updatePlayButton();
    void onLiveFrame();
    void onLightChoice(int choice);
    void setPlayText(const char* key);
    ComparisonGeometry::Areas areas() const;
    QString memberPictureFolder() const;

    // Live buffer shared with the camera thread.
    mutable std::mutex m_liveMutex;
    cv::Mat m_live;                       // guarded by m_liveMutex
    bool m_hasLive = false;               // guarded by m_liveMutex
    bool m_paused = false;                // guarded by m_liveMutex
    CVideoViewDlg* m_videoView = nullptr; // guarded by m_liveMutex
    std::atomic<bool> m_repaintPending{false};

    std::array<cv::Mat, 4> m_pictures; // index 1-3 used, as the area numbers
    std::array<QImage, 4> m_shown;     // the same pictures converted for painting
    int m_lightChoice = 0;

    FrameSinks* m_sinks = nullptr;
    CameraGetter m_camera;
    QImage m_background;

    std::array<QWidget*, 4> m_areas{};
    std::array<QLabel*, 4> m_hints{};
    std::array<CGdipButton*, 4> m_enlarge{}; // index 1-3 used
    CGdipButton* m_play = nullptr;
    const char* m_playKey = nullptr; // the text key the play button shows
    CGdipButton* m_save = nullptr;
    CGdipButton* m_print = nullptr;
    CGdipButton* m_pdf = nullptr;
    QButtonGroup* m_lights = nullptr;
    std::array<QLabel*, 5> m_values{};
};
