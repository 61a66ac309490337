#include "runnersite.h"

#include "platform/profile.h"
#include "platform/textcodec.h"
#include "store/schema.h"
#include "store/sitepaths.h"
#include "store/timeofday.h"
#include "store/tracelog.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QUuid>

RunnerSite::RunnerSite()
    : m_connection(QStringLiteral("site-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!m_dir.isValid())
        return;
    QDir(home()).mkpath(QStringLiteral("SC_DataBase"));
    QDir(home()).mkpath(QStringLiteral("LOG"));
    QString error;
    if (!store::createDatabase(database(), &error))
        return;
    setIni("LOG", "FLG", QStringLiteral("1"));
    setIni("LOG", "DIR", logFolder());
    m_valid = true;
}

RunnerSite::~RunnerSite()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString RunnerSite::database() const { return store::paths::databasePath(home()); }
QString RunnerSite::ini() const { return store::paths::settingsPath(home()); }
QString RunnerSite::logFolder() const { return home() + QStringLiteral("/LOG"); }
QString RunnerSite::traceFile(const QDate &day) const
{
    return store::paths::traceFolder(home()) + QLatin1Char('/') + store::TraceLog::fileName(day);
}
QString RunnerSite::opLogFile(const QDate &day) const
{
    return logFolder() + QStringLiteral("/SCHLOG") + day.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".CSV");
}

void RunnerSite::makeCurrent() const
{
    qputenv("SCH_HOME", home().toUtf8());
}

void RunnerSite::setIni(const char *section, const char *key, const QString &value) const
{
    platform::profile::writeString(ini(), QLatin1String(section), QLatin1String(key), value);
}

QString RunnerSite::iniValue(const char *section, const char *key) const
{
    return platform::profile::readString(ini(), QLatin1String(section), QLatin1String(key));
}

QSqlDatabase RunnerSite::connection() const
{
    if (QSqlDatabase::contains(m_connection))
        return QSqlDatabase::database(m_connection);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(database());
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=8000"));
    db.open();
    return db;
}

bool RunnerSite::exec(const QString &sql) const
{
    QSqlQuery q(connection());
    return q.exec(sql);
}

void RunnerSite::addGroup(int gpno, const QString &name, bool valid) const
{
    QSqlQuery q(connection());
    q.prepare(QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (?, ?, ?, 0)"));
    q.addBindValue(gpno);
    q.addBindValue(name);
    q.addBindValue(valid ? -1 : 0);
    q.exec();
}

void RunnerSite::addTag(int gpno, const QString &tag, const QString &kikiName, double start, double end) const
{
    QSqlQuery q(connection());
    q.prepare(QStringLiteral("INSERT INTO KikiTable (TAG, KikiName, GPno, StartValue, EndValue) VALUES (?, ?, ?, ?, ?)"));
    q.addBindValue(tag);
    q.addBindValue(kikiName);
    q.addBindValue(gpno);
    q.addBindValue(start);
    q.addBindValue(end);
    q.exec();
}

static void addDayRow(const QSqlDatabase &db, const QString &table, int gpno, const QTime &start, const QTime &end)
{
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO %1 (GPno, StartTime, EndTime) VALUES (?, ?, ?)").arg(table));
    q.addBindValue(gpno);
    q.addBindValue(store::timeText(start));
    q.addBindValue(store::timeText(end));
    q.exec();
}

void RunnerSite::addToday(int gpno, const QTime &start, const QTime &end) const
{
    addDayRow(connection(), QStringLiteral("TodayTable"), gpno, start, end);
}

void RunnerSite::addNextday(int gpno, const QTime &start, const QTime &end) const
{
    addDayRow(connection(), QStringLiteral("NextdayTable"), gpno, start, end);
}

void RunnerSite::addMaster(int gpno, int dayCode, const QTime &start, const QTime &end) const
{
    QSqlQuery q(connection());
    q.prepare(QStringLiteral("INSERT INTO Schedule (GPno, lWeek, StartTime, EndTime) VALUES (?, ?, ?, ?)"));
    q.addBindValue(gpno);
    q.addBindValue(dayCode);
    q.addBindValue(store::timeText(start));
    q.addBindValue(store::timeText(end));
    q.exec();
}

QStringList RunnerSite::dayRows(const QString &table) const
{
    QStringList rows;
    QSqlQuery q(connection());
    q.exec(QStringLiteral("SELECT GPno, StartTime, EndTime FROM %1 ORDER BY GPno, StartTime").arg(table));
    while (q.next())
        rows << QStringLiteral("%1 %2-%3").arg(q.value(0).toInt()).arg(q.value(1).toString().left(5),
                                                                       q.value(2).toString().left(5));
    return rows;
}

void RunnerSite::writeDayMemos(const QList<QPair<QDate, QString>> &memos) const
{
    QString text;
    for (const auto &[date, memo] : memos)
        text += date.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral(",\"") + memo + QStringLiteral("\"\r\n");
    QFile f(store::paths::dayInfoPath(home()));
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(platform::toCp932(text));
}

QStringList RunnerSite::lines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = platform::decodeText(f.readAll());
    QStringList out = text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    return out;
}

QStringList RunnerSite::opLog(const QDate &day) const
{
    QStringList out;
    for (const QString &line : lines(opLogFile(day))) {
        QStringList fields = line.split(QStringLiteral("\",\""));
        if (fields.size() != 6)
            continue;
        fields.last().chop(1);
        out << fields.mid(2).join(QLatin1Char('|'));
    }
    return out;
}

QStringList RunnerSite::opLogTimes(const QDate &day) const
{
    QStringList out;
    for (const QString &line : lines(opLogFile(day)))
        out << line.section(QStringLiteral("\",\""), 0, 0).mid(1);
    return out;
}
