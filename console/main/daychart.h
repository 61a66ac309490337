#pragma once

#include "console/main/piececolours.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace chart {
class ChartModel;
}
namespace store {
class Database;
}

namespace switching {
class GroupRows;
}

namespace console {

// Which reservations a day chart shows for a date: today's table, tomorrow's
// table, or the weekly master of the date's day code (a later or an earlier
// date).  Dates compare as calendar days.
piececolour::DayClass dayClassOf(const QDate &date, const QDate &today);

// Fills a day chart for a date, without hiding or showing the control:
// clears it, adds one row per group in name order (GroupMaster ORDER BY
// gpname, deleted groups included; a group numbered outside 1..501 gets no
// row), then one piece per reservation, numbered from 1 per group in start
// order.  Valid groups' pieces are coloured by state and carry their number
// as text; pieces of a group that is not valid are white with the text "無効".
//
// Today and tomorrow come from TodayTable and NextdayTable; any other date
// from the weekly master of its day code, taken from the date's day memo
// (empty: the weekday; "特日１".."特日４": 8..11; any other memo: no pieces).
// False (error set, the chart possibly part-filled) when the database
// refuses a query.
bool loadDayChart(chart::ChartModel &chart, switching::GroupRows &rows, store::Database &db, const QDate &date,
                  const QDateTime &now, const QString &memo, QString *error = nullptr);

} // namespace console
