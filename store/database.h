#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariant>

namespace store {

class Recordset;
class UpdatableRecordset;

// One connection to a schedule database (an SQLite file named Sch.accdb).
//
// Every object has its own uniquely named Qt SQL connection, closed and
// removed when the object goes.  The runner makes one Database per operation
// (so that no connection is open between operations and the file may be
// copied); the console keeps one open while it runs.  The connection waits for
// a busy database for several seconds instead of failing, and uses a rollback
// journal (no WAL: client consoles may reach the file over a network share).
//
// SQL is given in the programs' own dialect (catalogue.h) and translated to
// SQLite on the way (dialect.h).  Nothing here throws; failures are reported
// by the result and by lastError()/lastErrorNumber().
class Database
{
public:
    // Error numbers of open(), in the numbering the programs know.
    enum ErrorNumber {
        NoError = 0,
        ProviderMissing = 3706, // the SQLite driver is not installed
        NotFound = 3024,        // no database file at the path
        NotADatabase = 3343,    // the file is no SQLite database (for example an Access file)
        EngineError = 3146,     // the engine refused an open or a statement
    };

    // Milliseconds a statement waits for a database locked by another program.
    static constexpr int BusyTimeoutMs = 8000;

    Database();
    explicit Database(const QString &path);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    // Opens the database at path().  Refuses a missing file and a file that is
    // no SQLite database (a real Access file: the message names Upgrader, which
    // converts the previous release's database).
    bool open();
    bool open(const QString &path);
    void close();
    bool isOpen() const;
    QString path() const { return m_path; }
    // How long the next open() waits for a locked database (BusyTimeoutMs
    // unless set).
    void setBusyTimeoutMs(int ms) { m_busyTimeoutMs = ms; }

    // Creates a new database file (the file must not exist) and opens it.
    // Used by the tools that build a database from the schema; the programs
    // never create one.
    bool create(const QString &path);

    // Runs one statement of the programs' dialect.  False (and lastError())
    // when it fails; a failed statement changes nothing.
    bool execute(const QString &accessSql);
    // Rows changed by the last successful execute().
    int rowsAffected() const { return m_rowsAffected; }

    // A read-only snapshot of a query's rows (see Recordset).  A failing query
    // gives a closed, empty recordset and sets lastError().
    Recordset openRecordset(const QString &accessSql);
    // An updatable recordset over "SELECT * FROM <table> ..." (see UpdatableRecordset).
    UpdatableRecordset openUpdatable(const QString &accessSql);

    // The first column of the first row of a query (for example MAX(GPNO)); invalid when none.
    QVariant scalar(const QString &accessSql);

    bool transaction();
    bool commit();
    bool rollback();

    QString lastError() const { return m_lastError; }
    int lastErrorNumber() const { return m_lastErrorNumber; }

    // The Qt connection (for code that binds values itself).
    QSqlDatabase handle() const;
    QString connectionName() const { return m_connectionName; }

    // True when the file starts with the SQLite header.
    static bool isSqliteFile(const QString &path);
    // The refusal message for a file that is no SQLite database.
    static QString notSqliteMessage(const QString &path);

private:
    bool openConnection(bool mustExist);
    void setError(int number, const QString &text);

    QString m_path;
    QString m_connectionName;
    QString m_lastError;
    int m_lastErrorNumber = NoError;
    int m_rowsAffected = 0;
    int m_busyTimeoutMs = BusyTimeoutMs;
};

} // namespace store
