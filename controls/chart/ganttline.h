#pragma once

#include "automation/automationcontrol.h"

#include <QWidget>

class QPainter;

namespace chart {
class ChartClock;
class ChartModel;
class ChartView;
struct ChartLayout;
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
    // The scrolling child that shows the rows.
    chart::ChartView *chartView() const { return m_view; }
    // The current layout (header cells in control coordinates, rows in the
    // chart view's coordinates).
    const chart::ChartLayout &chartLayout() const;
    // Draws the whole control (header and rows) into a painter, e.g. an image.
    void renderChart(QPainter *painter);

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
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;

private:
    void updateClockState();
    void relayout();
    void applyFrame();
    bool nearSplitter(const QPoint &pos) const;
    bool nearHourTick(const QPoint &pos) const;
    int hourTickX(int hour) const;

    chart::ChartModel *m_model;
    chart::ChartClock *m_clock;
    automation::Dispatcher m_dispatcher;
    chart::ChartView *m_view;
    // Header drags: the item-column splitter (guide x) and the hour width
    // (pixels per hour while dragging; 0 when not).
    bool m_splitterDrag = false;
    int m_splitterX = 0;
    int m_hourDragWidth = 0;
};
