#pragma once

#include <QSqlDatabase>
#include <QStringList>
#include <QTime>
#include <QVariant>
#include <QVector>

namespace store {

// A read-only snapshot of the rows of a query, read at once so that no query
// stays open on the connection (the runner closes its connection right after).
//
// Navigation follows the original engine's recordsets: a current row, bof()
// before the first and eof() after the last row (both when empty),
// moveFirst()/moveNext()/movePrevious()/moveLast(), recordCount(), field
// values by column name without regard to case, and find() of the next row
// matching "Column = 'text'" or "Column = number" from the current row on.
class Recordset
{
public:
    Recordset() = default;
    virtual ~Recordset() = default;
    Recordset(const Recordset &) = default;
    Recordset &operator=(const Recordset &) = default;
    Recordset(Recordset &&) = default;
    Recordset &operator=(Recordset &&) = default;

    // Runs a query (SQLite text) and reads all its rows.
    bool load(const QSqlDatabase &db, const QString &sqliteText, QString *error = nullptr);

    bool isOpen() const { return m_open; }
    void close();

    bool bof() const;
    bool eof() const;
    void moveFirst();
    void moveNext();
    void movePrevious();
    void moveLast();
    // Rows in the recordset (deleted rows of an updatable one not counted).
    int recordCount() const;
    // Zero-based position of the current row among all rows; -1 before the first.
    int position() const { return m_pos; }

    int fieldCount() const { return int(m_names.size()); }
    QString fieldName(int index) const;
    QStringList fieldNames() const { return m_names; }
    // Column index by name without regard to case (a "Table.Column" name also
    // matches by its column part); -1 when none.
    int fieldIndex(const QString &name) const;
    bool hasField(const QString &name) const { return fieldIndex(name) >= 0; }

    // Value of a column of the current row; invalid at bof/eof or for an unknown column.
    QVariant field(const QString &name) const;
    QVariant field(int index) const;
    // Typed readers: text (null → empty), integer (null → 0), yes/no (nonzero = true),
    // single-precision value, time of day (stored "HH:MM:SS").
    QString text(const QString &name) const;
    int integer(const QString &name) const;
    bool yes(const QString &name) const;
    float single(const QString &name) const;
    QTime time(const QString &name) const;

    // Moves to the next row, the current one included, that matches a
    // criterion "Column = 'text'" (text compared without regard to case, ''
    // inside standing for one quote) or "Column = number".  Returns false and
    // stands at eof() when no row matches or the criterion cannot be read.
    bool find(const QString &criterion);
    // The same with column and value given apart.
    bool findValue(const QString &column, const QVariant &value);

protected:
    // Called before every move and find; a false result refuses the move and
    // the current row stays.  An updatable recordset stores pending edits here.
    virtual bool leaveCurrentRow() { return true; }

    bool isDeleted(int row) const;
    void skipDeletedForward();
    void skipDeletedBackward();

    QStringList m_names;
    QVector<QVector<QVariant>> m_rows;
    QVector<bool> m_deleted;
    int m_deletedCount = 0; // rows marked in m_deleted, so counting stays O(1)
    int m_pos = 0;
    bool m_open = false;
};

} // namespace store
