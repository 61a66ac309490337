// The clock's part of the model: the time of the last minute change and the
// range events due at a minute.
#include "chart/chartmodel.h"

namespace chart {

QList<RangeEvent> ChartModel::rangeEventsAt(int hour, int minute) const
{
    QList<RangeEvent> due;
    for (int i = 0; i < itemCount(); ++i) {
        const ChartItem &item = m_items[i];
        const bool hasEnd = item.pieceType != GntDot;
        item.pieces.forEach([&](qint16 no, const Piece &p) {
            if (p.startHour % 24 == hour && p.startMinute == minute)
                due.append({qint16(i), no, true});
            if (hasEnd && p.endHour % 24 == hour && p.endMinute == minute)
                due.append({qint16(i), no, false});
        });
    }
    return due;
}

void ChartModel::processMinuteChange(const QTime &now)
{
    m_curTime = QTime(now.hour(), now.minute());
    emit curTimeChanged(m_curTime);
    if (m_showCurTime && m_actionStyle == GntBrowse)
        emit viewChanged();
    // The due events are collected first: a host's handler may change the
    // chart (even clear it) while the events are raised.
    const QList<RangeEvent> due = rangeEventsAt(m_curTime.hour(), m_curTime.minute());
    for (const RangeEvent &e : due) {
        if (e.start)
            emit PieceRangeStart(e.item, e.piece);
        else
            emit PieceRangeEnd(e.item, e.piece);
    }
}

} // namespace chart
