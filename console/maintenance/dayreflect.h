#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace store {
class Database;
}

// Today's and tomorrow's tables rebuilt from the weekly master: for one group
// (the weekly editor's reflect) or for all groups (the bulk rebuild).  Each
// rebuild is one transaction: when a statement fails, both tables stay
// exactly as they were.  A day without a day code (a day memo that names no
// day) gets no rows, as the runner and the charts treat it.
namespace console::dayreflect {

struct Failure
{
    int number = 0;
    QString text;
};

// The day codes of today and tomorrow from the day memos (memoOf gives a
// date's memo, empty when none).
struct DayCodes
{
    std::optional<int> today;
    std::optional<int> nextday;
};
DayCodes dayCodes(const QDate &today, const std::function<QString(const QDate &)> &memoOf);

// One group's rows of both tables afresh from its master.
bool reflectGroup(store::Database &db, int gpno, const DayCodes &codes, Failure *failure = nullptr);
// Both tables afresh from the master, all groups (whatever their validity).
bool rebuildDayTables(store::Database &db, const DayCodes &codes, Failure *failure = nullptr);

} // namespace console::dayreflect
