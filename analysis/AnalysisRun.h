#pragma once

#include "GradedTextTable.h"
#include "ItemResult.h"
#include "SkinItem.h"

#include <opencv2/core.hpp>

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

using ItemResults = std::array<ItemResult, kSkinItemCount>;

// Eight empty results, item i at index i.
ItemResults makeItemResults();

// A copy of items whose pictures share no pixels with the originals, so that
// another thread may work on it while the originals stay in use.
ItemResults deepCopy(const ItemResults& items);

// Copies the six capture-slot pictures (slot 1 at index 0) into the detection
// pictures of the items analysed from them: slot 1 into water/oil and gloss,
// slot 2 into texture, slot 3 into skin colour, slot 4 into red streaks, slot 5
// into spots and sensitivity, slot 6 into pores. Each item gets its own copy.
void fillDetectionImages(ItemResults& items,
                         const std::array<cv::Mat, kCaptureSlotCount>& captures);

// The skin-colour score: the integer mean of the seven measured items' scores
// (items 1-7), truncated. With every item inside its range this lies in 44-97.
int skinColourScore(const ItemResults& items);

// True when every detection picture can be analysed.
bool allAnalysable(const ItemResults& items);

// Scores a visit in place, synchronously: the skin-colour picture first (its
// own value is not used), then the other items in the fixed order water/oil,
// gloss, texture, spots, red streaks, sensitivity, pores, each with its graded
// texts, and last the derived skin-colour score and its texts. Returns false,
// touching nothing, when any detection picture is not analysable.
bool scoreItems(ItemResults& items, const GradedTextTable& texts);

// One analysis run of a visit on a worker thread.
//
// start() takes a copy of the eight item results and the graded-text table by
// value, starts a std::thread that scores the copy (scoreItems), waits the
// configured time (6.5 s in the program, so the operator sees the progress box
// for a steady moment; tests pass 0), then hands the scored copy to
// `completed` together with the run's token.
//
// Threading contract:
// - start(), cancel(), waitForFinished(), isRunning(), token() and the
//   destructor are called from the owner's (GUI) thread.
// - The worker touches only its own copy; the owner's results are never shared
//   with it, so the owner may read, replace or discard them at any time.
// - `completed` runs on the worker thread and must not block on the owner:
//   the GUI side posts the results to itself with a queued (non-blocking) call
//   and compares the token with the run it still waits for, dropping a stale
//   result. Because nothing waits for the GUI thread, cancel() followed by a
//   join (what the destructor does) can never deadlock, and an owner that
//   destroys the run first in its own destructor is safe by construction.
// - cancel() cuts the wait short and suppresses `completed`; an analysis
//   already under way runs to its end (a fraction of a second).
class AnalysisRun {
public:
    using Completion = std::function<void(std::uint64_t token, ItemResults results)>;

    // Why start() did or did not start a run.
    enum class Start { Started, StillRunning, CaptureUnusable };

    static constexpr std::chrono::milliseconds kDefaultWait{6500};

    explicit AnalysisRun(Completion completed, std::chrono::milliseconds wait = kDefaultWait);
    ~AnalysisRun();
    AnalysisRun(const AnalysisRun&) = delete;
    AnalysisRun& operator=(const AnalysisRun&) = delete;

    // Starts a run on a copy of items. Refuses while a run is under way and when
    // a detection picture is not analysable; nothing is started then. A finished
    // run's thread is joined first, so the object can run again.
    Start start(const ItemResults& items, GradedTextTable texts);

    // Token of the most recently started run (0 before the first); each start
    // gets a new one.
    std::uint64_t token() const { return m_token; }

    bool isRunning() const { return m_running.load(); }

    // Asks the worker to stop after its current analysis without completing.
    void cancel();

    // Blocks until the worker has ended (returns at once when none runs).
    void waitForFinished();

private:
    void work(std::uint64_t token, ItemResults items, GradedTextTable texts);
    bool waitOrCancelled();

    Completion m_completed;
    std::chrono::milliseconds m_wait;
    std::uint64_t m_token = 0;

    std::thread m_thread;
    std::atomic<bool> m_running{false};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_cancelled = false; // guarded by m_mutex
};
