#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace tickface {

// Date and time texts from the Windows-style format pictures the clock's
// DateFormat and TimeFormat hold, with names from a locale.
//
// Date pictures: d, dd (day), ddd, dddd (day name), M, MM (month), MMM, MMMM
// (month name), y, yy, yyyy (year), g, gg (era); time pictures: h, hh
// (12-hour), H, HH (24-hour), m, mm, s, ss, t, tt (AM/PM mark).  Text in
// single quotes is copied ('' is one quote); every other character is copied.
//
// The clock's own defaults are written in capitals ("YY:MM:DD", "HH:MM:SS"),
// so a date picture also reads Y and D as y and d, and a time picture reads M,
// S and T as m, s and t (H stays the 24-hour hour).
QString formatDatePicture(const QDateTime &t, const QString &picture, const QLocale &locale);
QString formatTimePicture(const QDateTime &t, const QString &picture, const QLocale &locale);

// The clock answers at most this many characters.
inline constexpr int MaxFormattedLength = 127;

// The locale the clock formats with unless its host says otherwise.
QLocale defaultClockLocale();

} // namespace tickface
