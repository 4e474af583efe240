#pragma once

#include "ItemResult.h"
#include "SkinItem.h"

#include <opencv2/core.hpp>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

using ItemResults = std::array<ItemResult, kSkinItemCount>;

// Eight empty results, item i at index i.
ItemResults makeItemResults();

// The graded-text lookup a run uses: (item index, score) -> UTF-8 text. The GUI
// side passes the presetting lookups; an empty function gives empty texts.
struct GradedTexts {
    std::function<std::string(int item, int score)> resultText;
    std::function<std::string(int item, int score)> suggestionText;
};

// Copies the six capture-slot pictures (slot 1 at index 0) into the detection
// pictures of the items analysed from them: slot 1 into water/oil and gloss,
// slot 2 into texture, slot 3 into skin colour, slot 4 into red streaks, slot 5
// into spots and sensitivity, slot 6 into pores. Each item gets its own copy.
void fillDetectionImages(ItemResults& items,
                         const std::array<cv::Mat, kCaptureSlotCount>& captures);

// The skin-colour score: the integer mean of the seven measured items' scores
// (items 1-7), truncated. With every item inside its range this lies in 44-97.
int skinColourScore(const ItemResults& items);

// Scores a visit in place, synchronously: the skin-colour picture first (its
// own value is not used), then the other items in the fixed order water/oil,
// gloss, texture, spots, red streaks, sensitivity, pores, each with its graded
// texts, and last the derived skin-colour score and its texts. Returns false,
// touching nothing, when any detection picture is not analysable.
bool scoreItems(ItemResults& items, const GradedTexts& texts);

// One analysis run of a visit on a worker thread.
//
// start() checks the eight detection pictures and starts a std::thread that
// scores them (scoreItems), waits the configured time (6.5 s in the program,
// so the operator sees the progress box for a steady moment; tests pass 0),
// then calls `completed` and, once that has returned, `handBack`.
//
// Threading contract:
// - start(), cancel(), waitForFinished(), isRunning() and the destructor are
//   called from the owner's (GUI) thread.
// - From start() until `completed` is entered, the worker owns the item
//   results; the owner must not read or write them.
// - `completed` and `handBack` run on the worker thread. `completed` must not
//   return before the owner has taken the results over: the GUI side makes it a
//   blocking queued call (Qt::BlockingQueuedConnection) to the main window.
//   After it returns the results belong to the owner again and the worker
//   touches them no more. `handBack` returns the capture panel to its first
//   slot; it too must reach the widgets through a queued call.
// - cancel() cuts the wait short and suppresses `completed` and `handBack`; an
//   analysis already under way runs to its end (a fraction of a second).
//   Never cancel or destroy the run from the GUI thread while the worker may be
//   blocked inside a blocking queued `completed`: join would wait for the GUI
//   thread, which waits for the join. The modal progress box keeps the window
//   from closing during a run, so this does not arise in the program.
//
// In the main window, roughly:
//
//     m_run = std::make_unique<AnalysisRun>(m_items, AnalysisRun::Hooks{
//         {[](int i, int s) { return TextLookup::resultText(i, s).toStdString(); },
//          [](int i, int s) { return TextLookup::suggestionText(i, s).toStdString(); }},
//         [this] { QMetaObject::invokeMethod(this, &CMainDlg::onAnalysisCompleted,
//                                            Qt::BlockingQueuedConnection); },
//         [panel] { QMetaObject::invokeMethod(panel, &CTessalyPicDlg::returnToFirstSlot,
//                                             Qt::BlockingQueuedConnection); }});
//     m_run->start();
//     m_progress->exec(); // closed by onAnalysisCompleted
class AnalysisRun {
public:
    struct Hooks {
        GradedTexts texts;
        std::function<void()> completed;
        std::function<void()> handBack;
    };

    static constexpr std::chrono::milliseconds kDefaultWait{6500};

    AnalysisRun(ItemResults& items, Hooks hooks, std::chrono::milliseconds wait = kDefaultWait);
    ~AnalysisRun();
    AnalysisRun(const AnalysisRun&) = delete;
    AnalysisRun& operator=(const AnalysisRun&) = delete;

    // Starts a run; false when one is still running or a detection picture is
    // not analysable (then nothing is started and nothing changed). A finished
    // run's thread is joined first, so the object can run again.
    bool start();

    bool isRunning() const { return m_running.load(); }

    // Asks the worker to stop after its current analysis without completing.
    void cancel();

    // Blocks until the worker has ended (returns at once when none runs).
    void waitForFinished();

private:
    void work();
    bool waitOrCancelled();

    ItemResults& m_items;
    Hooks m_hooks;
    std::chrono::milliseconds m_wait;

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancelled = false; // guarded by m_mutex
};
