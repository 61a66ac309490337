#pragma once

#include <QTime>
#include <QVariant>

// Times of day of reservations.  They are stored as text "HH:MM:SS" and are
// compared with the clock as "hhnn" texts (minute checks) or as "hhnnss" read
// as an integer (07:30:00 → 73000).
namespace store {

// "0730" of 07:30:xx.
QString hhnn(const QTime &time);
// 73000 of 07:30:00.
int hhnnss(const QTime &time);
// "07:30:00", the stored form.
QString timeText(const QTime &time);

// A stored or entered time: "H:MM", "HH:MM:SS", or a date and time
// ("1899-12-30 07:30:00", "1899-12-30T07:30:00"); a QTime or QDateTime variant
// is taken as is.  Invalid when it is none of these.
QTime parseTime(const QVariant &value);

// The first minute of a day ("0000") and the last ("2359") mark reservations
// that run over midnight.
inline constexpr char DayStartHhnn[] = "0000";
inline constexpr char DayEndHhnn[] = "2359";

} // namespace store
