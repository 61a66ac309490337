#include "runner/chartloader.h"

#include "chart/chartitem.h"
#include "chart/chartmodel.h"
#include "chart/ganttconstants.h"
#include "runner/runnertexts.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/recordset.h"
#include "store/timeofday.h"
#include "store/tracelog.h"

namespace runner {

namespace {

// A stored time "HH:MM:SS" read without the general parser (LoadData reads
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

} // namespace

quint32 pieceColour(const QTime &start, const QTime &end, const QTime &now)
{
    const int n = store::hhnnss(now);
    if (store::hhnnss(end) < n)
        return colour::Past;
    if (n < store::hhnnss(start))
        return colour::Future;
    return colour::Running;
}

bool anotherPieceRunsOn(const chart::ChartModel &chart, short row, short piece, int minuteOfDay)
{
    const chart::ChartItem *item = chart.item(row);
    if (!item)
        return false;
    bool runsOn = false;
    item->pieces.forEach([&](qint16 no, const chart::Piece &p) {
        if (no != piece && p.startMinutes() <= minuteOfDay && minuteOfDay < p.endMinutes())
            runsOn = true;
    });
    return runsOn;
}

bool fillChart(chart::ChartModel &chart, RowMap &rows, const QString &databasePath, const QTime &now,
               QString *error)
{
    auto fail = [error](const QString &description) {
        if (error)
            *error = description;
        store::WriteTraceLog(texts::errorMessage(QStringLiteral("LoadData"), texts::DatabaseErrorNumber, description),
                             QString(), store::TraceLog::RunnerIndex);
        return false;
    };

    store::Database db(databasePath);
    if (!db.open())
        return fail(db.lastError());
    store::Recordset groups = db.openRecordset(store::sql::selectGroupsByNameLower());
    if (!groups.isOpen())
        return fail(db.lastError());

    chart.Clear();
    rows.clear();
    // Counted loops: the rows are a snapshot and are walked once each.
    const int groupCount = groups.recordCount();
    groups.moveFirst();
    for (int n = 0; n < groupCount; ++n, groups.moveNext()) {
        const int gpno = groups.integer(QStringLiteral("GPno"));
        const QString name = groups.text(QStringLiteral("GPname"));
        if (!store::isGroupNo(gpno)) {
            // Beyond the 502 entries of the row table: this group cannot be
            // placed; the others still are.
            store::WriteTraceLog(texts::errorMessage(QStringLiteral("LoadData"), texts::SubscriptErrorNumber,
                                                     texts::subscriptDescription(gpno)),
                                 name, store::TraceLog::RunnerIndex);
            continue;
        }
        rows.set(gpno, chart.AddItem(name, chart::GntRect));
    }

    store::Recordset today = db.openRecordset(store::sql::selectDayChart(store::sql::Day::Today));
    if (!today.isOpen())
        return fail(db.lastError());
    db.close();

    int previous = -1;
    int row = -1;
    short pieceNo = 0;
    const int cGPno = today.fieldIndex(QStringLiteral("GPno"));
    const int cYuko = today.fieldIndex(QStringLiteral("YukoFlg"));
    const int cStart = today.fieldIndex(QStringLiteral("StartTime"));
    const int cEnd = today.fieldIndex(QStringLiteral("EndTime"));
    const int rowCount = today.recordCount();
    today.moveFirst();
    for (int n = 0; n < rowCount; ++n, today.moveNext()) {
        const int gpno = today.field(cGPno).toInt();
        if (gpno == previous) {
            ++pieceNo;
        } else {
            pieceNo = 1;
            row = rows.row(gpno);
            previous = gpno;
        }
        if (row < 0)
            continue;
        const QTime start = timeOf(today.field(cStart));
        const QTime end = timeOf(today.field(cEnd));
        chart.SetPieceRange(short(row), pieceNo, short(start.hour()), short(start.minute()), short(end.hour()),
                            short(end.minute()));
        if (today.field(cYuko).toInt() != 0) {
            chart.SetPieceColor(short(row), pieceNo, pieceColour(start, end, now));
        } else {
            chart.SetPieceColor(short(row), pieceNo, colour::Invalid);
            chart.SetPieceText(short(row), pieceNo, InvalidPieceText);
        }
    }
    return true;
}

} // namespace runner
