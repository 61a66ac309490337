#pragma once

#include <QDate>

namespace calendar {

class HolidayEngine;

// Which colour a day's number takes, by the first rule that applies.
enum class DayColorRole {
    Today,          // TodayTextColor on TodayBackColor (only with EnableTodayColor)
    Holiday,        // legal, substitute and citizens' holidays: SundayColor
    SpecialHoliday, // SpecialHolidayColor
    Sunday,         // SundayColor
    Saturday,       // SaturdayColor
    Weekday,        // WeekdayColor
};

DayColorRole dayColorRole(const HolidayEngine &holidays, const QDate &day, const QDate &today,
                          bool enableTodayColor);

} // namespace calendar
