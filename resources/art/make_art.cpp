// Draws the interface pictures at build time.
//
//   velatrix_make_art <output folder> <relative path>...
//
// Each relative path names one picture by where it lives ("PNG/413.png",
// "BITMAP/365.bmp", "GIF/362.gif", "icons/main_bk.bmp",
// "PreSetting/image/type1.jpg", ...); the build lists the paths it wants and
// this program draws exactly those, failing on any it does not know, so the
// build's list and the drawings cannot drift apart unnoticed.

#include "AnimationArt.h"
#include "BitmapArt.h"
#include "ButtonArt.h"
#include "PhotoArt.h"
#include "ScreenArt.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QSaveFile>

#include <cstdio>
#include <optional>

namespace {

struct Picture {
    QImage image;
    QByteArray bytes; // already encoded (GIF)
};

std::optional<Picture> draw(const QString& path) {
    static const QRegularExpression numbered(QStringLiteral("^(PNG|BITMAP|GIF)/(\\d+)\\.\\w+$"));
    const QRegularExpressionMatch m = numbered.match(path);
    if (m.hasMatch()) {
        const QString type = m.captured(1);
        const int id = m.captured(2).toInt();
        if (type == QLatin1String("PNG") && !art::buttonPicture(id).isNull())
            return Picture{art::buttonPicture(id), {}};
        if (type == QLatin1String("BITMAP") && !art::bitmapPicture(id).isNull())
            return Picture{art::bitmapPicture(id), {}};
        if (type == QLatin1String("GIF") && id == 346)
            return Picture{{}, art::waitingForCameraGif()};
        if (type == QLatin1String("GIF") && id == 362)
            return Picture{{}, art::analysingGif()};
        return std::nullopt;
    }
    const QFileInfo info(path);
    const QString folder = info.path();
    const QString stem = info.completeBaseName();
    if (folder == QLatin1String("icons")) {
        if (info.suffix() == QLatin1String("png"))
            return Picture{art::tipIcon(stem), {}};
        const QImage bk = art::screenBackground(stem);
        if (!bk.isNull())
            return Picture{bk, {}};
        return std::nullopt;
    }
    if (folder == QLatin1String("PreSetting/image")) {
        static const QRegularExpression slot(QStringLiteral("^(type|singleface)(\\d)$"));
        const QRegularExpressionMatch s = slot.match(stem);
        if (s.hasMatch()) {
            const int n = s.captured(2).toInt();
            if (s.captured(1) == QLatin1String("type") && n >= 1 && n <= 6)
                return Picture{art::capturePlaceholder(n), {}};
            if (s.captured(1) == QLatin1String("singleface") && n >= 1 && n <= 3)
                return Picture{art::singleAreaPlaceholder(n), {}};
            return std::nullopt;
        }
        static const QStringList references{"fs", "yf", "xw", "sb", "gzd", "hxs", "mgd", "mk"};
        if (references.contains(stem))
            return Picture{art::referencePicture(stem), {}};
        return std::nullopt;
    }
    if (path == QLatin1String("PreSetting/member_image/default.bmp"))
        return Picture{art::defaultMemberPicture(), {}};
    if (path == QLatin1String("PreSetting/product_image/nopicture.bmp"))
        return Picture{art::missingProductPicture(), {}};
    if (path == QLatin1String("standard/photo/women.bmp"))
        return Picture{art::standardMemberPhoto(), {}};
    return std::nullopt;
}

bool write(const Picture& picture, const QString& file) {
    if (!QDir().mkpath(QFileInfo(file).path()))
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    if (!picture.bytes.isEmpty()) {
        out.write(picture.bytes);
        return out.commit();
    }
    const QString suffix = QFileInfo(file).suffix().toLower();
    bool ok = false;
    if (suffix == QLatin1String("png")) {
        ok = picture.image.save(&out, "PNG");
    } else if (suffix == QLatin1String("jpg")) {
        ok = picture.image.convertToFormat(QImage::Format_RGB32).save(&out, "JPG", 92);
    } else if (suffix == QLatin1String("bmp")) {
        // Bitmaps are opaque 24-bit files, the form every reader takes.
        ok = picture.image.convertToFormat(QImage::Format_RGB888).save(&out, "BMP");
    }
    return ok && out.commit();
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3) {
        std::fprintf(stderr, "usage: velatrix_make_art <output folder> <relative path>...\n");
        return 2;
    }
    const QDir root(args.at(1));
    int failures = 0;
    for (int i = 2; i < args.size(); ++i) {
        const QString rel = args.at(i);
        const std::optional<Picture> picture = draw(rel);
        if (!picture) {
            std::fprintf(stderr, "velatrix_make_art: no drawing for %s\n", qPrintable(rel));
            ++failures;
            continue;
        }
        if (!write(*picture, root.filePath(rel))) {
            std::fprintf(stderr, "velatrix_make_art: cannot write %s\n",
                         qPrintable(root.filePath(rel)));
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
