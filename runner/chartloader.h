#pragma once

#include "switching/grouprows.h"
#include "switching/piecestate.h"

#include <QString>
#include <QTime>

namespace chart {
class ChartModel;
}

namespace runner {

// Piece colours of the runner's chart (0x00BBGGRR): the day charts' state colours.
namespace colour {
inline constexpr quint32 Past = switching::piecestate::Done;       // blue: ended before now
inline constexpr quint32 Running = switching::piecestate::Running; // red: start <= now <= end
inline constexpr quint32 Future = switching::piecestate::Planned;  // green: starts after now
inline constexpr quint32 Invalid = switching::piecestate::Invalid; // white: the group is invalid
} // namespace colour

// The text of a piece of an invalid group.
inline const QString InvalidPieceText = QStringLiteral("無効");

// The colour of a valid group's piece at `now`, compared as "hhnnss" numbers.
inline quint32 pieceColour(const QTime &start, const QTime &end, const QTime &now)
{
    return switching::piecestate::colourAt(start, end, now);
}

// True when another piece of the row runs on past `minuteOfDay` (it has
// started and ends later).  The end of a reservation that meets the start of
// the next one, or that lies inside a longer one of the same group, then
// sends no end values: the group stays in the state its reservations
// prescribe, as the catch-up at start would set it.
bool anotherPieceRunsOn(const chart::ChartModel &chart, short row, short piece, int minuteOfDay);

// LoadData without the hiding and showing of the control: clears the chart,
// adds one row per group in name order (the row map follows), then one piece
// per reservation of today, numbered from 1 per group in start order, coloured
// by state, "無効" on invalid groups.  A group numbered outside 1..501 gets no
// row: it is refused with a trace entry and the other groups load as usual.
// False (with a trace entry, and *error) when the database cannot be read.
bool fillChart(chart::ChartModel &chart, switching::GroupRows &rows, const QString &databasePath, const QTime &now,
               QString *error = nullptr);

} // namespace runner
