#include "runner/chartloader.h"

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

quint32 pieceColour(const QTime &start, const QTime &end, const QTime &now)
{
    const int n = store::hhnnss(now);
    if (store::hhnnss(end) < n)
        return colour::Past;
    if (n < store::hhnnss(start))
        return colour::Future;
    return colour::Running;
}

bool fillChart(chart::ChartModel &chart, RowMap &rows, const QString &databasePath, const QTime &now)
{
    auto fail = [](const QString &description) {
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
    for (groups.moveFirst(); !groups.eof(); groups.moveNext()) {
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
    for (today.moveFirst(); !today.eof(); today.moveNext()) {
        const int gpno = today.integer(QStringLiteral("GPno"));
        if (gpno == previous) {
            ++pieceNo;
        } else {
            pieceNo = 1;
            row = rows.row(gpno);
            previous = gpno;
        }
        if (row < 0)
            continue;
        const QTime start = today.time(QStringLiteral("StartTime"));
        const QTime end = today.time(QStringLiteral("EndTime"));
        chart.SetPieceRange(short(row), pieceNo, short(start.hour()), short(start.minute()), short(end.hour()),
                            short(end.minute()));
        if (today.yes(QStringLiteral("YukoFlg"))) {
            chart.SetPieceColor(short(row), pieceNo, pieceColour(start, end, now));
        } else {
            chart.SetPieceColor(short(row), pieceNo, colour::Invalid);
            chart.SetPieceText(short(row), pieceNo, InvalidPieceText);
        }
    }
    return true;
}

} // namespace runner
