#pragma once

#include <QDateTime>
#include <QString>

namespace tickface {

// The shift that a DifferenceTime text asks for, in seconds.  Only a text of
// exactly six characters (the length of "+00:00") counts: its first three
// characters are a signed number of hours, its first character with the
// fifth and sixth a signed number of minutes ("+09:00" → 9 h, "-05:30" →
// −5 h 30 min).  Anything else shifts nothing.
qint64 differenceSeconds(const QString &differenceTime);

// The time a running clock shows at the moment `now`: the local wall time
// (`gmt` false) or the UTC wall time (`gmt` true), shifted by the difference,
// truncated to whole seconds, as a plain time.
QDateTime runningClockTime(const QDateTime &now, bool gmt, const QString &differenceTime);

// The clock keeps shown times as plain wall times: the date and time as
// read, held in UTC so that no daylight-saving rule of the machine's zone
// shifts them when seconds are added.
QDateTime plainTime(const QDate &date, const QTime &time);
// The wall time of a date-time as a plain time, milliseconds dropped.
QDateTime wholeSeconds(const QDateTime &t);

} // namespace tickface
