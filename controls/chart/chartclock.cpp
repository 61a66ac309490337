#include "chart/chartclock.h"

#include "chart/chartmodel.h"

#include "platform/clock.h"

namespace chart {

ChartClock::ChartClock(ChartModel *model, QObject *parent)
    : QObject(parent), m_model(model)
{
    m_tick.setInterval(TickInterval);
    m_tick.setTimerType(Qt::CoarseTimer);
    connect(&m_tick, &QTimer::timeout, this, [this] { checkClock(); });
    m_boundary.setSingleShot(true);
    m_boundary.setTimerType(Qt::PreciseTimer);
    connect(&m_boundary, &QTimer::timeout, this, [this] { checkClock(); });
}

void ChartClock::start()
{
    if (!m_tick.isActive())
        m_tick.start();
    armBoundary();
}

void ChartClock::stop()
{
    m_tick.stop();
    m_boundary.stop();
}

void ChartClock::armBoundary()
{
    // Just past the next full minute of the program clock, so that the
    // events come promptly rather than up to one tick late.  Re-armed at
    // every check, which follows jumps of the clock.
    m_boundary.start(platform::clock::msecsToNextMinute() + 1);
}

bool ChartClock::checkClock()
{
    const QTime now = platform::clock::now().time();
    const QTime last = m_model->curTime();
    const bool changed = now.hour() != last.hour() || now.minute() != last.minute();
    if (isRunning())
        armBoundary();
    if (changed)
        m_model->processMinuteChange(now);
    return changed;
}

} // namespace chart
