#include "platform/clock.h"

#include <QByteArray>
#include <QList>

#include <cstdlib>
#include <mutex>
#include <unistd.h>

namespace platform::clock {
namespace {

struct State {
    std::mutex mutex;
    bool initialized = false;
    bool frozen = false;
    QDateTime frozenAt;
    qint64 offsetMs = 0; // added to the system time while running
    QByteArray shared;   // the shared text last published or taken over
};

State &state()
{
    static State s;
    return s;
}

// Each shared library of a process that links this file has its own copy of
// the state above (the control libraries, the product's API library), yet a
// process has one clock.  So every copy publishes the clock's state in the
// process environment as "<pid> F <msecs since epoch>" (frozen) or
// "<pid> R <offset ms>" (running), and every copy takes over what another
// published.  The pid keeps a child that inherits the variable from using it.
constexpr const char *SharedVariable = "SCH_CLOCK_SHARED";

void publishLocked(State &s)
{
    s.shared = QByteArray::number(qint64(::getpid())) + (s.frozen ? " F " : " R ")
               + QByteArray::number(s.frozen ? s.frozenAt.toMSecsSinceEpoch() : s.offsetMs);
    ::setenv(SharedVariable, s.shared.constData(), 1);
}

void takeOverLocked(State &s)
{
    const char *text = ::getenv(SharedVariable);
    if (!text || s.shared == text)
        return;
    const QList<QByteArray> parts = QByteArray(text).split(' ');
    bool okPid = false, okValue = false;
    if (parts.size() != 3 || parts.at(0).toLongLong(&okPid) != qint64(::getpid()) || !okPid)
        return;
    const qint64 value = parts.at(2).toLongLong(&okValue);
    if (!okValue || (parts.at(1) != "F" && parts.at(1) != "R"))
        return;
    s.shared = text;
    s.initialized = true;
    s.frozen = parts.at(1) == "F";
    if (s.frozen)
        s.frozenAt = QDateTime::fromMSecsSinceEpoch(value);
    else
        s.offsetMs = value;
}

void initializeLocked(State &s)
{
    takeOverLocked(s);
    if (s.initialized)
        return;
    s.initialized = true;
    const QString env = qEnvironmentVariable("SCH_CLOCK_START");
    if (env.isEmpty())
        return;
    const QDateTime start = parseMoment(env);
    if (start.isValid())
        s.offsetMs = QDateTime::currentDateTime().msecsTo(start);
    publishLocked(s);
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
    publishLocked(s);
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
    publishLocked(s);
}

void runFrom(const QDateTime &moment)
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    s.initialized = true;
    s.frozen = false;
    s.offsetMs = QDateTime::currentDateTime().msecsTo(moment);
    publishLocked(s);
}

void useSystemClock()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    s.initialized = true;
    s.frozen = false;
    s.offsetMs = 0;
    publishLocked(s);
}

bool isFrozen()
{
    State &s = state();
    std::lock_guard lock(s.mutex);
    initializeLocked(s);
    return s.frozen;
}

} // namespace platform::clock
