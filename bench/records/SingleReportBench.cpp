// Repaint of the single-item report page, beside what Qt itself costs for the
// same area in the same run:
//   BM_SingleReportRepaint   the whole finished page with its controls
//   BM_SingleReportRingTick  the ring's square, what one animation tick repaints
//   BM_QtEmptyPageRender     baseline: an empty widget of the page's size
//   BM_QtStretchPictures     baseline: the background and three 640 x 480
//                            pictures scaled into their boxes at paint time
#include "CSingleReportDlg.h"
#include "CTessalyApp.h"
#include "SingleReportGeometry.h"
#include "TextLookup.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <opencv2/core.hpp>

#include <benchmark/benchmark.h>

namespace {

constexpr QSize kPage{1106, 718}; // the content area on a 1366 x 768 screen

cv::Mat picture(int seed) {
    cv::Mat m(480, 640, CV_8UC3);
    cv::randu(m, cv::Scalar::all(40 + seed), cv::Scalar::all(220));
    return m;
}

// A copy of the built program folder's texts, skin and reference pictures, so
// the page draws what it draws in the program.
QString programCopy(const QTemporaryDir& folder) {
    const QString built = QStringLiteral(VELATRIX_BENCH_PROGRAM_DIR);
    QProcess::execute(QStringLiteral("cp"),
                      {QStringLiteral("-r"), built + "/Language", built + "/icons",
                       built + "/PreSetting", folder.path()});
    return folder.path() + '/';
}

struct Page {
    QTemporaryDir folder;
    CTessalyApp app{programCopy(folder)};
    int language = (TextLookup::chooseLanguageFile(2), 2);
    CSingleReportDlg page{
        2, 87, picture(1), picture(2), QStringLiteral("Result"), QStringLiteral("Advice"), nullptr};
    Page() {
        page.resize(kPage);
        page.show();
        if (!QTest::qWaitFor([this] { return page.animationFinished(); }, 3000))
            qFatal("the score animation did not finish");
    }
};

void BM_SingleReportRepaint(benchmark::State& state) {
    Page p;
    QImage target(kPage, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        p.page.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_SingleReportRepaint)->Unit(benchmark::kMillisecond);

void BM_SingleReportRingTick(benchmark::State& state) {
    Page p;
    const QRect ring = SingleReportGeometry::ringSquare(
        p.page.findChild<QLabel*>(QStringLiteral("1264"))->geometry());
    QImage target(kPage, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        p.page.render(&target, ring.topLeft(), QRegion(ring));
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_SingleReportRingTick)->Unit(benchmark::kMillisecond);

void BM_QtEmptyPageRender(benchmark::State& state) {
    QWidget empty;
    empty.resize(kPage);
    QImage target(kPage, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        empty.render(&target);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_QtEmptyPageRender)->Unit(benchmark::kMillisecond);

void BM_QtStretchPictures(benchmark::State& state) {
    QImage background(1920, 1080, QImage::Format_RGB32);
    background.fill(QColor(250, 246, 247));
    const QImage pictures[3] = {QImage(640, 480, QImage::Format_RGB888),
                                QImage(640, 480, QImage::Format_RGB888),
                                QImage(640, 480, QImage::Format_RGB888)};
    QImage target(kPage, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&target);
        painter.drawImage(QRect(QPoint(0, 0), kPage), background);
        for (int i = 0; i < 3; ++i)
            painter.drawImage(
                QPoint(380 + i * 240, 490),
                pictures[i].scaled(225, 169, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
        painter.end();
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_QtStretchPictures)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
