#include "console/main/piececolours.h"

namespace console::piececolour {

quint32 stateColour(DayClass day, const QTime &start, const QTime &end, const QTime &now)
{
    switch (day) {
    case DayClass::Past:
        return Done;
    case DayClass::Future:
        return Planned;
    case DayClass::Today:
        break;
    }
    return switching::piecestate::colourAt(start, end, now);
}

std::optional<quint32> darkOf(quint32 colour)
{
    switch (colour) {
    case Done: return DarkDone;
    case Planned: return DarkPlanned;
    case Running: return DarkRunning;
    case Invalid: return DarkInvalid;
    default: return std::nullopt;
    }
}

std::optional<quint32> brightOf(quint32 colour)
{
    switch (colour) {
    case DarkDone: return Done;
    case DarkPlanned: return Planned;
    case DarkRunning: return Running;
    case DarkInvalid: return Invalid;
    default: return std::nullopt;
    }
}

} // namespace console::piececolour
