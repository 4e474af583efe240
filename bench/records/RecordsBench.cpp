// The report store and the summary page. Targets: saving a visit (16 JPEGs and
// "info.ini") within 150 ms; opening a stored visit to a drawn summary within
// 300 ms; one repaint of the summary page within 5 ms. Each is reported beside
// a baseline of the same work done by the libraries alone, measured in the same
// run: OpenCV writing / reading 16 JPEGs, Qt painting the page's background.
//
//   cmake --build build --target bench_records && build/bench/records/bench_records
#include "CSummaryReport.h"
#include "CTessalyApp.h"
#include "ReportStore.h"
#include "SkinItem.h"
#include "TextLookup.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>

#include <opencv2/imgcodecs.hpp>
#include <opencv2/imgproc.hpp>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// Camera-like pictures: smooth gradients with texture, so JPEG has real work.
ItemResults visitItems() {
    ItemResults items = makeItemResults();
    cv::RNG rng(7);
    for (int i = 0; i < 8; ++i) {
        items[i].score = 55 + i * 5;
        items[i].resultText = "Result text of the item, graded.";
        items[i].suggestionText = "Suggestion text of the item, graded, a little longer.";
        for (cv::Mat* m : {&items[i].detectionImage, &items[i].analysisImage}) {
            for (int y = 0; y < m->rows; ++y) {
                for (int x = 0; x < m->cols; ++x)
                    m->at<cv::Vec3b>(y, x) =
                        cv::Vec3b(uchar(120 + x / 8), uchar(90 + y / 6), uchar(150 + i * 8));
            }
            cv::Mat noise(m->size(), CV_8UC3);
            rng.fill(noise, cv::RNG::NORMAL, 0, 12);
            *m += noise;
        }
    }
    return items;
}

struct Fixture {
    QTemporaryDir dir;
    std::unique_ptr<CTessalyApp> app;
    ItemResults items = visitItems();
    QString member;

    Fixture() {
        // Texts, fonts and skin pictures of the built program folder; the
        // catalogue is created in the temporary folder.
        const QString built = QStringLiteral(VELATRIX_BENCH_PROGRAM_DIR) + '/';
        for (const char* sub : {"Language", "PreSetting", "icons"}) {
            const QString from = built + sub;
            QDir().mkpath(dir.path() + '/' + sub);
            for (const QString& f : QDir(from).entryList(QDir::Files))
                QFile::copy(from + '/' + f, dir.path() + '/' + sub + '/' + f);
        }
        app = std::make_unique<CTessalyApp>(dir.path() + '/');
        TextLookup::chooseLanguageFile(0);
        member = dir.path() + QStringLiteral("/Reports/Anna");
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_SaveVisit(benchmark::State& state) {
    Fixture& f = fixture();
    QDateTime when(QDate(2024, 3, 3), QTime(9, 5));
    for (auto _ : state) {
        when = when.addSecs(60); // a new visit folder every time
        const ReportStore::SaveResult r =
            ReportStore::saveVisit(f.member, when, f.items, "overall", "expert", {"A", "B"});
        if (!r.ok)
            state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SaveVisit)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_Baseline_OpenCvWrite16Jpegs(benchmark::State& state) {
    Fixture& f = fixture();
    const std::string folder = (f.dir.path() + QStringLiteral("/baseline")).toStdString();
    QDir().mkpath(QString::fromStdString(folder));
    for (auto _ : state) {
        for (int i = 0; i < 8; ++i) {
            const std::string stem = folder + '/' + kSkinItems[i].fileStem;
            cv::imwrite(stem + ".jpg", f.items[i].detectionImage);
            cv::imwrite(stem + "_0.jpg", f.items[i].analysisImage);
        }
    }
}
BENCHMARK(BM_Baseline_OpenCvWrite16Jpegs)->Unit(benchmark::kMillisecond)->Iterations(30);

QString storedVisit() {
    Fixture& f = fixture();
    static const QString folder = [&] {
        return ReportStore::saveVisit(f.member, QDateTime(QDate(2020, 1, 1), QTime(0, 0)), f.items,
                                      "overall", "expert", {"A"})
            .visitFolder;
    }();
    return folder;
}

void BM_OpenStoredVisitToDrawnSummary(benchmark::State& state) {
    const QString folder = storedVisit();
    for (auto _ : state) {
        ItemResults items = makeItemResults();
        ReportStore::loadVisit(folder, items, nullptr);
        CSummaryReport page(1, items, nullptr, {folder, {}});
        page.resize(CSummaryReport::kDesignSize);
        page.finishAnimation();
        QImage target(page.size(), QImage::Format_ARGB32_Premultiplied);
        page.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_OpenStoredVisitToDrawnSummary)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_Baseline_OpenCvRead16Jpegs(benchmark::State& state) {
    const std::string folder = storedVisit().toStdString();
    for (auto _ : state) {
        for (int i = 0; i < 8; ++i) {
            const std::string stem = folder + '/' + kSkinItems[i].fileStem;
            benchmark::DoNotOptimize(cv::imread(stem + ".jpg", cv::IMREAD_COLOR).data);
            benchmark::DoNotOptimize(cv::imread(stem + "_0.jpg", cv::IMREAD_COLOR).data);
        }
    }
}
BENCHMARK(BM_Baseline_OpenCvRead16Jpegs)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SummaryRepaint(benchmark::State& state) {
    const QString folder = storedVisit();
    ItemResults items = makeItemResults();
    ReportStore::loadVisit(folder, items, nullptr);
    CSummaryReport page(1, items, nullptr, {folder, {}});
    page.resize(CSummaryReport::kDesignSize);
    page.finishAnimation();
    QImage target(page.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        page.render(&target);
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_SummaryRepaint)->Unit(benchmark::kMicrosecond)->Iterations(200);

void BM_Baseline_QtPaintBackground(benchmark::State& state) {
    Fixture& f = fixture();
    const QImage background(f.app->m_strSkinPath + QStringLiteral("report_bk.bmp"));
    QImage target(CSummaryReport::kDesignSize, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter p(&target);
        p.drawImage(target.rect(), background);
        p.end();
        benchmark::DoNotOptimize(target.bits());
    }
}
BENCHMARK(BM_Baseline_QtPaintBackground)->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
