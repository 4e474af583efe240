#include "ScreenChrome.h"
#include "CTessalyApp.h"
#include "TempProgramFolder.h"

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class SkinnedScreen : public QWidget {
public:
    explicit SkinnedScreen(QString fileName) : m_fileName(std::move(fileName)) { resize(40, 30); }

protected:
    void paintEvent(QPaintEvent*) override { ScreenChrome::paintSkin(*this, m_fileName); }

private:
    QString m_fileName;
};

QByteArray bmpOf(QColor colour) {
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// A skin picture is read once: painting again after the file is gone (or
// replaced) still shows the picture first read, so no paint touches the disk.
TEST(ScreenChrome, SkinIsReadOnceAndPaintedFromMemory) {
    TempProgramFolder dir;
    dir.write("icons/chrome_bk.bmp", bmpOf(Qt::red));
    CTessalyApp app(dir.path());
    SkinnedScreen screen(QStringLiteral("chrome_bk.bmp"));

    EXPECT_EQ(screen.grab().toImage().pixel(20, 15), qRgb(255, 0, 0));
    ASSERT_TRUE(QFile::remove(dir.file("icons/chrome_bk.bmp")));
    EXPECT_EQ(screen.grab().toImage().pixel(20, 15), qRgb(255, 0, 0));
    EXPECT_FALSE(ScreenChrome::skin(QStringLiteral("chrome_bk.bmp")).isNull());

    // A missing picture paints nothing and stays missing without an error.
    SkinnedScreen bare(QStringLiteral("absent_bk.bmp"));
    const QImage painted = bare.grab().toImage();
    EXPECT_NE(painted.pixel(20, 15), qRgb(255, 0, 0));
    EXPECT_TRUE(ScreenChrome::skin(QStringLiteral("absent_bk.bmp")).isNull());
}

} // namespace
