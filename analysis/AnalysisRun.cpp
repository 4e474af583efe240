#include "AnalysisRun.h"

#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>

namespace {

std::string gradedText(const std::function<std::string(int, int)>& lookup, int item, int score) {
    return lookup ? lookup(item, score) : std::string();
}

void storeScore(ItemResult& result, int score, const GradedTexts& texts) {
    result.score = score;
    result.resultText = gradedText(texts.resultText, result.item, score);
    result.suggestionText = gradedText(texts.suggestionText, result.item, score);
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

int skinColourScore(const ItemResults& items) {
    int sum = 0;
    for (int item = 1; item < kSkinItemCount; ++item) {
        sum += items[static_cast<std::size_t>(item)].score;
    }
    return sum / 7;
}

bool scoreItems(ItemResults& items, const GradedTexts& texts) {
    const bool allAnalysable = std::all_of(items.begin(), items.end(), [](const ItemResult& r) {
        return isAnalysable(r.detectionImage);
    });
    if (!allAnalysable) {
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

AnalysisRun::AnalysisRun(ItemResults& items, Hooks hooks, std::chrono::milliseconds wait)
    : m_items(items), m_hooks(std::move(hooks)), m_wait(wait) {}

AnalysisRun::~AnalysisRun() {
    cancel();
    waitForFinished();
}

bool AnalysisRun::start() {
    if (m_running.load()) {
        return false;
    }
    waitForFinished();
    const bool allAnalysable = std::all_of(m_items.begin(), m_items.end(), [](const ItemResult& r) {
        return isAnalysable(r.detectionImage);
    });
    if (!allAnalysable) {
        return false;
    }
    {
        std::lock_guard lock(m_mutex);
        m_cancelled = false;
    }
    m_running.store(true);
    m_thread = std::thread(&AnalysisRun::work, this);
    return true;
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

void AnalysisRun::work() {
    raiseWorkerPriority();
    scoreItems(m_items, m_hooks.texts);
    if (!waitOrCancelled()) {
        if (m_hooks.completed) {
            m_hooks.completed();
        }
        if (m_hooks.handBack) {
            m_hooks.handBack();
        }
    }
    m_running.store(false);
}
