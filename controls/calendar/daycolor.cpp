#include "calendar/daycolor.h"

#include "calendar/holidayengine.h"
#include "calendar/oledate.h"

namespace calendar {

DayColorRole dayColorRole(const HolidayEngine &holidays, const QDate &day, const QDate &today,
                          bool enableTodayColor)
{
    if (enableTodayColor && day == today)
        return DayColorRole::Today;
    if (holidays.isLegalHoliday(day))
        return DayColorRole::Holiday;
    if (holidays.isSpecialHoliday(day))
        return DayColorRole::SpecialHoliday;
    switch (weekdayNumber(day)) {
    case 1:
        return DayColorRole::Sunday;
    case 7:
        return DayColorRole::Saturday;
    default:
        return DayColorRole::Weekday;
    }
}

} // namespace calendar
