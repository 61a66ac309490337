#pragma once

#include <QDate>
#include <QDateTime>

// Automation dates (days since 1899-12-30, fraction = time of day) as the
// calendar's members take and return them.
namespace calendar {

double toOleDate(const QDate &date);
double toOleDate(const QDateTime &moment);
// The calendar day of an automation date (its time of day dropped).
QDate oleDateDay(double oleDate);
QDateTime fromOleDate(double oleDate);

// Sunday = 1 .. Saturday = 7, the weekday numbering of the holiday rules.
int weekdayNumber(const QDate &date);

} // namespace calendar
