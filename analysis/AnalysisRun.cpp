#include "AnalysisRun.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace {

void storeScore(ItemResult& result, int score, const GradedTextTable& texts) {
    result.score = score;
    result.resultText = texts.resultText(result.item, score);
    result.suggestionText = texts.suggestionText(result.item, score);
}

// The worker asks for the highest priority the system grants an ordinary
// thread; without the right to raise it, it keeps the default.
void raiseWorkerPriority() {
    (void)setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), -20);
}

} // namespace

ItemResults makeItemResults() {
    return {ItemResult(0), ItemResult(1), ItemResult(2), ItemResult(3),
            ItemResult(4), ItemResult(5), ItemResult(6), ItemResult(7)};
}

void fillDetectionImages(ItemResults& items,
                         const std::array<cv::Mat, kCaptureSlotCount>& captures) {
    for (const SkinItem& item : kSkinItems) {
        captures[static_cast<std::size_t>(item.captureSlot - 1)].copyTo(
            items[static_cast<std::size_t>(item.index)].detectionImage);
    }
}

ItemResults deepCopy(const ItemResults& items) {
    ItemResults copy = items;
    for (ItemResult& r : copy) {
        r.detectionImage = r.detectionImage.clone();
        r.analysisImage = r.analysisImage.clone();
    }
    return copy;
}

int skinColourScore(const ItemResults& items) {
    int sum = 0;
    for (int item = 1; item < kSkinItemCount; ++item) {
        sum += items[static_cast<std::size_t>(item)].score;
    }
    return sum / 7;
}

bool allAnalysable(const ItemResults& items) {
    return std::all_of(items.begin(), items.end(),
                       [](const ItemResult& r) { return isAnalysable(r.detectionImage); });
}

bool scoreItems(ItemResults& items, const GradedTextTable& texts) {
    if (!allAnalysable(items)) {
        return false;
    }

    ItemResult& skinColour = items[kSkinColour];
    (void)lightnessImage(skinColour.detectionImage, skinColour.analysisImage, false);

    for (int index : kScoringOrder) {
        ItemResult& result = items[static_cast<std::size_t>(index)];
        const SkinItem& item = kSkinItems[static_cast<std::size_t>(index)];
        storeScore(result, item.analysis(result.detectionImage, result.analysisImage, false),
                   texts);
    }
    storeScore(skinColour, skinColourScore(items), texts);
    return true;
}

AnalysisRun::AnalysisRun(Completion completed, std::chrono::milliseconds wait)
    : m_completed(std::move(completed)), m_wait(wait) {}

AnalysisRun::~AnalysisRun() {
    cancel();
    waitForFinished();
}

AnalysisRun::Start AnalysisRun::start(const ItemResults& items, GradedTextTable texts) {
    if (m_running.load()) {
        return Start::StillRunning;
    }
    waitForFinished();
    if (!allAnalysable(items)) {
        return Start::CaptureUnusable;
    }
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = false;
    }
    m_running.store(true);
    m_thread = std::thread(&AnalysisRun::work, this, ++m_token, deepCopy(items), std::move(texts));
    return Start::Started;
}

void AnalysisRun::cancel() {
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = true;
    }
    m_wake.notify_all();
}

void AnalysisRun::waitForFinished() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool AnalysisRun::waitOrCancelled() {
    std::unique_lock lock(m_mutex);
    return m_wake.wait_for(lock, m_wait, [this] { return m_cancelled; });
}

void AnalysisRun::work(std::uint64_t token, ItemResults items, GradedTextTable texts) {
    raiseWorkerPriority();
    scoreItems(items, texts);
    const bool deliver = !waitOrCancelled();
    // Not running any more before the hand-over: the owner may start the next
    // run as soon as it has the results, and this one's token is then stale.
    m_running.store(false);
    if (deliver && m_completed) {
        m_completed(token, std::move(items));
    }
}
