#pragma once

#include <QString>
#include <QStringList>

namespace store {

// The text of store/schema.sql (built into the library as a resource).
QString schemaText();
// Its statements, one per entry, comments dropped.
QStringList schemaStatements();

// Creates a new database file with the six tables.  Refuses an existing file;
// on failure the half-made file is removed.  Only the set-up tools create
// databases; the programs never do.
bool createDatabase(const QString &path, QString *error = nullptr);

} // namespace store
