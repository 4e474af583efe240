#include "RecordNumber.h"

#include <QMutex>
#include <QMutexLocker>

QString RecordNumber::format(const QDateTime& stamp) {
    const QDate d = stamp.date();
    const QTime t = stamp.time();
    return QString::asprintf("%2d%02d%02d%02d%02d%02d%02d", d.year(), d.month(), d.day(), t.hour(),
                             t.minute(), t.second(), t.msec());
}

namespace {

// The wall-clock fields alone, so that an hour repeated when daylight saving
// ends counts as earlier, as it reads in the number.
QDateTime wallClock(const QDateTime& t) {
    return QDateTime(t.date(), t.time(), Qt::UTC);
}

} // namespace

QDateTime RecordNumber::nextStamp(const QDateTime& now, const QDateTime& last) {
    const QDateTime wallNow = wallClock(now);
    if (last.isValid()) {
        const QDateTime wallLast = wallClock(last);
        if (wallNow <= wallLast)
            return wallLast.addMSecs(1);
    }
    return wallNow;
}

QString RecordNumber::next() {
    static QMutex mutex;
    static QDateTime last;
    QMutexLocker lock(&mutex);
    last = nextStamp(QDateTime::currentDateTime(), last);
    return format(last);
}
