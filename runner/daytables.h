#pragma once

#include "store/rolledday.h"

#include <QDate>
#include <QString>

#include <optional>

// The statements that rewrite the two day tables, each set run as one
// transaction: when any statement fails, everything is rolled back and both
// tables stay as they were, so a failure never leaves today empty.
//
// The day a roll was made for is recorded in the same transaction, in the
// database header's user_version (yyyymmdd as a number, 0 = none), so that
// the tables and the record of their roll are committed together or not at
// all: neither a settings file that cannot be written nor a crash between
// two writes can roll a day twice or skip one.  The record travels with the
// backups (VACUUM INTO keeps it) and needs no table of its own.
namespace runner::daytables {

enum class Result { Rolled, AlreadyDone, Failed };

// The day of the last roll recorded in the database; invalid when there is
// none.  False (and *error) when the database cannot be read.
bool recordedDay(const QString &databasePath, QDate *day, QString *error = nullptr);

// Records `day` as rolled when the database holds no record yet (the very
// first start, or a site whose record was kept only in Sch.ini); a record
// already there is kept.  False when it could not be written.
bool recordFirstDay(const QString &databasePath, const QDate &day, QString *error = nullptr);

// The day change for `today`: today := tomorrow, tomorrow := the weekly
// master of nextCode.  Without a code (a day memo that names no day)
// tomorrow is empty.  AlreadyDone, changing nothing, when the database
// records `today` as rolled already.
Result roll(const QString &databasePath, const QDate &today, std::optional<int> nextCode, QString *error = nullptr);

// Both days afresh from the weekly master (after the runner missed more than
// one midnight), as the console's rebuild of all groups does; recorded and
// refused like roll().
Result rebuild(const QString &databasePath, const QDate &today, std::optional<int> todayCode,
               std::optional<int> nextCode, QString *error = nullptr);

// The record's number for a day (yyyymmdd) and back.
using store::rolledday::dayOfStamp;
using store::rolledday::stampOf;

} // namespace runner::daytables
