#pragma once

#include "store/grouprange.h"

#include <array>

namespace switching {

// A day chart's row of every group number 0..501, filled while the chart's
// rows are added.  A number outside that range is never stored and never
// used as an index.
class GroupRows
{
public:
    GroupRows() { clear(); }

    void clear() { m_rows.fill(-1); }
    // False (nothing stored) for a number outside 0..501.
    bool set(int gpno, int row)
    {
        const auto slot = store::groupSlot(gpno);
        if (!slot)
            return false;
        m_rows[*slot] = row;
        return true;
    }
    // The row of a group; -1 when it has none or the number is out of range.
    int row(int gpno) const
    {
        const auto slot = store::groupSlot(gpno);
        return slot ? m_rows[*slot] : -1;
    }

private:
    std::array<int, store::GroupSlots> m_rows;
};

} // namespace switching
