#include "console/maintenance/reservationrows.h"

#include "store/database.h"
#include "store/updatablerecordset.h"

namespace console::reservationrows {
namespace {

using store::UpdatableRecordset;

const QString GPno = QStringLiteral("GPno");
const QString LWeek = QStringLiteral("lWeek");
const QString StartTime = QStringLiteral("StartTime");
const QString EndTime = QStringLiteral("EndTime");

Result failed(const store::Database &db, const QString &why)
{
    Result r;
    r.outcome = Outcome::Failed;
    r.errorNumber = store::Database::EngineError;
    r.error = why.isEmpty() ? db.lastError() : why;
    return r;
}

Result written()
{
    Result r;
    r.outcome = Outcome::Written;
    return r;
}

Result noRow()
{
    Result r;
    r.outcome = Outcome::NoRow;
    return r;
}

bool sameMinute(const QTime &a, const QTime &b)
{
    return a.isValid() && b.isValid() && a.hour() == b.hour() && a.minute() == b.minute();
}

// Moves to the first row at or after the current one whose start lies in
// the minute of `start`; false at the end.
bool seekStart(UpdatableRecordset &rs, const QTime &start)
{
    for (; !rs.eof(); rs.moveNext()) {
        if (sameMinute(rs.time(StartTime), start))
            return true;
    }
    return false;
}

bool openRows(store::Database &db, UpdatableRecordset &rs, const QString &sql, QString *why)
{
    if (!db.isOpen()) {
        *why = QStringLiteral("データベースが開かれていません。");
        return false;
    }
    return rs.open(db.handle(), sql, why);
}

// Gives the current row of rs the reservation's fields and stores it.
Result storeFields(store::Database &db, UpdatableRecordset &rs, int gpno, const int *dayCode, const QTime &start,
                   const QTime &end)
{
    rs.setField(GPno, gpno);
    if (dayCode)
        rs.setField(LWeek, *dayCode);
    rs.setField(StartTime, start);
    rs.setField(EndTime, end);
    QString why;
    if (!rs.update(&why))
        return failed(db, why);
    return written();
}

Result addRow(store::Database &db, const QString &sql, int gpno, const int *dayCode, const QTime &start,
              const QTime &end)
{
    UpdatableRecordset rs;
    QString why;
    if (!openRows(db, rs, sql, &why))
        return failed(db, why);
    rs.addNew();
    return storeFields(db, rs, gpno, dayCode, start, end);
}

Result changeRow(store::Database &db, const QString &sql, int gpno, const int *dayCode, const QTime &oldStart,
                 const QTime &start, const QTime &end)
{
    UpdatableRecordset rs;
    QString why;
    if (!openRows(db, rs, sql, &why))
        return failed(db, why);
    rs.moveFirst();
    if (!seekStart(rs, oldStart))
        return noRow();
    return storeFields(db, rs, gpno, dayCode, start, end);
}

Result deleteRows(store::Database &db, const QString &sql, const QTime &start, bool all)
{
    UpdatableRecordset rs;
    QString why;
    if (!openRows(db, rs, sql, &why))
        return failed(db, why);
    bool any = false;
    for (rs.moveFirst(); seekStart(rs, start); rs.moveNext()) {
        if (!rs.deleteRow(&why))
            return failed(db, why);
        any = true;
        if (!all)
            break;
    }
    return any ? written() : noRow();
}

} // namespace

Result addMaster(store::Database &db, int gpno, int dayCode, const QTime &start, const QTime &end)
{
    // Opened on the group's day only: the whole master need not be read to add a row.
    return addRow(db, store::sql::selectGroupMasterDay(gpno, dayCode), gpno, &dayCode, start, end);
}

Result changeMaster(store::Database &db, int gpno, int dayCode, const QTime &oldStart, const QTime &start,
                    const QTime &end)
{
    return changeRow(db, store::sql::selectGroupMasterDay(gpno, dayCode), gpno, &dayCode, oldStart, start, end);
}

Result deleteMaster(store::Database &db, int gpno, int dayCode, const QTime &start)
{
    return deleteRows(db, store::sql::selectGroupMasterDay(gpno, dayCode), start, false);
}

Result addDay(store::Database &db, store::sql::Day day, int gpno, const QTime &start, const QTime &end)
{
    return addRow(db, store::sql::selectGroupDay(day, gpno), gpno, nullptr, start, end);
}

Result changeDay(store::Database &db, store::sql::Day day, int gpno, const QTime &oldStart, const QTime &start,
                 const QTime &end)
{
    return changeRow(db, store::sql::selectGroupDay(day, gpno), gpno, nullptr, oldStart, start, end);
}

Result deleteDay(store::Database &db, store::sql::Day day, int gpno, const QTime &start)
{
    return deleteRows(db, store::sql::selectGroupDay(day, gpno), start, true);
}

} // namespace console::reservationrows
