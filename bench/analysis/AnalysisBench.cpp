// Targets (medians, one core): every live call at most 8 ms so that live
// detection keeps up with a 30 fps camera, the eight scoring calls of a run
// together at most 150 ms.
//
// Run: bench_analysis --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "AnalysisRun.h"
#include "SkinItem.h"
#include "SyntheticSkin.h"

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>

#include <chrono>

namespace {

const cv::Mat& photograph() {
    static const cv::Mat picture = syntheticSkin(640, 480);
    return picture;
}

void analysisCall(benchmark::State& state, int item, bool live) {
    const SkinAnalysis analysis = kSkinItems[static_cast<std::size_t>(item)].analysis;
    const cv::Mat& input = photograph();
    cv::Mat result(input.size(), CV_8UC3);
    for (auto _ : state) {
        benchmark::DoNotOptimize(analysis(input, result, live));
    }
}

void eightScoringCalls(benchmark::State& state) {
    ItemResults items = makeItemResults();
    std::array<cv::Mat, kCaptureSlotCount> captures;
    for (int i = 0; i < kCaptureSlotCount; ++i) {
        captures[static_cast<std::size_t>(i)] = syntheticSkin(640, 480, 100 + i);
    }
    fillDetectionImages(items, captures);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scoreItems(items, GradedTextTable{}));
    }
}

// A whole run through the worker thread, without the 6.5 s wait: the copy of
// the inputs, the eight analyses and the hand-over.
void wholeRunWithoutWait(benchmark::State& state) {
    ItemResults items = makeItemResults();
    std::array<cv::Mat, kCaptureSlotCount> captures;
    for (int i = 0; i < kCaptureSlotCount; ++i) {
        captures[static_cast<std::size_t>(i)] = syntheticSkin(640, 480, 100 + i);
    }
    fillDetectionImages(items, captures);
    AnalysisRun run({}, std::chrono::milliseconds(0));
    for (auto _ : state) {
        run.start(items, GradedTextTable{});
        run.waitForFinished();
    }
}

const char* const kNames[kSkinItemCount] = {
    "0_lightnessImage", "1_shineRatio",    "2_edgeDensity",     "3_darkSpotArea",
    "4_greyContrast",   "5_redPixelRatio", "6_lightnessSpread", "7_poreBlobs"};

void registerAll() {
    for (int item = 0; item < kSkinItemCount; ++item) {
        for (const bool live : {true, false}) {
            const std::string name = std::string(live ? "live/" : "scoring/") + kNames[item];
            benchmark::RegisterBenchmark(name.c_str(), analysisCall, item, live)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
    benchmark::RegisterBenchmark("run/eightScoringCalls", eightScoringCalls)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("run/wholeRunWithoutWait", wholeRunWithoutWait)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
}

} // namespace

int main(int argc, char** argv) {
    // The targets are for one core; OpenCV would otherwise spread some steps
    // over both.
    cv::setNumThreads(1);
    registerAll();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
