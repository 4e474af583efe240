// The command-line analyser, run as a separate process the way integrators use it.

#include "AnalysisRun.h"
#include "SkinItem.h"
#include "SyntheticSkin.h"
#include "TempProgramFolder.h"

#include <QFile>
#include <QProcess>
#include <QStringList>

#include <gtest/gtest.h>

#include <opencv2/imgcodecs.hpp>

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

Outcome analyze(const QStringList& args) {
    QProcess process;
    process.start(TempProgramFolder::builtProgramFolder() + "velatrix-analyze", args);
    process.waitForFinished(60000);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class AnalyzeTool : public ::testing::Test {
protected:
    QString picture(const QString& name, const cv::Mat& image) {
        const QString path = m_folder.file(name);
        EXPECT_TRUE(cv::imwrite(path.toStdString(), image));
        return path;
    }
    TempProgramFolder m_folder;
};

TEST_F(AnalyzeTool, PrintsTheAnalysisScoreAndWritesTheResultLosslessly) {
    const cv::Mat image = syntheticSkin(640, 480, 5);
    const QString input = picture("skin.png", image);
    for (const SkinItem& item : kSkinItems) {
        cv::Mat expected;
        const int score = item.analysis(image, expected, false);
        const QString out = m_folder.file(QString("r%1.png").arg(item.index));
        const Outcome o = analyze({QString::number(item.index), input, "--result", out});
        EXPECT_EQ(o.status, 0) << o.err.toStdString();
        EXPECT_EQ(o.out, QString("%1\n").arg(score));
        const cv::Mat written = cv::imread(out.toStdString(), cv::IMREAD_COLOR);
        ASSERT_FALSE(written.empty());
        EXPECT_EQ(cv::norm(written, expected, cv::NORM_INF), 0) << item.index;

        cv::Mat liveExpected;
        item.analysis(image, liveExpected, true);
        const Outcome live =
            analyze({QString::number(item.index), "--live", input, "--result", out});
        EXPECT_EQ(live.out, "0\n");
        EXPECT_EQ(
            cv::norm(cv::imread(out.toStdString(), cv::IMREAD_COLOR), liveExpected, cv::NORM_INF),
            0);
    }
}

TEST_F(AnalyzeTool, RunPrintsTheEightScoresInItemOrder) {
    std::array<cv::Mat, kCaptureSlotCount> captures;
    QStringList args{"run"};
    for (int i = 0; i < kCaptureSlotCount; ++i) {
        captures[static_cast<std::size_t>(i)] = syntheticSkin(640, 480, 60 + i);
        args << picture(QString("s%1.png").arg(i + 1), captures[static_cast<std::size_t>(i)]);
    }
    ItemResults items = makeItemResults();
    fillDetectionImages(items, captures);
    ASSERT_TRUE(scoreItems(items, GradedTextTable{}));
    QStringList scores;
    for (const ItemResult& r : items) {
        scores << QString::number(r.score);
    }
    const Outcome o = analyze(args);
    EXPECT_EQ(o.status, 0) << o.err.toStdString();
    EXPECT_EQ(o.out, scores.join(' ') + "\n");
}

TEST_F(AnalyzeTool, BadInputExitsWith2AndOneLine) {
    const QString good = picture("good.png", syntheticSkin(64, 48, 1));
    const QString tiny = picture("tiny.png", syntheticSkin(7, 20, 1));
    m_folder.write("empty.png", QByteArray());
    m_folder.write("text.png", QByteArray("not a picture\n"));
    m_folder.write("cut.png", [&] {
        QFile f(good);
        f.open(QIODevice::ReadOnly);
        return f.read(200);
    }());
    const QString empty = m_folder.file("empty.png");
    const QString text = m_folder.file("text.png");
    const QString cut = m_folder.file("cut.png");
    const QString missing = m_folder.file("missing.png");
    const QStringList cases[] = {
        {},
        {"8", good},
        {"-1", good},
        {"x", good},
        {"1"},
        {"1", missing},
        {"1", empty},
        {"1", text},
        {"1", cut},
        {"1", tiny},
        {"1", m_folder.path()},
        {"1", good, good},
        {"1", good, "--result"},
        {"1", good, "--result", m_folder.file("out.jpg")},
        {"1", good, "--result", m_folder.file("no/such/folder/out.png")},
        {"1", good, "--fast"},
        {"run", good, good, good, good, good},
        {"run", good, good, good, good, good, missing},
    };
    for (const QStringList& args : cases) {
        const Outcome o = analyze(args);
        EXPECT_EQ(o.status, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(o.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(o.err.startsWith("velatrix-analyze: ")) << o.err.toStdString();
        EXPECT_EQ(o.err.count('\n'), 1) << o.err.toStdString();
    }
}

TEST_F(AnalyzeTool, Help) {
    const Outcome o = analyze({"--help"});
    EXPECT_EQ(o.status, 0);
    EXPECT_TRUE(o.out.startsWith("Usage: velatrix-analyze ITEM INPUT"));
}

} // namespace
