// The pictures the build lays into the program folder: present, readable,
// and the right kind. Only reads the folder.
#include "TempProgramFolder.h"

#include <QDir>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

namespace {

TEST(ProgramFolderPictures, EverySkinAndPlaceholderPictureIsShipped) {
    const QDir dir(TempProgramFolder::builtProgramFolder());
    QStringList files{"icons/home_bk.bmp",
                      "icons/main_bk.bmp",
                      "icons/compare_bk.bmp",
                      "icons/singlereport_bk.bmp",
                      "icons/report_bk.bmp",
                      "icons/settings_bk.bmp",
                      "icons/member_bk.bmp",
                      "icons/products_bk.bmp",
                      "icons/ok.png",
                      "icons/error.png",
                      "icons/info.png",
                      "PreSetting/member_image/default.bmp",
                      "PreSetting/product_image/nopicture.bmp",
                      "standard/photo/women.bmp"};
    for (int n = 1; n <= 6; ++n)
        files << QStringLiteral("PreSetting/image/type%1.jpg").arg(n);
    for (int n = 1; n <= 3; ++n)
        files << QStringLiteral("PreSetting/image/singleface%1.jpg").arg(n);
    for (const char* stem : {"fs", "yf", "xw", "sb", "gzd", "hxs", "mgd", "mk"})
        files << QStringLiteral("PreSetting/image/%1.jpg").arg(QLatin1String(stem));

    for (const QString& f : files) {
        QImageReader reader(dir.filePath(f));
        const QByteArray expected =
            f.section('.', -1).toLatin1() == "jpg" ? "jpeg" : f.section('.', -1).toLatin1();
        EXPECT_EQ(reader.format(), expected) << qPrintable(f);
        EXPECT_FALSE(reader.read().isNull()) << qPrintable(f);
    }
}

// The tip box is 52 px high and draws its icon at (8, 8) at natural size.
TEST(ProgramFolderPictures, TipIconsFitTheTipBox) {
    const QDir dir(TempProgramFolder::builtProgramFolder());
    for (const char* name : {"ok.png", "error.png", "info.png"}) {
        const QImage icon(dir.filePath(QStringLiteral("icons/") + QLatin1String(name)));
        ASSERT_FALSE(icon.isNull()) << name;
        EXPECT_LE(icon.height(), 52 - 16) << name;
        EXPECT_TRUE(icon.hasAlphaChannel()) << name;
    }
}

} // namespace
