#pragma once

#include <QWidget>

class Ganttline;

namespace console {

// The day chart area of the main screen: both day charts, one at the display
// position (filling the area, its left edge at the area's left edge, which
// lines up with CalendarLabel) and the other parked beyond the area's right
// edge, where nothing of it is seen.  A parked chart is not hidden, so its
// clock and its range events keep running.
class ChartStage : public QWidget
{
    Q_OBJECT
public:
    explicit ChartStage(QWidget *parent = nullptr);

    void setCharts(Ganttline *chart0, Ganttline *chart1);
    // Puts chart 0 or 1 at the display position and parks the other.
    void display(int index);
    int displayed() const { return m_displayed; }
    Ganttline *displayedChart() const;

    // The parking position: 16000 twips, or beyond the area when it is wider.
    int parkingX() const;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void place();

    Ganttline *m_charts[2] = {nullptr, nullptr};
    int m_displayed = 1;
};

} // namespace console
