#include "console/main/daychart.h"

#include "chart/chartmodel.h"
#include "console/main/consoletexts.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/daycode.h"
#include "store/recordset.h"
#include "switching/chartfill.h"

namespace console {

namespace {

int dayNumber(const QDate &date)
{
    return date.year() * 10000 + date.month() * 100 + date.day();
}

} // namespace

piececolour::DayClass dayClassOf(const QDate &date, const QDate &today)
{
    const int d = dayNumber(date);
    const int t = dayNumber(today);
    if (d < t)
        return piececolour::DayClass::Past;
    return d == t ? piececolour::DayClass::Today : piececolour::DayClass::Future;
}

bool loadDayChart(chart::ChartModel &chart, switching::GroupRows &rows, store::Database &db, const QDate &date,
                  const QDateTime &now, const QString &memo, QString *error)
{
    store::Recordset groups = db.openRecordset(store::sql::selectGroupsByNameLower());
    if (!groups.isOpen()) {
        if (error)
            *error = db.lastError();
        return false;
    }
    switching::addGroupRows(chart, rows, groups);

    const piececolour::DayClass day = dayClassOf(date, now.date());
    QString query;
    if (day == piececolour::DayClass::Today) {
        query = store::sql::selectDayChart(store::sql::Day::Today);
    } else if (date == now.date().addDays(1)) {
        query = store::sql::selectDayChart(store::sql::Day::Nextday);
    } else {
        const std::optional<int> code = store::dayCode(date, memo.trimmed());
        if (!code)
            return true; // a memo that names no day kind: no reservations
        query = store::sql::selectMasterChart(*code);
    }
    const QTime nowTime = now.time();
    return switching::addReservationPieces(
        chart, rows, db, query,
        [&](const switching::NewPiece &p) {
            if (p.valid) {
                chart.SetPieceColor(p.row, p.number, piececolour::stateColour(day, p.start, p.end, nowTime));
                chart.SetPieceText(p.row, p.number, QString::number(p.number));
            } else {
                chart.SetPieceColor(p.row, p.number, piececolour::Invalid);
                chart.SetPieceText(p.row, p.number, texts::InvalidPiece);
            }
        },
        error);
}

} // namespace console
