#include "calendar/monthgrid.h"

#include "calendar/oledate.h"

namespace calendar::monthgrid {

QDate firstCell(const QDate &displayedMonth)
{
    const QDate first(displayedMonth.year(), displayedMonth.month(), 1);
    const int back = weekdayNumber(first) - 1; // days since Sunday
    return first.addDays(back == 0 ? -7 : -back);
}

QDate dateForCell(const QDate &displayedMonth, int row, int column)
{
    if (row < 0 || row >= Rows || column < 0 || column >= Columns)
        return {};
    return firstCell(displayedMonth).addDays(7 * row + column);
}

bool cellForDate(const QDate &displayedMonth, const QDate &date, int *row, int *column)
{
    const qint64 n = firstCell(displayedMonth).daysTo(date);
    if (!date.isValid() || n < 0 || n >= Rows * Columns)
        return false;
    *row = int(n / Columns);
    *column = int(n % Columns);
    return true;
}

int monthOffset(const QDate &displayedMonth, const QDate &date)
{
    const int a = displayedMonth.year() * 12 + displayedMonth.month();
    const int b = date.year() * 12 + date.month();
    return b < a ? -1 : b > a ? 1 : 0;
}

} // namespace calendar::monthgrid
