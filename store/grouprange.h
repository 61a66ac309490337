#pragma once

#include <cstddef>
#include <optional>

// Group numbers.  Groups are numbered 1..501; 0 stands for "no group".  The
// runner keeps one chart row per group number in a table of 502 entries, so a
// number outside 0..501 must never be used as an index.
namespace store {

inline constexpr int NoGroup = 0;
inline constexpr int MinGroupNo = 1;
inline constexpr int MaxGroupNo = 501;
// Entries of a table indexed by group number (0..501).
inline constexpr std::size_t GroupSlots = MaxGroupNo + 1;
static_assert(GroupSlots == 502);

// A number a real group may have.
constexpr bool isGroupNo(long long n) { return n >= MinGroupNo && n <= MaxGroupNo; }

// The table index of a group number (0..501), or nothing when out of range.
constexpr std::optional<std::size_t> groupSlot(long long n)
{
    if (n < NoGroup || n > MaxGroupNo)
        return std::nullopt;
    return static_cast<std::size_t>(n);
}

} // namespace store
