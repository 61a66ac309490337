#pragma once

#include "automation/automationcontrol.h"

#include <QWidget>

namespace chart {
class ChartClock;
class ChartModel;
}

// The time-chart control: a widget over chart::ChartModel that a host drives
// through its dispatch interface (model first, then this widget for
// AboutBox).  Its events are the model's signals (eventSource()).  The chart
// clock runs while the control itself is not hidden (!isHidden()), whether or
// not its top-level window is on screen.
class Ganttline : public QWidget, public automation::AutomationControl
{
    Q_OBJECT
public:
    explicit Ganttline(QWidget *parent = nullptr);
    ~Ganttline() override;

    chart::ChartModel *model() const { return m_model; }
    chart::ChartClock *clock() const { return m_clock; }

    // -552: the about dialog.
    Q_INVOKABLE void AboutBox();

    // automation::AutomationControl
    QString controlName() const override;
    QWidget *controlWidget() override { return this; }
    const automation::Dispatcher &dispatcher() const override { return m_dispatcher; }
    QObject *eventSource() override;
    void saveProperties(automation::PropertyBag &bag) const override;
    bool loadProperties(const automation::PropertyBag &bag) override;
    void showPropertyPages(QWidget *parent) override;
    void showAboutBox(QWidget *parent) override;

    void setVisible(bool visible) override;
    QSize sizeHint() const override;

protected:
    bool event(QEvent *e) override;
    void paintEvent(QPaintEvent *e) override;

private:
    void updateClockState();

    chart::ChartModel *m_model;
    chart::ChartClock *m_clock;
    automation::Dispatcher m_dispatcher;
};
