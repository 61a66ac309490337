#include "switching/piecestate.h"

#include "store/timeofday.h"

namespace switching::piecestate {

quint32 colourAt(const QTime &start, const QTime &end, const QTime &now)
{
    const int n = store::hhnnss(now);
    if (store::hhnnss(end) < n)
        return Done;
    if (n < store::hhnnss(start))
        return Planned;
    return Running;
}

} // namespace switching::piecestate
