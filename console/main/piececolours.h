#pragma once

#include "switching/piecestate.h"

#include <QTime>

#include <optional>

// Piece colours of the day charts (0x00BBGGRR).  A piece's colour tells its
// state; while a piece is chosen in the maintenance mode it is drawn in the
// dark variant of that colour (the 16-colour palette's entries 1, 2, 4, 7
// against the bright entries 9, 10, 12, 15).
namespace console::piececolour {

inline constexpr quint32 Invalid = switching::piecestate::Invalid; // white: the group is not valid, text "無効"
inline constexpr quint32 Planned = switching::piecestate::Planned; // light green: a later day, or today before its start
inline constexpr quint32 Running = switching::piecestate::Running; // light red: today, started and not yet ended
inline constexpr quint32 Done = switching::piecestate::Done;       // light blue: an earlier day, or today after its end

inline constexpr quint32 DarkInvalid = 0xC0C0C0; // light grey
inline constexpr quint32 DarkPlanned = 0x008000;
inline constexpr quint32 DarkRunning = 0x000080;
inline constexpr quint32 DarkDone = 0x800000;

// Which day a chart shows, against the present date.
enum class DayClass { Past = 0, Today = 1, Future = 2 };

// The colour of a valid group's piece: Past → done, Future → planned, Today
// by the present time (times compared as "hhnnss" numbers).
quint32 stateColour(DayClass day, const QTime &start, const QTime &end, const QTime &now);

// The dark variant of a bright state colour, or nothing for any other colour.
std::optional<quint32> darkOf(quint32 colour);
// The bright colour of a dark variant, or nothing for any other colour.
std::optional<quint32> brightOf(quint32 colour);

} // namespace console::piececolour
