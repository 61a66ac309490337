#pragma once

#include "tools/Upgrader/accesstable.h"

#include "store/catalogue.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace store {
class Database;
}

namespace upgrader {

// How a table of the previous release's database maps onto the new one: the
// old table's name and, per column, the old name and the new name.
struct TableMapping
{
    store::sql::Table table;
    QString oldName;
    QStringList oldColumns;
    QStringList newColumns;
};

// The six tables in the order they are converted.
const QList<TableMapping> &tableMappings();

// Reads the six tables of the old database (in the order of tableMappings()).
// A file that is no Access database, a missing table or column fails, with
// *error naming the file, the table or the column.
bool readOldDatabase(const QString &path, QList<AccessTable> *tables, QString *error);

// The rows each of the six tables of the new database holds, in the same order.
bool countRows(store::Database &db, QList<int> *counts, QString *error);

// Copies the old tables into the new database in one transaction; replace
// first empties the six tables.  On any failure nothing is changed and *error
// names the table and the row.
bool convertTables(store::Database &db, const QList<AccessTable> &tables, bool replace, QString *error);

} // namespace upgrader
