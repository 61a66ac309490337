#pragma once

#include <QTime>

// The colours of a day chart's pieces by the state of their reservation
// (0x00BBGGRR), as the runner's chart and the console's day charts show them.
namespace switching::piecestate {

inline constexpr quint32 Done = 0xFF0000;    // blue: ended before now
inline constexpr quint32 Running = 0x0000FF; // red: started and not yet ended
inline constexpr quint32 Planned = 0x00FF00; // green: starts after now
inline constexpr quint32 Invalid = 0xFFFFFF; // white: the group is not valid

// The colour of a valid group's reservation of today at `now`, the times
// compared as "hhnnss" numbers (start and end included in Running).
quint32 colourAt(const QTime &start, const QTime &end, const QTime &now);

} // namespace switching::piecestate
