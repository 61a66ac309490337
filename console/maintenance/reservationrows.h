#pragma once

#include "store/catalogue.h"

#include <QString>
#include <QTime>

namespace store {
class Database;
}

// The rows behind the pieces the operator edits.  A reservation is found by
// its group, (in the weekly master) its day code, and its start compared to
// the minute; piece numbers are not stored.  Values are bound, never pasted.
namespace console::reservationrows {

enum class Outcome {
    Written, // the row was added, changed or deleted
    NoRow,   // no row of that group, day and start minute: nothing written
    Failed,  // the database refused; nothing written
};

struct Result
{
    Outcome outcome = Outcome::Failed;
    int errorNumber = 0;
    QString error;
    bool ok() const { return outcome == Outcome::Written; }
};

// ---- The weekly master (Schedule) -----------------------------------------
Result addMaster(store::Database &db, int gpno, int dayCode, const QTime &start, const QTime &end);
// The first row of the group and day code starting in oldStart's minute gets
// the new times.
Result changeMaster(store::Database &db, int gpno, int dayCode, const QTime &oldStart, const QTime &start,
                    const QTime &end);
// The first row of the group and day code starting in start's minute goes.
Result deleteMaster(store::Database &db, int gpno, int dayCode, const QTime &start);

// ---- Today's and tomorrow's tables ----------------------------------------
Result addDay(store::Database &db, store::sql::Day day, int gpno, const QTime &start, const QTime &end);
// The first row of the group starting in oldStart's minute gets the new times.
Result changeDay(store::Database &db, store::sql::Day day, int gpno, const QTime &oldStart, const QTime &start,
                 const QTime &end);
// Every row of the group starting in start's minute goes.
Result deleteDay(store::Database &db, store::sql::Day day, int gpno, const QTime &start);

} // namespace console::reservationrows
