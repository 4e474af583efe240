#include "VelatrixResources.h"

#include <QColor>
#include <QImage>
#include <QImageReader>
#include <QPainter>

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

QImage embedded(const char* type, int id) {
    const QString ext = QString::fromLatin1(type) == QLatin1String("PNG")      ? "png"
                        : QString::fromLatin1(type) == QLatin1String("BITMAP") ? "bmp"
                                                                               : "gif";
    return QImage(QStringLiteral(":/res/%1/%2.%3").arg(QLatin1String(type)).arg(id).arg(ext));
}

std::vector<int> pngIds() {
    std::vector<int> ids{242, 350, 351, 352, 366, 367, 425};
    for (auto [first, last] : {std::pair{377, 402}, {405, 408}, {411, 416}, {420, 423}})
        for (int id = first; id <= last; ++id)
            ids.push_back(id);
    return ids;
}

class EmbeddedPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { velatrixInitResources(); }
};

TEST_F(EmbeddedPictures, EveryIdTheScreensUseIsPresentAndDecodes) {
    for (int id : pngIds())
        EXPECT_FALSE(embedded("PNG", id).isNull()) << "PNG " << id;
    for (int id : {231, 298, 301, 302, 303, 304, 305, 306, 307, 364, 365, 424, 439})
        EXPECT_FALSE(embedded("BITMAP", id).isNull()) << "BITMAP " << id;
    for (int id : {346, 362})
        EXPECT_FALSE(embedded("GIF", id).isNull()) << "GIF " << id;
}

// Pictures whose size the layouts fix: drawn at that size, they are shown
// unscaled.
TEST_F(EmbeddedPictures, FixedSizePicturesHaveTheirScreenSize) {
    struct Case {
        const char* type;
        int id;
        QSize size;
    };
    const Case cases[] = {
        {"PNG", 242, {50, 50}},      {"PNG", 350, {38, 38}},       {"PNG", 351, {38, 38}},
        {"PNG", 366, {40, 40}},      {"PNG", 367, {40, 40}},       {"PNG", 425, {26, 26}},
        {"PNG", 405, {251, 344}},    {"PNG", 408, {251, 344}},     {"BITMAP", 364, {20, 22}},
        {"BITMAP", 365, {312, 228}}, {"BITMAP", 439, {1360, 760}}, {"BITMAP", 231, {658, 498}},
        {"GIF", 346, {400, 300}},    {"GIF", 362, {300, 300}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(embedded(c.type, c.id).size(), c.size) << c.type << " " << c.id;
}

TEST_F(EmbeddedPictures, FramePiecesAreSolidFrameColour) {
    for (int id : {301, 302, 303, 304, 305, 306, 307}) {
        const QImage img = embedded("BITMAP", id).convertToFormat(QImage::Format_RGB32);
        ASSERT_FALSE(img.isNull());
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_EQ(img.pixel(x, y), qRgb(247, 111, 137)) << id << " at " << x << "," << y;
    }
}

// The menu shows which page is open only through the second picture, so the
// two looks of every command must differ clearly, not by a shade.
TEST_F(EmbeddedPictures, MenuSelectedLookStandsApartFromNormal) {
    const std::pair<int, int> pairs[] = {{399, 393}, {377, 389}, {381, 394}, {383, 396},
                                         {385, 398}, {384, 397}, {382, 395}, {378, 390},
                                         {379, 391}, {400, 401}, {380, 392}};
    const QColor window(246, 109, 141); // what shows through the transparent corners
    for (auto [normal, selected] : pairs) {
        QImage a(220, 60, QImage::Format_RGB32);
        QImage b(220, 60, QImage::Format_RGB32);
        a.fill(window);
        b.fill(window);
        {
            QPainter pa(&a);
            pa.drawImage(0, 0, embedded("PNG", normal));
            QPainter pb(&b);
            pb.drawImage(0, 0, embedded("PNG", selected));
        }
        double diff = 0;
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 220; ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                diff += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                        std::abs(qBlue(p) - qBlue(q));
            }
        EXPECT_GT(diff / (220 * 60 * 3), 40.0) << normal << " / " << selected;
    }
}

TEST_F(EmbeddedPictures, AnimationsLoopWithPlayableDelays) {
    for (int id : {346, 362}) {
        QImageReader reader(QStringLiteral(":/res/GIF/%1.gif").arg(id));
        ASSERT_TRUE(reader.canRead()) << id;
        EXPECT_GT(reader.imageCount(), 8) << id;
        EXPECT_EQ(reader.loopCount(), -1) << id; // forever
        int frames = 0;
        QImage frame;
        while (reader.read(&frame)) {
            ++frames;
            EXPECT_GT(reader.nextImageDelay(), 40) << id << " frame " << frames;
        }
        EXPECT_EQ(frames, reader.imageCount()) << id;
    }
}

} // namespace
