#include "runner/daytables.h"

#include "store/catalogue.h"
#include "store/database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

namespace runner::daytables {
namespace {

using store::sql::Day;

bool exec(store::Database &db, const QString &sqliteText, QString *error, QVariant *firstValue = nullptr)
{
    QSqlQuery q(db.handle());
    if (!q.exec(sqliteText)) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    if (firstValue)
        *firstValue = q.next() ? q.value(0) : QVariant();
    return true;
}

// Runs the statements and records the day in one transaction, unless the
// day is recorded already.  BEGIN IMMEDIATE takes the write lock before the
// record is read, so two programs can never both roll the same day.
Result runInTransaction(const QString &databasePath, const QDate &today, const QStringList &statements,
                        QString *error)
{
    store::Database db(databasePath);
    if (!db.open()) {
        if (error)
            *error = db.lastError();
        return Result::Failed;
    }
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return Result::Failed;
    auto fail = [&](const QString &why) {
        exec(db, QStringLiteral("ROLLBACK"), nullptr);
        if (error)
            *error = why;
        return Result::Failed;
    };
    QVariant recorded;
    QString why;
    if (!exec(db, QStringLiteral("PRAGMA user_version"), &why, &recorded))
        return fail(why);
    if (recorded.toLongLong() == stampOf(today)) {
        exec(db, QStringLiteral("ROLLBACK"), nullptr);
        return Result::AlreadyDone;
    }
    for (const QString &statement : statements) {
        if (!db.execute(statement))
            return fail(db.lastError());
    }
    if (!exec(db, QStringLiteral("PRAGMA user_version = %1").arg(stampOf(today)), &why)
        || !exec(db, QStringLiteral("COMMIT"), &why))
        return fail(why);
    return Result::Rolled;
}

} // namespace

bool recordedDay(const QString &databasePath, QDate *day, QString *error)
{
    store::Database db(databasePath);
    if (!db.open()) {
        if (error)
            *error = db.lastError();
        return false;
    }
    return store::rolledday::read(db, day, error);
}

bool recordFirstDay(const QString &databasePath, const QDate &day, QString *error)
{
    store::Database db(databasePath);
    if (!db.open()) {
        if (error)
            *error = db.lastError();
        return false;
    }
    if (!exec(db, QStringLiteral("BEGIN IMMEDIATE"), error))
        return false;
    QVariant recorded;
    if (!exec(db, QStringLiteral("PRAGMA user_version"), error, &recorded)) {
        exec(db, QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    if (recorded.toLongLong() != 0) {
        exec(db, QStringLiteral("ROLLBACK"), nullptr);
        return true;
    }
    if (!exec(db, QStringLiteral("PRAGMA user_version = %1").arg(stampOf(day)), error)
        || !exec(db, QStringLiteral("COMMIT"), error)) {
        exec(db, QStringLiteral("ROLLBACK"), nullptr);
        return false;
    }
    return true;
}

Result roll(const QString &databasePath, const QDate &today, std::optional<int> nextCode, QString *error)
{
    QStringList statements{store::sql::deleteDay(Day::Today), store::sql::rollNextdayIntoToday(),
                           store::sql::deleteDay(Day::Nextday)};
    if (nextCode)
        statements << store::sql::buildDayFromMaster(Day::Nextday, *nextCode);
    return runInTransaction(databasePath, today, statements, error);
}

Result rebuild(const QString &databasePath, const QDate &today, std::optional<int> todayCode,
               std::optional<int> nextCode, QString *error)
{
    QStringList statements{store::sql::deleteDay(Day::Today)};
    if (todayCode)
        statements << store::sql::buildDayFromMaster(Day::Today, *todayCode);
    statements << store::sql::deleteNextdayTerminated();
    if (nextCode)
        statements << store::sql::buildDayFromMaster(Day::Nextday, *nextCode);
    return runInTransaction(databasePath, today, statements, error);
}

} // namespace runner::daytables
