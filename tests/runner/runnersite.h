#pragma once

#include <QDate>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTime>

// A temporary program folder with a schedule database, its Sch.ini and an
// operation-log folder, for the runner's tests.
class RunnerSite
{
public:
    RunnerSite();
    ~RunnerSite();

    bool isValid() const { return m_valid; }
    QString home() const { return m_dir.path(); }
    QString database() const;
    QString ini() const;
    QString logFolder() const;
    QString traceFile(const QDate &day) const;
    QString opLogFile(const QDate &day) const;

    // Sets SCH_HOME to this site for the calling process.
    void makeCurrent() const;

    void setIni(const char *section, const char *key, const QString &value) const;
    QString iniValue(const char *section, const char *key) const;

    // Rows.
    void addGroup(int gpno, const QString &name, bool valid) const;
    void addTag(int gpno, const QString &tag, const QString &kikiName, double start, double end) const;
    void addToday(int gpno, const QTime &start, const QTime &end) const;
    void addNextday(int gpno, const QTime &start, const QTime &end) const;
    void addMaster(int gpno, int dayCode, const QTime &start, const QTime &end) const;
    // Any statement (SQLite).
    bool exec(const QString &sql) const;
    // "gpno start-end" per row of a day table, ordered.
    QStringList dayRows(const QString &table) const;
    // Writes the special-day file with one memo per date.
    void writeDayMemos(const QList<QPair<QDate, QString>> &memos) const;

    // Fields 3..6 of each operation-log record of a day, joined by '|'.
    QStringList opLog(const QDate &day) const;
    // Field 1 (the time) of each operation-log record of a day.
    QStringList opLogTimes(const QDate &day) const;

    // Lines of a CP932 or UTF-8 text file.
    static QStringList lines(const QString &path);

private:
    QSqlDatabase connection() const;
    QTemporaryDir m_dir;
    QString m_connection;
    bool m_valid = false;
};
