#pragma once

#include <QObject>
#include <QTimer>

namespace chart {

class ChartModel;

// Watches the program clock (platform::clock) for the chart: while running it
// checks every 550 ms, and once more just after every full minute, whether
// the minute has changed since the model's curTime(); on a change it hands the
// new minute to ChartModel::processMinuteChange, which raises the range events.
// The widget runs it while the control itself is not hidden.
class ChartClock : public QObject
{
    Q_OBJECT
public:
    static constexpr int TickInterval = 550; // ms

    explicit ChartClock(ChartModel *model, QObject *parent = nullptr);

    void start();
    void stop();
    bool isRunning() const { return m_tick.isActive(); }

    // One check, as a tick does (also callable with a frozen clock): true
    // when the minute had changed and was processed.
    bool checkClock();

    // Milliseconds until the boundary timer fires (-1 when not armed).
    int msecsToBoundaryCheck() const { return m_boundary.isActive() ? m_boundary.remainingTime() : -1; }

private:
    void armBoundary();

    ChartModel *m_model;
    QTimer m_tick;
    QTimer m_boundary;
};

} // namespace chart
