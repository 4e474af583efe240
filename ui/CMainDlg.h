#pragma once

#include "AnalysisRun.h"
#include "FrameSinks.h"
#include "NetworkCamera.h"

#include <QDialog>
#include <QEvent>
#include <QPointer>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class CGdipButton;
class CLoadingDlg;
class CPreviewDlg;
class CSingleReportDlg;
class CSummaryReport;
class CTessalyPicDlg;
class CameraSystem;
class QLabel;

// The main window: an eleven-button menu on the left and a content area that
// shows one panel at a time (capture, comparison, summary report, eight
// single-item reports). It owns the eight item results, the progress box and
// every panel.
//
// Threading: GUI thread only. An analysis run works on its own copy of the
// item results and of the graded texts; the worker posts the scored copy back
// with a queued (non-blocking) call that carries the run's token, and a result
// whose token is not the awaited one is dropped. The run is destroyed first in
// the destructor: its worker never waits for this window, so the join ends and
// no posted result can reach a destroyed window.
class CMainDlg : public QDialog {
    Q_OBJECT
public:
    // The completion message (analysis finished or stored visit loaded).
    static constexpr QEvent::Type WM_USER_35 = QEvent::Type(QEvent::User + 35);

    // fromHistory 1: show the stored visit named by visitFolder instead of capturing.
    CMainDlg(int fromHistory, const QString& visitFolder, QWidget* parent = nullptr);
    ~CMainDlg() override;

    // Called by the capture panel once the six captures are in the detection
    // pictures: runs the analysis with the progress box up. Returns 1. While a
    // run is still under way, or when a capture is missing or unusable, nothing
    // starts and a tip says which.
    int startRun();

    // Sends the completion message to this window and returns once it is handled.
    void sendCompletion();

    // Drops the report panels and the results-available state (also asked for by
    // the capture panel when a capture is retaken).
    void discardResults();

    // The platform's device-change notice, passed on to the capture panel.
    void OnDeviceChange();

    ItemResults& itemResults() { return m_items; }
    int fromHistory() const { return m_fromHistory; }
    QRect contentRect() const { return m_content; }
    QWidget* currentPanel() const;
    int selectedMenuId() const;
    CPreviewDlg* previewPanel() const { return m_preview; }
    CSummaryReport* summaryPanel() const { return m_summary; }
    CSingleReportDlg* singleReportPanel(int item) const { return m_single[item]; }
    CLoadingDlg* progressBox() const { return m_loading; }
    // Where camera frames go: the capture panel and the comparison screen register here.
    FrameSinks& frameSinks() { return m_frameSinks; }

    // The menu in its top-to-bottom order, and the skin item each report button opens.
    static constexpr std::array<int, 11> kMenuIds{1207, 1208, 1218, 1209, 1210, 1212,
                                                  1213, 1215, 1214, 1216, 1217};
    static constexpr int kBackId = 1031;
    static constexpr int kExitId = 1009;

    // Seams. The visit loader fills the item results from a stored visit (the
    // report store provides it); the process end is replaceable for tests; the
    // wait before a run reports completion is shortened by tests.
    using VisitLoader = std::function<bool(const QString& visitFolder, ItemResults& items)>;
    static void setVisitLoader(VisitLoader loader);
    static void setProcessExit(std::function<void(int)> exitProcess);
    static void setAnalysisWait(std::chrono::milliseconds wait);
    // The cameras the capture panel uses: the program installs its V4L2 system
    // and Wi-Fi camera source, tests their fakes. Without them no camera is found.
    static void setCameraSystem(CameraSystem* system);
    static void setNetworkCameraFactory(NetworkCamera::Factory factory);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Enter and Escape are swallowed: Escape would close the window past the back
    // command, leaving the results-available and camera flags set.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;

private slots:
    void OnMenu(int id);
    void OnBack();
    void OnExit();

private:
    void OnAnalysisComplete();
    void takeRunResults(std::uint64_t token, ItemResults results);
    void showPanel(int menuId, QWidget* panel);
    void setItemButtonsVisible(bool visible);
    void layoutControls();
    void openStoredVisit();

    int m_fromHistory;
    QString m_visitFolder;
    ItemResults m_items;
    FrameSinks m_frameSinks;
    std::unique_ptr<AnalysisRun> m_run;
    std::uint64_t m_awaitedRun = 0; // token of the run whose results are wanted; 0 none
    CLoadingDlg* m_loading = nullptr;

    QLabel* m_title = nullptr;
    std::array<CGdipButton*, 11> m_menu{};
    CGdipButton* m_back = nullptr;
    CGdipButton* m_exit = nullptr;
    CGdipButton* m_hidden = nullptr;
    QRect m_content;

    CPreviewDlg* m_preview = nullptr;
    CTessalyPicDlg* m_compare = nullptr;
    CSummaryReport* m_summary = nullptr;
    std::array<CSingleReportDlg*, 8> m_single{};
    bool m_opened = false;
};
