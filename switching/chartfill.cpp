#include "switching/chartfill.h"

#include "chart/chartmodel.h"
#include "chart/ganttconstants.h"
#include "store/database.h"
#include "store/dialect.h"
#include "store/recordset.h"
#include "store/timeofday.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace switching {
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

} // namespace

void addGroupRows(chart::ChartModel &chart, GroupRows &rows, store::Recordset &groups,
                  const std::function<void(int gpno, const QString &name)> &refused)
{
    chart.Clear();
    rows.clear();
    const int cNo = groups.fieldIndex(QStringLiteral("GPno"));
    const int cName = groups.fieldIndex(QStringLiteral("GPname"));
    // Counted: the rows are a snapshot and are walked once each.
    const int groupCount = groups.recordCount();
    groups.moveFirst();
    for (int n = 0; n < groupCount; ++n, groups.moveNext()) {
        const int gpno = groups.field(cNo).toInt();
        const QString name = groups.field(cName).toString();
        if (!store::isGroupNo(gpno)) {
            if (refused)
                refused(gpno, name);
            continue;
        }
        rows.set(gpno, chart.AddItem(name, chart::GntRect));
    }
}

bool addReservationPieces(chart::ChartModel &chart, const GroupRows &rows, store::Database &db, const QString &query,
                          const std::function<void(const NewPiece &)> &paint, QString *error)
{
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
        NewPiece piece;
        piece.start = timeOf(rs.value(cStart));
        piece.end = timeOf(rs.value(cEnd));
        if (!piece.start.isValid() || !piece.end.isValid())
            continue;
        piece.row = short(row);
        piece.number = pieceNo;
        piece.valid = rs.value(cYuko).toInt() != 0;
        chart.SetPieceRange(piece.row, piece.number, short(piece.start.hour()), short(piece.start.minute()),
                            short(piece.end.hour()), short(piece.end.minute()));
        paint(piece);
    }
    return true;
}

} // namespace switching
