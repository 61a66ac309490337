#include "runner/daytables.h"

#include "store/catalogue.h"
#include "store/database.h"

#include <QStringList>

namespace runner::daytables {
namespace {

using store::sql::Day;

bool runInTransaction(const QString &databasePath, const QStringList &statements, QString *error)
{
    store::Database db(databasePath);
    auto fail = [&] {
        if (error)
            *error = db.lastError();
        return false;
    };
    if (!db.open() || !db.transaction())
        return fail();
    for (const QString &statement : statements) {
        if (!db.execute(statement)) {
            const QString why = db.lastError();
            db.rollback();
            if (error)
                *error = why;
            return false;
        }
    }
    if (!db.commit()) {
        const QString why = db.lastError();
        db.rollback();
        if (error)
            *error = why;
        return false;
    }
    return true;
}

} // namespace

bool roll(const QString &databasePath, std::optional<int> nextCode, QString *error)
{
    QStringList statements{store::sql::deleteDay(Day::Today), store::sql::rollNextdayIntoToday(),
                           store::sql::deleteDay(Day::Nextday)};
    if (nextCode)
        statements << store::sql::buildDayFromMaster(Day::Nextday, *nextCode);
    return runInTransaction(databasePath, statements, error);
}

bool rebuild(const QString &databasePath, std::optional<int> todayCode, std::optional<int> nextCode,
             QString *error)
{
    QStringList statements{store::sql::deleteDay(Day::Today)};
    if (todayCode)
        statements << store::sql::buildDayFromMaster(Day::Today, *todayCode);
    statements << store::sql::deleteNextdayTerminated();
    if (nextCode)
        statements << store::sql::buildDayFromMaster(Day::Nextday, *nextCode);
    return runInTransaction(databasePath, statements, error);
}

} // namespace runner::daytables
