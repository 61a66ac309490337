#pragma once

#include <QDateTime>

namespace calendar {

// The moment of the March or September equinox of a year, in Japanese time
// (UTC + 9 h, as a local date and time), from the mean equinox polynomial
// and the periodic terms of the classic astronomical algorithm (within about
// a minute for the years 1000 to 3000).
QDateTime equinoxMoment(int year, bool september);

// The equinox day of `year` relative to a base moment: the base moment fixes
// how far the calendar's equinox lies from the computed one (normally
// nothing), and that same distance is applied in every year.  So the default
// base moments give the official days, and moving a base moment moves every
// year's day with it.
QDate equinoxDay(const QDateTime &base, int year, bool september);

} // namespace calendar
