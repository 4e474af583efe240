// The capture panel's own frame handler at 640 x 480 on one core: a YUYV
// sample converted and turned as the camera thread does, then handed to
// CPreviewDlg::OnCameraFrame with real-time detection on, for the live item of
// each capture position (the slowest decides; target at most 8 ms median).
// The GUI side's read of the frame for painting is timed too: it is all the
// GUI thread ever waits for.
//
// Baseline in the same run: OpenCV's cvtColor(YUV2BGR_YUY2) plus flip(-1).
//
// Run: bench_capture_panel --benchmark_repetitions=5 --benchmark_report_aggregates_only=true

#include "CPreviewDlg.h"
#include "CTessalyApp.h"
#include "CameraDevice.h"
#include "FrameConversion.h"
#include "FrameSinks.h"
#include "SyntheticSkin.h"

#include <QApplication>
#include <QCheckBox>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <opencv2/core.hpp>
#include <opencv2/imgproc.hpp>

#include <vector>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;

std::vector<uint8_t> yuyvSample() {
    cv::Mat yuv;
    cv::cvtColor(syntheticSkin(kWidth, kHeight), yuv, cv::COLOR_BGR2YUV);
    std::vector<uint8_t> bytes;
    for (int r = 0; r < kHeight; ++r) {
        for (int x = 0; x < kWidth; x += 2) {
            const cv::Vec3b a = yuv.at<cv::Vec3b>(r, x);
            const cv::Vec3b b = yuv.at<cv::Vec3b>(r, x + 1);
            bytes.insert(bytes.end(),
                         {a[0], uint8_t((a[1] + b[1]) / 2), b[0], uint8_t((a[2] + b[2]) / 2)});
        }
    }
    return bytes;
}

// One camera that opens; frames come from the benchmark itself.
class BenchDevice : public CameraDevice {
public:
    int Open() override { return 0; }
    void SetLightMode(int) override {}
    bool isStreaming() const override { return true; }
};

class BenchCameras : public CameraSystem {
public:
    std::vector<DeviceEntry> EnumerateCameras() override {
        return {{QStringLiteral("vid_0c45&pid_6340"), QStringLiteral("bench"),
                 QStringLiteral("/dev/null"), QString()}};
    }
    std::unique_ptr<CameraDevice> createDevice(const DeviceEntry&, FrameSinks&) override {
        return std::make_unique<BenchDevice>();
    }
};

struct Panel {
    QTemporaryDir dir;
    CTessalyApp app{dir.path()};
    FrameSinks sinks;
    BenchCameras cameras;
    ItemResults items = makeItemResults();
    std::unique_ptr<CPreviewDlg> panel;

    Panel() {
        CPreviewDlg::MainWindowCalls calls;
        calls.itemResults = [this]() -> ItemResults& { return items; };
        panel = std::make_unique<CPreviewDlg>(nullptr, CPreviewDlg::Cameras{&sinks, &cameras, {}},
                                              std::move(calls));
        panel->resize(1340, 850);
        panel->OnTimer(14);
    }
};

void opencvBaseline(benchmark::State& state) {
    const std::vector<uint8_t> bytes = yuyvSample();
    const cv::Mat sample(kHeight, kWidth, CV_8UC2, const_cast<uint8_t*>(bytes.data()));
    cv::Mat bgr;
    cv::Mat turned;
    for (auto _ : state) {
        cv::cvtColor(sample, bgr, cv::COLOR_YUV2BGR_YUY2);
        cv::flip(bgr, turned, -1);
        benchmark::DoNotOptimize(turned.data);
    }
}

// Captures taken before the run decide the next slot and so the live item.
void panelFramePath(benchmark::State& state, int capturesBefore, bool live) {
    Panel p;
    const std::vector<uint8_t> bytes = yuyvSample();
    cv::Mat frame;
    convertYuyvTurned(bytes.data(), bytes.size(), kWidth, kHeight, 0, frame);
    p.panel->OnCameraFrame(frame);
    for (int i = 0; i < capturesBefore; ++i)
        p.panel->OnCapture();
    p.panel->findChild<QCheckBox*>(QStringLiteral("1297"))->setChecked(live);
    for (auto _ : state) {
        convertYuyvTurned(bytes.data(), bytes.size(), kWidth, kHeight, 0, frame);
        p.panel->OnCameraFrame(frame);
    }
    QCoreApplication::processEvents();
}

void guiFrameRead(benchmark::State& state) {
    Panel p;
    cv::Mat frame(kHeight, kWidth, CV_8UC3, cv::Scalar(40, 80, 160));
    p.panel->OnCameraFrame(frame);
    for (auto _ : state)
        benchmark::DoNotOptimize(p.panel->currentFrameCopy().data);
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication qapp(argc, argv);
    cv::setNumThreads(1);
    benchmark::RegisterBenchmark("baseline/opencvCvtColorFlip", opencvBaseline)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("panel/noLiveDetection", panelFramePath, 0, false)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    // Next slot 1..6 and all filled: water/oil, texture, skin colour, red
    // streaks, spots, pores, pores.
    for (int captures = 0; captures <= 5; ++captures) {
        const std::string name = "panel/liveAtSlot" + std::to_string(captures + 1);
        benchmark::RegisterBenchmark(name.c_str(), panelFramePath, captures, true)
            ->Unit(benchmark::kMillisecond)
            ->UseRealTime();
    }
    benchmark::RegisterBenchmark("gui/frameReadUnderLock", guiFrameRead)
        ->Unit(benchmark::kMicrosecond)
        ->UseRealTime();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
