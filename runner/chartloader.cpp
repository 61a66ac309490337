#include "runner/chartloader.h"

#include "chart/chartitem.h"
#include "chart/chartmodel.h"
#include "runner/runnertexts.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/recordset.h"
#include "store/tracelog.h"
#include "switching/chartfill.h"

namespace runner {

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

bool fillChart(chart::ChartModel &chart, switching::GroupRows &rows, const QString &databasePath, const QTime &now,
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

    switching::addGroupRows(chart, rows, groups, [](int gpno, const QString &name) {
        // Beyond the 502 entries of the row table: this group cannot be
        // placed; the others still are.
        store::WriteTraceLog(texts::errorMessage(QStringLiteral("LoadData"), texts::SubscriptErrorNumber,
                                                 texts::subscriptDescription(gpno)),
                             name, store::TraceLog::RunnerIndex);
    });
    QString why;
    const bool loaded = switching::addReservationPieces(
        chart, rows, db, store::sql::selectDayChart(store::sql::Day::Today),
        [&chart, &now](const switching::NewPiece &p) {
            if (p.valid) {
                chart.SetPieceColor(p.row, p.number, pieceColour(p.start, p.end, now));
            } else {
                chart.SetPieceColor(p.row, p.number, colour::Invalid);
                chart.SetPieceText(p.row, p.number, InvalidPieceText);
            }
        },
        &why);
    return loaded || fail(why);
}

} // namespace runner
