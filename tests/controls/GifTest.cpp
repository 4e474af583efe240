#include "CPictureEx.h"
#include "FixtureResources.h"
#include "GifDecoder.h"
#include "GifWriter.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace {

const QList<QRgb> kPalette{qRgb(255, 255, 255), qRgb(255, 0, 0), qRgb(0, 160, 0), qRgb(0, 0, 255),
                           qRgb(10, 20, 30)};
constexpr int kRed = 1, kGreen = 2, kBlue = 3, kBackground = 4;

GifWriter::Frame solid(QRect rect, int index, int delay, int disposal) {
    GifWriter::Frame f;
    f.rect = rect;
    f.fillIndex = quint8(index);
    f.delay = delay;
    f.disposal = disposal;
    return f;
}

// Four frames on a 20 x 20 screen: a blue base; a red square restored to what was
// under it (disposal 3); a green square cleared to the background (disposal 2);
// a red square that stays.
QByteArray disposalGif() {
    return GifWriter::write(
        QSize(20, 20), kPalette, kBackground,
        {solid(QRect(0, 0, 20, 20), kBlue, 3, 1), solid(QRect(0, 0, 10, 10), kRed, 10, 3),
         solid(QRect(10, 10, 10, 10), kGreen, 50, 2), solid(QRect(0, 10, 5, 5), kRed, 0, 0)});
}

TEST(GifDecoder, FrameDelayRule) {
    const struct {
        int delay, ms;
    } cases[] = {{0, 100}, {3, 100}, {4, 100}, {5, 50}, {10, 100}, {50, 500}};
    for (const auto& c : cases)
        EXPECT_EQ(GifDecoder::frameDelayMs(c.delay), c.ms) << c.delay;
}

TEST(GifDecoder, ReadsFramesPositionsDelaysDisposalAndBackground) {
    const GifDecoder::Animation a = GifDecoder::decode(disposalGif());
    EXPECT_EQ(a.logicalSize, QSize(20, 20));
    EXPECT_EQ(a.background, QColor(10, 20, 30));
    ASSERT_EQ(a.frames.size(), 4);
    EXPECT_EQ(a.frames[1].position, QPoint(0, 0));
    EXPECT_EQ(a.frames[2].position, QPoint(10, 10));
    EXPECT_EQ(a.frames[2].image.size(), QSize(10, 10));
    EXPECT_EQ(a.frames[2].image.pixel(5, 5), qRgb(0, 160, 0));
    EXPECT_EQ(a.frames[1].disposal, 3);
    EXPECT_EQ(a.frames[2].disposal, 2);
    EXPECT_EQ(a.frames[2].delay, 50);
}

// A few hundred bytes: frames that each claim 4000 x 4000 pixels with almost
// no picture data. Decoded whole they would take gigabytes.
QByteArray hugeFramesGif(int frames) {
    QByteArray gif("GIF89a");
    const auto u16 = [&gif](int v) {
        gif += char(v & 0xff);
        gif += char((v >> 8) & 0xff);
    };
    u16(4000);
    u16(4000);
    gif += char(0x80); // a global palette of two colours
    gif += char(0);
    gif += char(0);
    gif += QByteArray("\xff\xff\xff\x00\x00\x00", 6);
    for (int i = 0; i < frames; ++i) {
        gif += QByteArray("\x21\xF9\x04\x00\x0A\x00\x00\x00", 8);
        gif += char(0x2C);
        u16(0);
        u16(0);
        u16(4000);
        u16(4000);
        gif += char(0);
        gif += QByteArray("\x02\x02\x4C\x01\x00", 5);
    }
    gif += ';';
    return gif;
}

TEST(GifDecoder, TinyFileNeverHoldsMoreThanTheBudget) {
    const QByteArray gif = hugeFramesGif(40);
    ASSERT_LT(gif.size(), 1000);
    const GifDecoder::Animation a = GifDecoder::decode(gif);
    qint64 held = qint64(a.still.sizeInBytes());
    for (const GifDecoder::Frame& f : a.frames)
        held += f.image.sizeInBytes();
    EXPECT_LE(held, GifDecoder::kMaxDecodedBytes);
}

TEST(GifDecoder, DamagedOrForeignDataNeverCrashes) {
    const QByteArray gif = disposalGif();
    for (qsizetype cut :
         {qsizetype(3), qsizetype(13), qsizetype(400), gif.size() / 2, gif.size() - 2})
        GifDecoder::decode(gif.left(cut)); // reads what it can
    EXPECT_TRUE(GifDecoder::decode(QByteArray("not a picture")).isNull());

    QImage still(8, 6, QImage::Format_RGB32);
    still.fill(Qt::red);
    QByteArray png;
    QBuffer buffer(&png);
    still.save(&buffer, "PNG");
    const GifDecoder::Animation a = GifDecoder::decode(png);
    EXPECT_FALSE(a.isAnimated());
    EXPECT_EQ(a.logicalSize, QSize(8, 6));
}

TEST(PictureEx, PlaysFramesWithTheirDelaysAndUndoesThemByDisposal) {
    FixtureResources resources;
    resources.addData(362, "GIF", disposalGif());
    QWidget parent;
    CPictureEx picture(&parent);
    picture.move(170, 60);
    ASSERT_TRUE(picture.Load(362, "GIF"));
    EXPECT_EQ(picture.geometry(), QRect(170, 60, 20, 20)) << "sized to the GIF, same place";
    ASSERT_TRUE(picture.Draw());
    const QImage& off = picture.offscreen();
    auto at = [&](int x, int y) { return QColor(off.pixel(x, y)); };

    EXPECT_TRUE(picture.isPlaying());
    EXPECT_EQ(picture.currentDelayMs(), 100); // delay 3
    EXPECT_EQ(at(15, 15), QColor(Qt::blue));

    picture.advance();
    EXPECT_EQ(picture.currentDelayMs(), 100); // delay 10
    EXPECT_EQ(at(2, 2), QColor(Qt::red));

    picture.advance();
    EXPECT_EQ(picture.currentDelayMs(), 500); // delay 50
    EXPECT_EQ(at(2, 2), QColor(Qt::blue)) << "disposal 3 restores what was under the frame";
    EXPECT_EQ(at(15, 15), QColor(0, 160, 0));

    picture.advance();
    EXPECT_EQ(at(15, 15), QColor(10, 20, 30)) << "disposal 2 clears to the background";
    EXPECT_EQ(at(2, 12), QColor(Qt::red));

    picture.advance();
    EXPECT_EQ(picture.currentFrame(), 0);
    EXPECT_EQ(at(2, 12), QColor(Qt::blue)) << "a new round starts from a cleared image";

    picture.Stop();
    EXPECT_FALSE(picture.isPlaying());
    EXPECT_EQ(picture.currentDelayMs(), 0);
}

TEST(PictureEx, MissingOrCorruptResourceLeavesTheControlEmpty) {
    FixtureResources resources;
    resources.addData(346, "GIF", QByteArray("GIF89a\x10\x00", 8));
    CPictureEx picture;
    EXPECT_FALSE(picture.Load(362, "GIF"));
    EXPECT_FALSE(picture.Load(346, "GIF"));
    EXPECT_FALSE(picture.Draw());
    EXPECT_FALSE(picture.isPlaying());
}

} // namespace
