#pragma once

#include <QString>

// The programs keep their SQL in the dialect of the original database engine
// (see catalogue.h).  toSqlite() turns such a text into SQLite:
//   "DELETE * FROM"   → "DELETE FROM"
//   "DISTINCTROW"     → dropped
//   True / False      → -1 / 0 (as words outside quoted text)
//   [bracketed names] → kept (SQLite reads them as identifiers)
//   a trailing ";"    → dropped
// Quoted text ('...' with '' for a quote) is never changed.
namespace store {

QString toSqlite(const QString &accessSql);

} // namespace store
