#include "ComparisonGeometry.h"

#include "SafeFileName.h"

#include <QDateTime>

namespace {

// A rectangle from its exclusive right and bottom edges.
QRect spanning(int left, int top, int right, int bottom) {
    return {left, top, right - left, bottom - top};
}

QString safePart(const QString& text) {
    return text.isEmpty() ? text : SafeFileName::fromName(text);
}

} // namespace

ComparisonGeometry::Areas ComparisonGeometry::pictureAreas() {
    // The live area shares its column with picture 2 and its row with picture 1.
    return {spanning(185, 150, 505, 340), spanning(615, 150, 938, 340),
            spanning(185, 390, 505, 582), spanning(615, 390, 938, 582)};
}

int ComparisonGeometry::hitTest(const Areas& areas, const QPoint& pos) {
    for (int i = 0; i < int(areas.size()); ++i) {
        if (areas[i].contains(pos))
            return i;
    }
    return NoArea;
}

QRect ComparisonGeometry::enlargeButton(const QRect& area) {
    constexpr int kSize = 26;
    return {area.left() + area.width() - kSize, area.top() + area.height() - kSize, kSize, kSize};
}

QString ComparisonGeometry::saveFileName(const QString& memberName, const QString& title,
                                         const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%s_%s_%d%02d%02d%02d%02d%02d.bmp",
                             safePart(memberName).toUtf8().constData(),
                             safePart(title).toUtf8().constData(), d.year(), d.month(), d.day(),
                             t.hour(), t.minute(), t.second());
}

QString ComparisonGeometry::comparisonFolder(const QString& memberPictureFolder) {
    QString folder = memberPictureFolder;
    while (folder.endsWith('/'))
        folder.chop(1);
    return folder + QLatin1String("/Comparison");
}
