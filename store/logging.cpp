#include "store/logging.h"

#include "platform/textfile.h"

#include "store/oplog.h"
#include "store/settings.h"
#include "store/tracelog.h"

#include <mutex>

namespace store {
namespace {

struct Logs {
    std::mutex mutex;
    OpLog opLog;
};

Logs &logs()
{
    static Logs l;
    return l;
}

} // namespace

void configureLogs(const Settings &settings, const QString &programFolder)
{
    configureLogs(OpLog::fromSettings(settings, TraceLog(programFolder)));
}

void configureLogs(const OpLog &opLog)
{
    {
        Logs &l = logs();
        std::lock_guard lock(l.mutex);
        l.opLog = opLog;
    }
    // A shared file that cannot be read as it should (a pipe in place of
    // Sch.ini, broken bytes in dayinfor.csv) leaves a trace entry naming it.
    platform::setFileProblemHandler([](const QString &message, const QString &path) {
        WriteTraceLog(message, path, TraceLog::RunnerIndex);
    });
}

const OpLog &currentOpLog()
{
    return logs().opLog;
}

const TraceLog &currentTraceLog()
{
    return logs().opLog.trace();
}

void WriteOpLog(const QString &subject, const QString &object, const QString &action, const QString &origin,
                const QString &setValue, const QString &note)
{
    OpLog log;
    {
        Logs &l = logs();
        std::lock_guard lock(l.mutex);
        log = l.opLog;
    }
    log.write(subject, object, action, origin, setValue, note);
}

void WriteTraceLog(const QString &message, const QString &value, qint16 index)
{
    TraceLog trace;
    {
        Logs &l = logs();
        std::lock_guard lock(l.mutex);
        trace = l.opLog.trace();
    }
    trace.write(message, value, index);
}

} // namespace store
