#pragma once

#include <QDate>
#include <QString>

namespace calendar {

// A date formatted with a date-format picture ("yyyy" four-digit year, "M"
// month number, "ddd" abbreviated weekday name, "d" day number, text in
// single quotes kept) in the Japanese locale, as the calendar's captions,
// headings and day numbers are.
QString formatDatePicture(const QDate &date, const QString &picture);

} // namespace calendar
