#pragma once

#include <QPoint>
#include <QRect>
#include <QString>

#include <array>

class QDateTime;

// Where the comparison screen's pictures sit, which one a double-click hits,
// and the names of its saved screens.
//
// Threading: pure functions.
class ComparisonGeometry {
public:
    // The live area and the three compared pictures, in this order.
    enum Area { NoArea = -1, LiveArea = 0, Picture1 = 1, Picture2 = 2, Picture3 = 3 };
    using Areas = std::array<QRect, 4>;

    // The picture areas at the screen's own layout: live upper left, pictures
    // 1 upper right, 2 lower left, 3 lower right.
    static Areas pictureAreas();

    // The area holding `pos`, left and top inclusive, right and bottom
    // exclusive (QRect's own rule); NoArea outside all of them.
    static int hitTest(const Areas& areas, const QPoint& pos);

    // The 26 x 26 enlarge button on the lower right corner of a picture area.
    static QRect enlargeButton(const QRect& area);

    // "<name>_<title>_<yyyyMMddhhmmss>.bmp" after "%s_%s_%d%02d%02d%02d%02d%02d.bmp".
    // The member name and the title text pass through the safe-name rule, so
    // the file stays inside its folder whatever the operator typed; a guest's
    // empty name stays empty.
    static QString saveFileName(const QString& memberName, const QString& title,
                                const QDateTime& when);

    // "<member picture folder>/Comparison".
    static QString comparisonFolder(const QString& memberPictureFolder);
};
