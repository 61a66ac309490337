#include "chart/chartclock.h"
#include "chart/chartmodel.h"
#include "platform/clock.h"

#include <QSignalSpy>
#include <QStringList>
#include <gtest/gtest.h>

using namespace chart;

namespace {

const QDate Day(2026, 12, 8);

// A chart whose range events are recorded as "start 0/5", "end 1/2" ...
struct ClockTest : ::testing::Test
{
    void SetUp() override { at(QTime(7, 0, 30)); }
    void TearDown() override { platform::clock::useSystemClock(); }

    void create()
    {
        model = std::make_unique<ChartModel>();
        clock = std::make_unique<ChartClock>(model.get());
        QObject::connect(model.get(), &ChartModel::PieceRangeStart, model.get(),
                         [this](short i, short p) { fired << QStringLiteral("start %1/%2").arg(i).arg(p); });
        QObject::connect(model.get(), &ChartModel::PieceRangeEnd, model.get(),
                         [this](short i, short p) { fired << QStringLiteral("end %1/%2").arg(i).arg(p); });
    }
    static void at(const QTime &t, const QDate &d = Day) { platform::clock::setNow(QDateTime(d, t)); }
    // Moves the frozen clock and checks as a tick does; returns what fired.
    QStringList tickAt(const QTime &t, const QDate &d = Day)
    {
        fired.clear();
        at(t, d);
        clock->checkClock();
        return fired;
    }

    std::unique_ptr<ChartModel> model;
    std::unique_ptr<ChartClock> clock;
    QStringList fired;
};

} // namespace

TEST_F(ClockTest, PieceAcrossMidnightFiresAtTheLastMinuteAndAtMidnight)
{
    at(QTime(23, 58, 10));
    create();
    model->AddItem(QStringLiteral("A"), GntRect);
    model->SetPieceRange(0, 0, 23, 59, 24, 0);
    EXPECT_EQ(tickAt(QTime(23, 58, 50)), QStringList());
    EXPECT_EQ(tickAt(QTime(23, 59, 0, 100)), QStringList{QStringLiteral("start 0/0")});
    EXPECT_EQ(tickAt(QTime(23, 59, 40)), QStringList()); // once per minute
    EXPECT_EQ(tickAt(QTime(0, 0, 0, 300), Day.addDays(1)), QStringList{QStringLiteral("end 0/0")});
    EXPECT_EQ(model->curTime(), QTime(0, 0));
}

TEST_F(ClockTest, SecondDayPiecesFireAtTheSameClockTimeEveryDay)
{
    at(QTime(0, 59, 30));
    create();
    model->AddItem(QStringLiteral("A"), GntLine);
    model->SetPieceRange(0, 3, 25, 0, 26, 0);
    EXPECT_EQ(tickAt(QTime(1, 0, 1)), QStringList{QStringLiteral("start 0/3")});
    EXPECT_EQ(tickAt(QTime(2, 0, 1)), QStringList{QStringLiteral("end 0/3")});
    tickAt(QTime(0, 59, 0), Day.addDays(1));
    EXPECT_EQ(tickAt(QTime(1, 0, 0), Day.addDays(1)), QStringList{QStringLiteral("start 0/3")});
}

TEST_F(ClockTest, DotPiecesFireOnlyTheirStart)
{
    create();
    model->AddItem(QStringLiteral("dots"), GntDot);
    model->AddItem(QStringLiteral("rect"), GntRect);
    model->SetPieceRange(0, 0, 8, 0, 9, 0);
    model->SetPieceRange(0, 1, 9, 0, 9, 0);
    model->SetPieceRange(1, 0, 8, 0, 9, 0);
    EXPECT_EQ(tickAt(QTime(8, 0)), (QStringList{QStringLiteral("start 0/0"), QStringLiteral("start 1/0")}));
    EXPECT_EQ(tickAt(QTime(9, 0)), (QStringList{QStringLiteral("start 0/1"), QStringLiteral("end 1/0")}));
}

