#include "console/main/chartstage.h"

#include "chart/ganttline.h"

namespace console {

namespace {
constexpr int ParkingTwips = 16000;
}

ChartStage::ChartStage(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("ChartStage"));
    setMinimumSize(240, 160);
}

void ChartStage::setCharts(Ganttline *chart0, Ganttline *chart1)
{
    m_charts[0] = chart0;
    m_charts[1] = chart1;
    for (Ganttline *c : m_charts)
        if (c)
            c->setParent(this);
    place();
}

void ChartStage::display(int index)
{
    m_displayed = index == 0 ? 0 : 1;
    place();
}

Ganttline *ChartStage::displayedChart() const
{
    return m_charts[m_displayed];
}

int ChartStage::parkingX() const
{
    return qMax(ParkingTwips / 15, width() + 1);
}

void ChartStage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    place();
}

void ChartStage::place()
{
    for (int i = 0; i < 2; ++i) {
        if (!m_charts[i])
            continue;
        m_charts[i]->setGeometry(i == m_displayed ? 0 : parkingX(), 0, width(), height());
        if (i == m_displayed)
            m_charts[i]->raise();
    }
}

} // namespace console
