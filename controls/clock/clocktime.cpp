#include "clock/clocktime.h"

namespace tickface {
namespace {

// Reads a signed number the way the old runtime's string-to-integer call
// does: an optional sign (or a blank), then digits; reading stops at the
// first other character.  No digits read as 0.
int leadingNumber(const QString &text)
{
    int i = 0;
    int sign = 1;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-') || text[i] == QLatin1Char(' '))) {
        if (text[i] == QLatin1Char('-'))
            sign = -1;
        ++i;
    }
    int value = 0;
    for (; i < text.size() && text[i].isDigit() && text[i].unicode() < 128; ++i)
        value = value * 10 + text[i].digitValue();
    return sign * value;
}

} // namespace

qint64 differenceSeconds(const QString &differenceTime)
{
    if (differenceTime.size() != 6)
        return 0;
    const int hours = leadingNumber(differenceTime.left(3));
    const int minutes = leadingNumber(differenceTime.left(1) + differenceTime.mid(4, 2));
    return qint64(hours) * 3600 + qint64(minutes) * 60;
}

QDateTime plainTime(const QDate &date, const QTime &time)
{
    return QDateTime(date, time, Qt::UTC);
}

QDateTime wholeSeconds(const QDateTime &t)
{
    const QTime tm = t.time();
    return plainTime(t.date(), QTime(tm.hour(), tm.minute(), tm.second()));
}

QDateTime runningClockTime(const QDateTime &now, bool gmt, const QString &differenceTime)
{
    const QDateTime wall = gmt ? now.toUTC() : now.toLocalTime();
    // Drop the zone: from here on the value is only a wall time to show.
    return wholeSeconds(wall).addSecs(differenceSeconds(differenceTime));
}

} // namespace tickface
