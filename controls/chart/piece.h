#pragma once

#include <QString>

namespace chart {

// One time span of an item.  Hours count from the chart day's midnight:
// starts 0..47, ends 0..48 (24..47 lie on the following day).
struct Piece
{
    qint16 startHour = 0;
    qint16 startMinute = 0;
    qint16 endHour = 0;
    qint16 endMinute = 0;
    QString text;

    int startMinutes() const { return startHour * 60 + startMinute; }
    int endMinutes() const { return endHour * 60 + endMinute; }
};

} // namespace chart
