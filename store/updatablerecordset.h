#pragma once

#include "store/recordset.h"

namespace store {

// A recordset whose rows can be changed, added and deleted, over a query of
// the form "SELECT * FROM <table> [WHERE ...] [ORDER BY ...]" (the forms the
// editors and tools open for updating).
//
// Rows are read at once like a snapshot; every change goes to the table at
// once (update() / deleteRow()) through statements with bound values, so no
// text value is ever pasted into SQL.  As with the original engine, a deleted
// row stays current until the next move, and moves skip deleted rows.
//
// Pending changes are never dropped by navigation: a move or find (and
// addNew()) with unsaved changes of the current row or a pending new row
// stores them first, as the original engine does.  When the table refuses
// them, the move does not happen: the row stays current with its changes
// pending and lastError() says why; cancelUpdate() drops them.
//
// Values are stored in the schema's forms: bool → -1/0, QTime (or the time of
// a QDateTime) → "HH:MM:SS".
class UpdatableRecordset : public Recordset
{
public:
    UpdatableRecordset() = default;

    // accessSql in the programs' dialect.  False when the query is not of the
    // form above or fails.
    bool open(const QSqlDatabase &db, const QString &accessSql, QString *error = nullptr);

    QString table() const { return m_table; }

    // Starts a new row (all columns empty) and makes it current; update()
    // stores it.  Pending changes are stored first; when that fails no new
    // row is started (isAdding() stays false).
    void addNew();
    // Sets a column of the current row (or of the new row); false for an
    // unknown column or when there is no current row.
    bool setField(const QString &name, const QVariant &value);
    // Stores the pending new row or the changed columns of the current row.
    bool update(QString *error = nullptr);
    // Drops a pending new row or unsaved changes.
    void cancelUpdate();
    // Deletes the current row from the table.
    bool deleteRow(QString *error = nullptr);

    bool isAdding() const { return m_adding; }
    bool isEditing() const { return !m_dirty.isEmpty(); }
    // Why the last update(), deleteRow() or saving move failed; empty after a success.
    QString lastError() const { return m_lastError; }

    // The form a value takes in the table (bool → -1/0, times → "HH:MM:SS").
    static QVariant toStored(const QVariant &value);

protected:
    bool leaveCurrentRow() override;

private:
    bool fail(const QString &why, QString *error);

    QSqlDatabase m_db;
    QString m_table;
    QVector<qint64> m_rowIds;
    QVector<QVariant> m_newRow;
    QVector<QVariant> m_savedRow; // the current row before its unsaved changes
    QList<int> m_dirty;           // columns changed since the last update()
    int m_editPos = -1;           // the row m_dirty and m_savedRow belong to
    QString m_lastError;
    bool m_adding = false;
    int m_posBeforeAdd = 0;
};

} // namespace store
