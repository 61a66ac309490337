#pragma once

#include <QString>

namespace store {

class OpLog;
class Settings;
class TraceLog;

// The program-wide logs, shared by the runner and the console.  A program
// calls configureLogs() once at start (it reads LOG FLG and LOG DIR then);
// until then the operation log is off and the trace log goes to
// platform::programFolder()/SHLOG.

void configureLogs(const Settings &settings, const QString &programFolder = QString());
void configureLogs(const OpLog &opLog);

const OpLog &currentOpLog();
const TraceLog &currentTraceLog();

// One operation-log record (see OpLog).  setValue: the value that was set,
// shown when the action is "設定" (setValueText() of the written value).
// note: appended to the origin field after a blank ("書込失敗").
void WriteOpLog(const QString &subject, const QString &object, const QString &action, const QString &origin,
                const QString &setValue = QString(), const QString &note = QString());

// One trace-log line (see TraceLog).
void WriteTraceLog(const QString &message, const QString &value, qint16 index);

} // namespace store
