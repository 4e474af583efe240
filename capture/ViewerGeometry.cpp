#include "ViewerGeometry.h"

#include <QDateTime>

#include <algorithm>

int ViewerGeometry::zoomAfter(int level, int steps) {
    return std::clamp(level + steps, kMinZoom, kMaxZoom);
}

QSize ViewerGeometry::windowSize(int level) {
    const int tenths = 10 + std::clamp(level, kMinZoom, kMaxZoom);
    return {kBaseSize.width() * tenths / 10, kBaseSize.height() * tenths / 10};
}

QRect ViewerGeometry::centredOn(const QRect& screen, const QSize& size) {
    const QPoint topLeft(screen.left() + (screen.width() - size.width()) / 2,
                         screen.top() + (screen.height() - size.height()) / 2);
    return {topLeft, size};
}

QRect ViewerGeometry::closeButton(const QSize& client) {
    return {client.width() - 40, 2, kCloseSize, kCloseSize};
}

QString ViewerGeometry::proposedJpegName(const QDateTime& when) {
    const QDate d = when.date();
    const QTime t = when.time();
    return QString::asprintf("%d%02d%02d%02d%02d%02d.jpg", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second());
}

QString ViewerGeometry::jpegPath(const QString& chosen) {
    if (chosen.endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive))
        return chosen;
    return chosen + QLatin1String(".jpg");
}
