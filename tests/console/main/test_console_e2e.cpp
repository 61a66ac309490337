// From the operator to the equipment: a reservation added on today's chart in
// the maintenance mode is switched by the runner at its start minute once the
// operator has left the maintenance mode.  The runner Schedule and the plant
// vantord run as programs on the console's temporary site; the console's
// clock and the runner's start at the same moment.
#include "consolefixture.h"
#include "processes.h"

#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/chartview.h"
#include "chart/ganttline.h"
#include "console/maintenance/frmreserve.h"
#include "reservedialog.h"
#include "platform/clock.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {

class ConsoleToPlantTest : public ConsoleTest
{
protected:
    // Draws 09:00-10:00 on a row of the shown chart and answers the dialog
    // with start..end.
    void reserve(int row, const QTime &start, const QTime &end)
    {
        Ganttline *chart = form->shownChart();
        const chart::ChartLayout &l = chart->chartLayout();
        const int y = l.rowRect(row).center().y();
        QPoint from(l.xOf(8 * 60 + 50), y);
        QPoint to(l.xOf(9 * 60 + 50), y);
        QWidget *vp = chart->chartView()->viewport();
        bool answered = false;
        reservedialog::whileShown(
            [&] {
                QTest::mousePress(vp, Qt::LeftButton, {}, from);
                QTest::mouseMove(vp, to);
                QTest::mouseRelease(vp, Qt::LeftButton, {}, to);
            },
            [&](console::FrmReserve &d) {
                d.cboSH->setCurrentIndex(start.hour());
                d.cboSM->setCurrentIndex(start.minute());
                d.cboEH->setCurrentIndex(end.hour());
                d.cboEM->setCurrentIndex(end.minute());
                answered = reservedialog::accept(d);
            });
        ASSERT_TRUE(answered) << boxes.lastText().toStdString();
    }
};

} // namespace

TEST_F(ConsoleToPlantTest, AReservationAddedOnTodaysChartIsSwitchedAtItsStartMinute)
{
    site.addGroup(1, QStringLiteral("換気ファン"), true);
    site.addTag(1, QStringLiteral("FAN1_RUN"), QStringLiteral("換気ファン1"), 1, 0);
    site.setIni("Load", "Flg", QStringLiteral("1")); // no catch-up output at the runner's start
    Plant plant({QStringLiteral("FAN1_RUN")});
    ASSERT_TRUE(plant.start());

    const QDateTime begin(QDate(2026, 12, 8), QTime(8, 29, 50));
    platform::clock::runFrom(begin);
    Runner runner(site, &plant);
    runner.start(begin.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    ASSERT_TRUE(runner.waitReady());

    start();
    enterMaintenance();
    ASSERT_TRUE(state->MaintMode);
    ASSERT_EQ(form->shownDay(), 0);
    // Late in a minute, wait for the next one, so that the runner's reload
    // (at the next full minute) comes a whole minute before the start.
    if (platform::clock::now().time().second() >= 55)
        waitFor([] { return platform::clock::now().time().second() < 55; }, 10000);
    const QTime now = platform::clock::now().time();
    const QTime startMinute = QTime(now.hour(), now.minute()).addSecs(120);
    reserve(0, startMinute, startMinute.addSecs(300));
    ASSERT_EQ(site.dayRows("TodayTable"),
              QStringList{QStringLiteral("1 %1-%2").arg(startMinute.toString(QStringLiteral("HH:mm")),
                                                        startMinute.addSecs(300).toString(QStringLiteral("HH:mm")))});
    // Nothing is switched while the operator is still in the maintenance mode.
    EXPECT_TRUE(plant.journal().isEmpty());
    leaveMaintenance();
    ASSERT_FALSE(state->MaintMode);
    EXPECT_EQ(site.iniValue("MENTE", "J-LOAD"), QStringLiteral("1"));

    const int waitMs = int(platform::clock::now().msecsTo(QDateTime(begin.date(), startMinute))) + 10000;
    ASSERT_TRUE(waitFor([&] { return plant.journal().contains(QStringLiteral("FAN1_RUN=1")); }, waitMs))
        << plant.journal().join(' ').toStdString();
    EXPECT_TRUE(runner.stop());

    // The runner took the reload, then wrote the start value at the start
    // minute and logged it as an automatic start.
    EXPECT_EQ(site.iniValue("MENTE", "J-LOAD"), QStringLiteral("0"));
    const QStringList log = site.opLog(begin.date());
    const QStringList times = site.opLogTimes(begin.date());
    const qsizetype at = log.indexOf(QStringLiteral("FAN1_RUN|換気ファン1|開始|スケジュール(自動)"));
    ASSERT_GE(at, 0) << log.join('\n').toStdString();
    EXPECT_TRUE(times.at(at).contains(QLatin1Char(' ') + startMinute.toString(QStringLiteral("HH:mm:"))))
        << times.at(at).toStdString();
}
