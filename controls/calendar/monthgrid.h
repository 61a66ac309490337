#pragma once

#include <QDate>

// The calendar's six-week grid: 6 rows of 7 days, Sunday first.  The first
// cell is the Sunday before the first of the month; when the first is itself
// a Sunday the whole previous week fills the first row.
namespace calendar::monthgrid {

inline constexpr int Rows = 6;
inline constexpr int Columns = 7;

QDate firstCell(const QDate &displayedMonth);
QDate dateForCell(const QDate &displayedMonth, int row, int column);
// False when the date is not in the grid of that month.
bool cellForDate(const QDate &displayedMonth, const QDate &date, int *row, int *column);
// -1 previous month, 0 the displayed month, +1 next month.
int monthOffset(const QDate &displayedMonth, const QDate &date);

} // namespace calendar::monthgrid
