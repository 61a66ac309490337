#include "console/maintenance/chartpieces.h"

#include "automation/variantconventions.h"
#include "chart/chartmodel.h"
#include "chart/ganttconstants.h"

namespace console::chartpieces {

QList<int> numbers(const QVariant &allPieceNo)
{
    QList<int> out;
    for (const QVariant &v : automation::arrayElements(allPieceNo))
        out << v.toInt();
    return out;
}

QList<int> found(const QVariant &findResult)
{
    QList<int> out;
    if (!findResult.canConvert<automation::VariantArray2D>())
        return out;
    const auto array = findResult.value<automation::VariantArray2D>();
    for (int row = 0; row < array.rows; ++row)
        out << array.at(row, 1).toInt();
    return out;
}

QList<int> overlapping(const chart::ChartModel &chart, int index, const QTime &start, const QTime &end)
{
    if (index < 0 || !start.isValid() || !end.isValid())
        return {};
    return found(chart.FindPieceFromRange(short(index), short(start.hour()), short(start.minute()),
                                          short(end.hour()), short(end.minute()), chart::GntSubIncluded));
}

bool onlyItself(const QList<int> &found, int own)
{
    return found.isEmpty() || (found.size() == 1 && found.first() == own);
}

bool range(const chart::ChartModel &chart, int index, int pieceNo, QTime *start, QTime *end)
{
    double dtStart = 0;
    double dtEnd = 0;
    if (index < 0 || !chart.GetPieceRange2(short(index), short(pieceNo), dtStart, dtEnd))
        return false;
    if (start)
        *start = automation::fromOleDate(dtStart).time();
    if (end)
        *end = automation::fromOleDate(dtEnd).time();
    return true;
}

int pieceAt(const chart::ChartModel &chart, int index, const QTime &start, const QTime &end)
{
    const QList<int> pieces = overlapping(chart, index, start, end);
    for (int no : pieces) {
        QTime s, e;
        if (range(chart, index, no, &s, &e) && s == start && e == end)
            return no;
    }
    return pieces.isEmpty() ? -1 : pieces.first();
}

int steppedPiece(const chart::ChartModel &chart, int row, const QString &shownText, int direction)
{
    bool numeric = false;
    const int shown = shownText.trimmed().toInt(&numeric);
    if (!numeric)
        return -1;
    const QList<int> pieces = row >= 0 ? numbers(chart.GetAllPieceNo(short(row))) : QList<int>();
    const int n = shown + (direction == 0 ? -1 : 1);
    if (pieces.isEmpty() || n < 1 || n > pieces.size() || !pieces.contains(n))
        return -1;
    return n;
}

bool movedRange(double dtStart, double &dtEnd, QTime *start, QTime *end)
{
    int sh = 0, sm = 0, eh = 0, em = 0;
    if (!chart::ChartModel::dateToChartTime(dtStart, &sh, &sm) || !chart::ChartModel::dateToChartTime(dtEnd, &eh, &em)
        || sh * 60 + sm >= 24 * 60)
        return false;
    if (eh * 60 + em > 23 * 60 + 59) {
        eh = 23;
        em = 59;
        dtEnd = chart::ChartModel::chartTimeToDate(eh, em);
    }
    *start = QTime(sh, sm);
    *end = QTime(eh, em);
    return true;
}

} // namespace console::chartpieces
