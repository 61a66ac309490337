#pragma once

#include <QString>
#include <QTime>

namespace chart {
class ChartModel;
}

namespace console {

// What the reservation dialog checks when the operator presses OK: the four
// boxes, the chart the reservation goes on, the caller's row and piece.
struct ReserveRequest
{
    int mode = 0; // 1 new, 2 change
    QString startHour, startMinute, endHour, endMinute;
    const chart::ChartModel *chart = nullptr; // overlaps and the chart's hours
    int curIndex = -1;                        // the caller's row
    int curPieceNo = -1;                      // the caller's piece (a change)
    bool refusePast = false;                  // today's day chart: no end before now
    QTime now;
};

// The dialog's answer: accepted with the times, or the refusal to show.
struct ReserveVerdict
{
    bool accepted = false;
    QString refusal;          // empty when accepted or when nothing is to be done
    bool systemModal = true;  // only the "all times" refusal is a plain box
    QTime start;              // seconds 0
    QTime end;
};

// The checks in the order the operator meets them: all four times given;
// a new reservation overlapping any piece of its row; end not after start;
// an end before now on today's day chart; a new reservation outside the
// chart's hours; a change overlapping any piece but its own.  A mode other
// than 1 or 2 accepts nothing and refuses nothing.
ReserveVerdict checkReserve(const ReserveRequest &request);

} // namespace console
