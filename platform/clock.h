#pragma once

#include <QDateTime>

// The one clock of every program.  Normally the system's local time; when the
// environment variable SCH_CLOCK_START holds "YYYY-MM-DD HH:MM:SS", the clock
// starts at that moment when the program first asks for the time and then runs
// at real speed.  Tests can also freeze it and move it by hand.
namespace platform::clock {

QDateTime now();
QDate today();

// Milliseconds from now to the next full minute of this clock (1..60000).
int msecsToNextMinute();

// Reads SCH_CLOCK_START now instead of at the first call of now().
void initialize();

// Test controls.  setNow() freezes the clock at a moment; advance() moves a
// frozen clock (or shifts a running one); runFrom() lets it run at real speed
// from a moment; useSystemClock() returns to the plain system time.
void setNow(const QDateTime &moment);
void advance(qint64 msecs);
void runFrom(const QDateTime &moment);
void useSystemClock();
bool isFrozen();

// Parses "YYYY-MM-DD HH:MM:SS" (the SCH_CLOCK_START format); invalid on error.
QDateTime parseMoment(const QString &text);

} // namespace platform::clock
