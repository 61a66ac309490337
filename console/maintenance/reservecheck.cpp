#include "console/maintenance/reservecheck.h"

#include "chart/chartmodel.h"
#include "console/maintenance/chartpieces.h"
#include "console/maintenance/reservetexts.h"

namespace console {
namespace {

ReserveVerdict refuse(const QString &text, bool systemModal = true)
{
    ReserveVerdict v;
    v.refusal = text;
    v.systemModal = systemModal;
    return v;
}

int minutesOf(const QTime &t)
{
    return t.hour() * 60 + t.minute();
}

} // namespace

ReserveVerdict checkReserve(const ReserveRequest &r)
{
    if (r.startHour.isEmpty() || r.startMinute.isEmpty() || r.endHour.isEmpty() || r.endMinute.isEmpty())
        return refuse(texts::AllTimesNeeded, false);

    const QTime start(r.startHour.toInt(), r.startMinute.toInt());
    const QTime end(r.endHour.toInt(), r.endMinute.toInt());
    if (!start.isValid() || !end.isValid())
        return refuse(texts::AllTimesNeeded, false);
    if (r.mode != 1 && r.mode != 2)
        return {};

    const QList<int> overlaps = r.chart ? chartpieces::overlapping(*r.chart, r.curIndex, start, end) : QList<int>();
    if (r.mode == 1 && !overlaps.isEmpty())
        return refuse(texts::Overlap);
    if (end <= start)
        return refuse(texts::StartAfterEnd);
    if (r.refusePast && end < r.now)
        return refuse(texts::PastTime);
    if (r.mode == 1 && r.chart) {
        const int top = r.chart->ScaleRangeTop();
        const int last = r.chart->ScaleRangeEnd();
        if (minutesOf(start) < top * 60 || minutesOf(end) > last * 60)
            return refuse(texts::outsideRange(top, last));
    }
    if (r.mode == 2 && !chartpieces::onlyItself(overlaps, r.curPieceNo))
        return refuse(texts::Overlap);

    ReserveVerdict v;
    v.accepted = true;
    v.start = start;
    v.end = end;
    return v;
}

} // namespace console