TEST_F(ClockTest, EventsFollowItemOrderAndPieceEnumerationOrder)
{
    create();
    model->AddItem(QStringLiteral("A"), GntRect);
    model->AddItem(QStringLiteral("B"), GntRect);
    model->SetPieceRange(1, 0, 8, 0, 10, 0);
    model->SetPieceRange(0, 4, 8, 0, 9, 0);
    model->SetPieceRange(0, 9, 8, 0, 8, 0);   // starts and ends at 08:00
    model->SetPieceRange(0, 20, 7, 0, 8, 0);  // bucket 1: after bucket 0's pieces
    model->SetPieceRange(0, 2, 8, 30, 9, 0);  // not due
    EXPECT_EQ(tickAt(QTime(8, 0, 0, 1)),
              (QStringList{QStringLiteral("start 0/9"), QStringLiteral("end 0/9"), QStringLiteral("start 0/4"),
                           QStringLiteral("end 0/20"), QStringLiteral("start 1/0")}));
    // The same list the model offers to its callers, without raising anything.
    const QList<RangeEvent> due = model->rangeEventsAt(8, 0);
    ASSERT_EQ(due.size(), 5);
    EXPECT_EQ(due.at(0), (RangeEvent{0, 9, true}));
    EXPECT_EQ(due.at(3), (RangeEvent{0, 20, false}));
}

TEST_F(ClockTest, OnlyMinuteChangesFireNeitherTheCreationMinuteNorSkippedMinutes)
{
    at(QTime(8, 0, 10));
    create();
    model->AddItem(QStringLiteral("A"), GntRect);
    model->SetPieceRange(0, 0, 8, 0, 8, 30);
    model->SetPieceRange(0, 1, 8, 45, 9, 30);
    model->SetPieceRange(0, 2, 9, 0, 10, 0);
    // The control was created in 08:00: nothing fires for it.
    EXPECT_EQ(tickAt(QTime(8, 0, 50)), QStringList());
    // The clock is put forward by an hour and a half: only 09:30 fires.
    EXPECT_EQ(tickAt(QTime(9, 30, 5)), QStringList{QStringLiteral("end 0/1")});
    // And back: the new minute fires again, as any minute change does.
    EXPECT_EQ(tickAt(QTime(8, 30, 0)), QStringList{QStringLiteral("end 0/0")});
    // A piece loaded after its minute has passed gets no event for it.
    model->SetPieceRange(0, 3, 8, 30, 8, 40);
    EXPECT_EQ(tickAt(QTime(8, 30, 40)), QStringList());
}

TEST_F(ClockTest, HandlersMayChangeTheChartWhileEventsAreRaised)
{
    create();
    model->AddItem(QStringLiteral("A"), GntRect);
    model->AddItem(QStringLiteral("B"), GntRect);
    model->SetPieceRange(0, 0, 8, 0, 9, 0);
    model->SetPieceRange(0, 1, 8, 0, 9, 0);
    model->SetPieceRange(1, 0, 8, 0, 9, 0);
    QObject::connect(model.get(), &ChartModel::PieceRangeStart, model.get(), [this](short, short) {
        model->Clear();
        clock->checkClock(); // a nested tick in the same minute fires nothing
    });
    EXPECT_EQ(tickAt(QTime(8, 0)).size(), 3);
    EXPECT_EQ(model->GetItemCount(), 0);
}

TEST_F(ClockTest, MinuteChangeRedrawsTheCurrentTimeMarkerOnlyWhenShownInBrowseMode)
{
    create();
    QSignalSpy view(model.get(), &ChartModel::viewChanged);
    QSignalSpy minute(model.get(), &ChartModel::curTimeChanged);
    tickAt(QTime(7, 1));
    EXPECT_EQ(view.size(), 0);
    model->setShowCurTime(true);
    view.clear();
    tickAt(QTime(7, 2));
    EXPECT_EQ(view.size(), 1);
    model->setActionStyle(GntEdit);
    view.clear();
    tickAt(QTime(7, 3));
    EXPECT_EQ(view.size(), 0);
    EXPECT_EQ(minute.size(), 3);
}

TEST_F(ClockTest, RunningClockFiresJustAfterTheMinuteBoundary)
{
    platform::clock::runFrom(QDateTime(Day, QTime(8, 59, 59, 600)));
    create();
    model->AddItem(QStringLiteral("A"), GntRect);
    model->SetPieceRange(0, 0, 9, 0, 10, 0);
    QSignalSpy started(model.get(), &ChartModel::PieceRangeStart);
    clock->start();
    EXPECT_TRUE(clock->isRunning());
    EXPECT_GE(clock->msecsToBoundaryCheck(), 0);
    EXPECT_LE(clock->msecsToBoundaryCheck(), 401);
    ASSERT_TRUE(started.wait(2000));
    EXPECT_EQ(platform::clock::now().time().minute(), 0);
    clock->stop();
    EXPECT_FALSE(clock->isRunning());
    EXPECT_EQ(clock->msecsToBoundaryCheck(), -1);
}
