#include "console/main/daychart.h"

#include "chart/chartmodel.h"
#include "chart/ganttconstants.h"
#include "console/main/consoletexts.h"
#include "console/main/grouprows.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/daycode.h"
#include "store/dialect.h"
#include "store/grouprange.h"
#include "store/recordset.h"
#include "store/timeofday.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace console {

namespace {

// A stored time "HH:MM:SS" read without the general parser (a chart holds
// tens of thousands); anything else goes through store::parseTime.
QTime timeOf(const QVariant &value)
{
    const QString text = value.toString();
    if (text.size() == 8 && text.at(2) == QLatin1Char(':') && text.at(5) == QLatin1Char(':')) {
        auto digits = [&](int at) {
            const int hi = text.at(at).digitValue();
            const int lo = text.at(at + 1).digitValue();
            return hi < 0 || lo < 0 ? -1 : hi * 10 + lo;
        };
        const QTime t(digits(0), digits(3), digits(6));
        if (t.isValid())
            return t;
    }
    return store::parseTime(value);
}

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

bool loadDayChart(chart::ChartModel &chart, GroupRows &rows, store::Database &db, const QDate &date,
                  const QDateTime &now, const QString &memo, QString *error)
{
    auto fail = [&] {
        if (error)
            *error = db.lastError();
        return false;
    };

    store::Recordset groups = db.openRecordset(store::sql::selectGroupsByNameLower());
    if (!groups.isOpen())
        return fail();
    chart.Clear();
    rows.clear();
    const int cNo = groups.fieldIndex(QStringLiteral("GPno"));
    const int cName = groups.fieldIndex(QStringLiteral("GPname"));
    const int groupCount = groups.recordCount();
    groups.moveFirst();
    for (int n = 0; n < groupCount; ++n, groups.moveNext()) {
        const int gpno = groups.field(cNo).toInt();
        // A number beyond the row map would be drawn nowhere: no row at all.
        if (!store::isGroupNo(gpno))
            continue;
        rows.set(gpno, chart.AddItem(groups.field(cName).toString(), chart::GntRect));
    }

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
    // Read forward only, straight from the query: a chart holds tens of
    // thousands of reservations.
    QSqlQuery rs(db.handle());
    rs.setForwardOnly(true);
    if (!rs.exec(store::toSqlite(query))) {
        if (error)
            *error = rs.lastError().text();
        return false;
    }
    const QSqlRecord columns = rs.record();
    const int cGPno = columns.indexOf(QStringLiteral("GPno"));
    const int cYuko = columns.indexOf(QStringLiteral("YukoFlg"));
    const int cStart = columns.indexOf(QStringLiteral("StartTime"));
    const int cEnd = columns.indexOf(QStringLiteral("EndTime"));
    const QTime nowTime = now.time();
    int previous = -1;
    int row = -1;
    short pieceNo = 0;
    while (rs.next()) {
        const int gpno = rs.value(cGPno).toInt();
        if (gpno == previous) {
            ++pieceNo;
        } else {
            pieceNo = 1;
            row = rows.row(gpno);
            previous = gpno;
        }
        if (row < 0)
            continue;
        const QTime start = timeOf(rs.value(cStart));
        const QTime end = timeOf(rs.value(cEnd));
        if (!start.isValid() || !end.isValid())
            continue;
        const short r = short(row);
        chart.SetPieceRange(r, pieceNo, short(start.hour()), short(start.minute()), short(end.hour()),
                            short(end.minute()));
        if (rs.value(cYuko).toInt() != 0) {
            chart.SetPieceColor(r, pieceNo, piececolour::stateColour(day, start, end, nowTime));
            chart.SetPieceText(r, pieceNo, QString::number(pieceNo));
        } else {
            chart.SetPieceColor(r, pieceNo, piececolour::Invalid);
            chart.SetPieceText(r, pieceNo, texts::InvalidPiece);
        }
    }
    return true;
}

} // namespace console
