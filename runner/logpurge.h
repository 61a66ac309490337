#pragma once

#include <QDate>
#include <QStringList>

// Removal of old log files at the day change.
namespace runner::logpurge {

// Deletes the operation-log files "SCHLOGyyyymmdd.CSV" of `folder` (names
// compared without regard to case, hidden files included) whose date lies
// more than keepDays days before today (a negative keepDays counts as 0, so
// today's file and later ones are never deleted).  Files whose name carries
// no date after "SCHLOG" are left alone.  Returns the names deleted.
QStringList purgeOperationLogs(const QString &folder, const QDate &today, int keepDays);

// Deletes the trace file of the date 30 days before today, only that one.
bool deleteOldTrace(const QString &traceFolder, const QDate &today);

inline constexpr int TraceKeepDays = 30;

} // namespace runner::logpurge
