#pragma once

#include "tools/Upgrader/accesstable.h"

#include <QString>
#include <QStringList>

#include <memory>

namespace upgrader {

// An Access database (.mdb of JET3/JET4, .accdb as far as mdbtools reads it)
// opened for reading with mdbtools' libmdb.
class AccessDatabase
{
public:
    enum class Result { Ok, NoTable, NoColumn, BadColumnType, Unreadable };

    AccessDatabase();
    ~AccessDatabase();
    AccessDatabase(const AccessDatabase &) = delete;
    AccessDatabase &operator=(const AccessDatabase &) = delete;

    // False (and *error) when the file is missing or no Access database.
    bool open(const QString &path, QString *error);
    void close();

    // The user tables.
    QStringList tableNames() const;

    // Reads the named columns of a table (names compare without regard to
    // case, as the engine does).  *culprit names the missing column or the
    // column of an unsupported type.
    Result readTable(const QString &table, const QStringList &columns, AccessTable *out, QString *culprit);

private:
    struct Handle; // libmdb's handle (a type its header does not let us name ahead)
    std::unique_ptr<Handle> m_handle;
};

} // namespace upgrader
