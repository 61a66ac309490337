#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <functional>

// Runs the event loop, checking pred every pollMs, until it holds (true) or
// the time is up (false).  The loop waits for events between checks, so a
// benchmark measures the program under test, not this loop.
inline bool spinUntil(const std::function<bool()> &pred, int timeoutMs, int pollMs = 2)
{
    QDeadlineTimer deadline(timeoutMs);
    QDeadlineTimer nextCheck(0);
    while (true) {
        if (nextCheck.hasExpired()) {
            if (pred())
                return true;
            nextCheck.setRemainingTime(pollMs);
        }
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 1);
    }
}
