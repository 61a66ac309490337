#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <optional>

// Day codes of the weekly master: 1..7 = Sunday..Saturday, 8..11 = the
// special days "特日１".."特日４" marked by a day memo.
namespace store {

inline constexpr int FirstDayCode = 1;
inline constexpr int LastWeekdayCode = 7;
inline constexpr int FirstSpecialDayCode = 8;
inline constexpr int LastDayCode = 11;

// Weekday code of a date, Sunday = 1.
int weekdayCode(const QDate &date);

// The day code of a date given its day memo: an empty memo gives the weekday,
// "特日１".."特日４" (full-width digits, surrounding blanks ignored) give 8..11.
// Any other memo gives no code (std::nullopt); the caller decides what to do.
std::optional<int> dayCode(const QDate &date, const QString &memo);

// Code of a special-day memo, 8..11, or nothing.
std::optional<int> specialDayCode(const QString &memo);

// "日曜日".."土曜日", "特日１".."特日４"; empty for a code outside 1..11.
QString dayName(int code);
// The eleven names in code order.
QStringList dayNames();

} // namespace store
