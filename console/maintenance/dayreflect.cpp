#include "console/maintenance/dayreflect.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/daycode.h"

#include <QSqlError>
#include <QStringList>

namespace console::dayreflect {
namespace {

using store::sql::Day;

bool runInTransaction(store::Database &db, const QStringList &statements, Failure *failure)
{
    const auto fail = [&](const QString &text) {
        if (failure) {
            failure->number = db.lastErrorNumber() != store::Database::NoError ? db.lastErrorNumber()
                                                                               : int(store::Database::EngineError);
            failure->text = text;
        }
        return false;
    };
    if (!db.isOpen() && !db.open())
        return fail(db.lastError());
    if (!db.transaction())
        return fail(db.handle().lastError().text());
    for (const QString &statement : statements) {
        if (!db.execute(statement)) {
            const QString why = db.lastError();
            db.rollback();
            return fail(why);
        }
    }
    if (!db.commit()) {
        const QString why = db.handle().lastError().text();
        db.rollback();
        return fail(why);
    }
    return true;
}

} // namespace

DayCodes dayCodes(const QDate &today, const std::function<QString(const QDate &)> &memoOf)
{
    DayCodes codes;
    const QDate next = today.addDays(1);
    codes.today = store::dayCode(today, memoOf ? memoOf(today) : QString());
    codes.nextday = store::dayCode(next, memoOf ? memoOf(next) : QString());
    return codes;
}

bool reflectGroup(store::Database &db, int gpno, const DayCodes &codes, Failure *failure)
{
    QStringList statements{store::sql::deleteGroupDayTerminated(Day::Today, gpno),
                           store::sql::deleteGroupDayTerminated(Day::Nextday, gpno)};
    if (codes.today)
        statements << store::sql::buildGroupDayFromMaster(Day::Today, *codes.today, gpno);
    if (codes.nextday)
        statements << store::sql::buildGroupDayFromMaster(Day::Nextday, *codes.nextday, gpno);
    return runInTransaction(db, statements, failure);
}

bool rebuildDayTables(store::Database &db, const DayCodes &codes, Failure *failure)
{
    QStringList statements{store::sql::deleteDay(Day::Today)};
    if (codes.today)
        statements << store::sql::buildDayFromMaster(Day::Today, *codes.today);
    statements << store::sql::deleteNextdayTerminated();
    if (codes.nextday)
        statements << store::sql::buildDayFromMaster(Day::Nextday, *codes.nextday);
    return runInTransaction(db, statements, failure);
}

} // namespace console::dayreflect
