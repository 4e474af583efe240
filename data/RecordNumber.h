#pragma once

#include <QDateTime>
#include <QString>

// Member and product numbers: the local date and time of creation with
// milliseconds, "%2d%02d%02d%02d%02d%02d%02d" (year, month, day, hour, minute,
// second, millisecond), so 16 or 17 digits.
//
// The clock alone repeats itself: two saves within one millisecond, or a clock
// set back (daylight saving ends), would hand out a number again, and the
// unique index on members would then refuse the second member. next() therefore
// never issues a stamp at or before the last one it issued; it moves on by one
// millisecond instead, which keeps the numbers in the stored format.
//
// Threading: next() may be called from any thread (guarded by a mutex).
class RecordNumber {
public:
    static QString format(const QDateTime& stamp);

    // The stamp to issue at `now` when `last` was issued before (invalid: none).
    // Both are wall-clock times: they are compared by their date and time
    // fields, as the number shows them, not as instants.
    static QDateTime nextStamp(const QDateTime& now, const QDateTime& last);

    // A number never issued before by this process.
    static QString next();
};
