#pragma once

#include <QDate>
#include <QString>

namespace store {

class Database;

// The day the day tables were last rolled for.  The runner records it in the
// database header's user_version (yyyymmdd as a number, 0 = none) inside the
// transaction that rolls the tables, so the record and the tables always
// agree; a console reads it to notice that the tables it shows were rolled
// after it loaded them.
namespace rolledday {

// The record's number for a day (yyyymmdd) and back; 0 and an invalid date
// stand for "no record".
int stampOf(const QDate &day);
QDate dayOfStamp(qint64 stamp);

// Reads the record through an open connection; *day is invalid when there
// is none.  False (and *error) when the database cannot be read.
bool read(Database &db, QDate *day, QString *error = nullptr);

} // namespace rolledday
} // namespace store
