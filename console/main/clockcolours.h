#pragma once

#include <QString>

// The colours of a detail clock (Tickface1) and its time label by the hour it
// shows: a white day face from 7 to 17, a navy night face otherwise.
namespace console {

struct ClockColours
{
    quint32 foreColor = 0;
    quint32 numberColor = 0;
    quint32 hourColor = 0;
    quint32 minuteColor = 0;
    quint32 secondColor = 0;
    quint32 backColor = 0;
    QString caption; // "Am" for hours 0..11, "Pm" for 12..23
};

// The 24-entry back-colour table: navy for hours 0..6 and 18..23, white for 7..17.
quint32 hourBackColour(int hour);
ClockColours clockColoursAt(int hour);

} // namespace console
