#include "GifWriter.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<QImage> decode(QByteArray bytes, int* loop = nullptr,
                           std::vector<int>* delays = nullptr) {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "gif");
    std::vector<QImage> frames;
    if (loop)
        *loop = reader.loopCount();
    QImage frame;
    while (reader.read(&frame)) {
        frames.push_back(frame.convertToFormat(QImage::Format_RGB32));
        if (delays)
            delays->push_back(reader.nextImageDelay());
    }
    return frames;
}

// Counts pixels that differ; a lossless round trip has none.
int differing(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    return n;
}

// Noise in 200 colours fills the code table many times over, so the table
// resets and every code width are exercised; with fewer than 256 colours the
// round trip must be exact.
TEST(GifWriter, NoisyPictureRoundTripsExactly) {
    std::vector<QRgb> colours;
    for (int i = 0; i < 200; ++i)
        colours.push_back(qRgb((i * 4) % 256, (i * 36) % 256, (i * 92) % 256));
    QImage img(257, 131, QImage::Format_RGB32);
    uint32_t state = 12345;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            state = state * 1664525u + 1013904223u;
            // Runs of repeats mixed with noise, as real pictures have both.
            const int pick = (state >> 24) < 64 ? 0 : int((state >> 8) % colours.size());
            img.setPixel(x, y, colours[pick]);
        }
    const std::vector<QImage> frames = decode(GifWriter::encode({{img, 10}}, colours[0]));
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(differing(frames[0], img), 0);
}

// Later frames store only what changed; an unchanged frame still keeps its
// delay. A reader that composes the frames must get every frame back whole.
TEST(GifWriter, AnimationFramesComposeBackToTheOriginals) {
    auto frameWithSquare = [](int x) {
        QImage img(120, 80, QImage::Format_RGB32);
        img.fill(qRgb(244, 244, 244));
        QPainter p(&img);
        p.fillRect(QRect(x, 20, 30, 30), QColor(246, 109, 141));
        p.fillRect(QRect(0, 70, 120, 10), QColor(80, 80, 80));
        return img;
    };
    const QList<GifWriter::Frame> input{
        {frameWithSquare(10), 5}, {frameWithSquare(60), 7}, {frameWithSquare(60), 3}};
    int loop = 0;
    std::vector<int> delays;
    const std::vector<QImage> frames =
        decode(GifWriter::encode(input, qRgb(244, 244, 244)), &loop, &delays);
    ASSERT_EQ(frames.size(), 3u);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(differing(frames[i], input[i].image), 0) << "frame " << i;
    EXPECT_EQ(delays, (std::vector<int>{50, 70, 30}));
    EXPECT_EQ(loop, -1); // forever
}

TEST(GifWriter, RefusesFramesOfDifferentSizes) {
    QImage a(10, 10, QImage::Format_RGB32);
    QImage b(11, 10, QImage::Format_RGB32);
    a.fill(Qt::white);
    b.fill(Qt::white);
    EXPECT_TRUE(GifWriter::encode({{a, 5}, {b, 5}}, qRgb(255, 255, 255)).isEmpty());
    EXPECT_TRUE(GifWriter::encode({}, qRgb(255, 255, 255)).isEmpty());
}

} // namespace
