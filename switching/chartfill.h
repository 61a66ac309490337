#pragma once

#include "switching/grouprows.h"

#include <QString>
#include <QTime>

#include <functional>

namespace chart {
class ChartModel;
}
namespace store {
class Database;
class Recordset;
} // namespace store

// Filling a day's time chart from the database, as the runner's chart and
// the console's day charts are filled: one row per group, one piece per
// reservation.  The colours and texts of the pieces are the caller's.
namespace switching {

// Clears the chart and the row map, then adds one row per group of `groups`
// (columns GPno and GPname), in their order; the row map follows.  A group
// numbered outside 1..501 could be drawn nowhere: it gets no row, and
// `refused` (when given) hears of it.
void addGroupRows(chart::ChartModel &chart, GroupRows &rows, store::Recordset &groups,
                  const std::function<void(int gpno, const QString &name)> &refused = {});

// A piece just added: its row and number, its times, and whether its group
// is valid.
struct NewPiece
{
    short row = -1;
    short number = 0;
    QTime start;
    QTime end;
    bool valid = false;
};

// Adds one piece per reservation of `query` (columns GPno, YukoFlg,
// StartTime and EndTime, ordered by group, then start), numbered from 1 per
// group in that order, and hands each to `paint`.  The rows are read forward
// only, straight from the query: a chart holds tens of thousands.  A
// reservation of a group without a row, or one whose times cannot be read,
// adds no piece.  False (*error set) when the database refuses the query.
bool addReservationPieces(chart::ChartModel &chart, const GroupRows &rows, store::Database &db, const QString &query,
                          const std::function<void(const NewPiece &)> &paint, QString *error = nullptr);

} // namespace switching
