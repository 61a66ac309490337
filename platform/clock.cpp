#include "platform/clock.h"

#include <mutex>

namespace platform::clock {
namespace {

struct State {
    std::mutex mutex;
    bool initialized = false;
    bool frozen = false;
    QDateTime frozenAt;
    qint64 offsetMs = 0; // added to the system time while running
};

State &state()
{
    static State s;
    return s;
}

void initializeLocked(State &s)
{
    if (s.initialized)
        return;
    s.initialized = true;
    const QString env = qEnvironmentVariable("SCH_CLOCK_START");
    if (env.isEmpty())
        return;
    const QDateTime start = parseMoment(env);
    if (start.isValid())
        s.offsetMs = QDateTime::currentDateTime().msecsTo(start);
}

} // namespace

QDateTime parseMoment(const QString &text)
{
    QDateTime t = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!t.isValid())
        t = QDateTime::fromString(text.trimmed(), QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
    return t;
}

void initialize()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    initializeLocked(s);
}

QDateTime now()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    initializeLocked(s);
    if (s.frozen)
        return s.frozenAt;
    const QDateTime real = QDateTime::currentDateTime();
    return s.offsetMs == 0 ? real : real.addMSecs(s.offsetMs);
}

QDate today()
{
    return now().date();
}

int msecsToNextMinute()
{
    const QTime t = now().time();
    const int intoMinute = t.second() * 1000 + t.msec();
    return 60000 - intoMinute;
}

void setNow(const QDateTime &moment)
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    s.initialized = true;
    s.frozen = true;
    s.frozenAt = moment;
}

void advance(qint64 msecs)
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    initializeLocked(s);
    if (s.frozen)
        s.frozenAt = s.frozenAt.addMSecs(msecs);
    else
        s.offsetMs += msecs;
}

void runFrom(const QDateTime &moment)
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    s.initialized = true;
    s.frozen = false;
    s.offsetMs = QDateTime::currentDateTime().msecsTo(moment);
}

void useSystemClock()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    s.initialized = true;
    s.frozen = false;
    s.offsetMs = 0;
}

bool isFrozen()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    return s.frozen;
}

} // namespace platform::clock
