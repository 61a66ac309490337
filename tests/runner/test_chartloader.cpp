#include "runner/chartloader.h"
#include "runnersite.h"

#include "chart/chartmodel.h"
#include "platform/clock.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "store/settings.h"

#include <gtest/gtest.h>

using namespace runner;

TEST(PieceColour, PastRunningFutureBoundsIncluded)
{
    const QTime s(8, 0), e(9, 0);
    EXPECT_EQ(pieceColour(s, e, QTime(7, 59, 59)), colour::Future);
    EXPECT_EQ(pieceColour(s, e, QTime(8, 0, 0)), colour::Running);
    EXPECT_EQ(pieceColour(s, e, QTime(9, 0, 0)), colour::Running);
    EXPECT_EQ(pieceColour(s, e, QTime(9, 0, 1)), colour::Past);
}

class ChartLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.makeCurrent();
        platform::clock::setNow(QDateTime(QDate(2026, 12, 6), QTime(8, 30, 0)));
        store::configureLogs(store::Settings(site.home()), site.home());
    }
    void TearDown() override
    {
        store::configureLogs(store::OpLog());
        platform::clock::useSystemClock();
        qunsetenv("SCH_HOME");
    }
    RunnerSite site;
    chart::ChartModel chart;
    switching::GroupRows rows;
};

TEST_F(ChartLoaderTest, RowsByNamePiecesByStartColoursByState)
{
    site.addGroup(3, QStringLiteral("B棟"), true);
    site.addGroup(1, QStringLiteral("A棟"), false);
    site.addGroup(501, QStringLiteral("C棟"), true);
    site.addToday(3, QTime(9, 0), QTime(10, 0));
    site.addToday(3, QTime(7, 0), QTime(8, 0));
    site.addToday(3, QTime(8, 0), QTime(23, 59));
    site.addToday(1, QTime(8, 0), QTime(9, 0));

    ASSERT_TRUE(fillChart(chart, rows, site.database(), QTime(8, 30)));
    ASSERT_EQ(chart.GetItemCount(), 3);
    EXPECT_EQ(chart.GetItemName(0), QStringLiteral("A棟"));
    EXPECT_EQ(chart.GetItemName(1), QStringLiteral("B棟"));
    EXPECT_EQ(rows.row(1), 0);
    EXPECT_EQ(rows.row(3), 1);
    EXPECT_EQ(rows.row(501), 2);
    EXPECT_EQ(rows.row(2), -1);

    // Pieces numbered from 1 in start order.
    EXPECT_EQ(chart.GetPieceCount(1), 3);
    EXPECT_EQ(chart.GetPieceRange(1, 1, chart::GntStartHour), 7);
    EXPECT_EQ(chart.GetPieceColor(1, 1), colour::Past);
    EXPECT_EQ(chart.GetPieceRange(1, 2, chart::GntEndHour), 23);
    EXPECT_EQ(chart.GetPieceRange(1, 2, chart::GntEndMinute), 59);
    EXPECT_EQ(chart.GetPieceColor(1, 2), colour::Running);
    EXPECT_EQ(chart.GetPieceColor(1, 3), colour::Future);
    // The invalid group: white and "無効", whatever the time.
    EXPECT_EQ(chart.GetPieceColor(0, 1), colour::Invalid);
    EXPECT_EQ(chart.GetPieceText(0, 1), QStringLiteral("無効"));

    // A reload starts afresh.
    site.exec(QStringLiteral("DELETE FROM TodayTable WHERE GPno = 3"));
    ASSERT_TRUE(fillChart(chart, rows, site.database(), QTime(8, 30)));
    EXPECT_EQ(chart.GetPieceCount(1), 0);
    EXPECT_EQ(chart.GetItemCount(), 3);
}

TEST_F(ChartLoaderTest, AGroupBeyondTheRowTableIsRefusedAndTheOthersLoad)
{
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addGroup(600, QStringLiteral("Z棟"), true);
    site.addToday(600, QTime(8, 0), QTime(9, 0));
    site.addToday(1, QTime(8, 0), QTime(9, 0));

    ASSERT_TRUE(fillChart(chart, rows, site.database(), QTime(8, 30)));
    ASSERT_EQ(chart.GetItemCount(), 1);
    EXPECT_EQ(chart.GetItemName(0), QStringLiteral("A棟"));
    EXPECT_EQ(chart.GetPieceCount(0), 1);
    const QStringList trace = RunnerSite::lines(site.traceFile(QDate(2026, 12, 6)));
    ASSERT_EQ(trace.size(), 1);
    EXPECT_TRUE(trace.first().contains(QStringLiteral("LoadData ｴﾗｰ番号 9")));
    EXPECT_TRUE(trace.first().contains(QStringLiteral("Z棟")));
}

TEST_F(ChartLoaderTest, AnUnreadableDatabaseIsTraced)
{
    QFile::remove(site.database());
    EXPECT_FALSE(fillChart(chart, rows, site.database(), QTime(8, 30)));
    const QStringList trace = RunnerSite::lines(site.traceFile(QDate(2026, 12, 6)));
    ASSERT_EQ(trace.size(), 1);
    EXPECT_TRUE(trace.first().contains(QStringLiteral("LoadData ｴﾗｰ番号")));
}

TEST(AnotherPieceRunsOn, AdjacentAndOverlappingReservationsKeepTheGroupOn)
{
    chart::ChartModel chart;
    chart.AddItem(QStringLiteral("A棟"), chart::GntRect);
    chart.SetPieceRange(0, 1, 8, 0, 9, 0);   // ends where the next starts
    chart.SetPieceRange(0, 2, 9, 0, 12, 0);
    chart.SetPieceRange(0, 3, 10, 0, 11, 0); // inside piece 2
    chart.SetPieceRange(0, 4, 11, 0, 12, 0); // ends with piece 2
    EXPECT_TRUE(anotherPieceRunsOn(chart, 0, 1, 9 * 60));
    EXPECT_TRUE(anotherPieceRunsOn(chart, 0, 3, 11 * 60));
    // Two that end together both send their end values.
    EXPECT_FALSE(anotherPieceRunsOn(chart, 0, 2, 12 * 60));
    EXPECT_FALSE(anotherPieceRunsOn(chart, 0, 4, 12 * 60));
    EXPECT_FALSE(anotherPieceRunsOn(chart, 1, 1, 9 * 60)); // no such row
}
