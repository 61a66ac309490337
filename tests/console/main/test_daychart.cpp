// Filling a day chart for a date: the source table or day code, piece numbers,
// colours and texts, and the group-number guard; the colour and clock tables.
#include "runnersite.h"

#include "chart/chartmodel.h"
#include "console/main/clockcolours.h"
#include "console/main/daychart.h"
#include "switching/grouprows.h"
#include "console/main/piececolours.h"
#include "store/database.h"

#include <gtest/gtest.h>

namespace {

namespace pc = console::piececolour;

const QDate Today(2026, 12, 8); // a Tuesday

class DayChartTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.addGroup(1, QStringLiteral("空調A"), true);
        site.addGroup(2, QStringLiteral("照明B"), false);
        db = std::make_unique<store::Database>(site.database());
        ASSERT_TRUE(db->open());
    }

    bool load(const QDate &date, const QTime &now = QTime(10, 30), const QString &memo = QString())
    {
        return console::loadDayChart(chart, rows, *db, date, QDateTime(Today, now), memo);
    }
    // "start-end colour text" of every piece of a row, by piece number.
    QStringList pieces(int row) const
    {
        QStringList out;
        for (short no = 1; no <= chart.GetPieceCount(short(row)); ++no) {
            double s = 0, e = 0;
            chart.GetPieceRange2(short(row), no, s, e);
            out << QStringLiteral("%1-%2 %3 %4")
                       .arg(chart.GetPieceRange(short(row), no, 0), 2, 10, QLatin1Char('0'))
                       .arg(chart.GetPieceRange(short(row), no, 2), 2, 10, QLatin1Char('0'))
                       .arg(chart.GetPieceColor(short(row), no), 6, 16, QLatin1Char('0'))
                       .arg(chart.GetPieceText(short(row), no));
        }
        return out;
    }

    RunnerSite site;
    std::unique_ptr<store::Database> db;
    chart::ChartModel chart;
    switching::GroupRows rows;
};

} // namespace

TEST_F(DayChartTest, TodayIsColouredByThePresentTime)
{
    site.addToday(1, QTime(11, 0), QTime(12, 0));
    site.addToday(1, QTime(9, 0), QTime(10, 0));
    site.addToday(1, QTime(10, 0), QTime(11, 0));
    site.addToday(2, QTime(10, 0), QTime(11, 0));
    ASSERT_TRUE(load(Today));
    ASSERT_EQ(chart.GetItemCount(), 2);
    // Rows in name order: 照 (U+7167) before 空 (U+7A7A).
    EXPECT_EQ(chart.GetItemName(0), QStringLiteral("照明B"));
    EXPECT_EQ(rows.row(1), 1);
    EXPECT_EQ(rows.row(2), 0);
    // At 10:30: 09–10 done (blue), 10–11 running (red), 11–12 planned (green),
    // numbered in start order; the invalid group white "無効".
    EXPECT_EQ(pieces(rows.row(1)), (QStringList{"09-10 ff0000 1", "10-11 0000ff 2", "11-12 00ff00 3"}));
    EXPECT_EQ(pieces(rows.row(2)), (QStringList{"10-11 ffffff 無効"}));
    // The bounds count as running: at 11:00:00 the 10–11 piece still runs, so does 11–12.
    ASSERT_TRUE(load(Today, QTime(11, 0)));
    EXPECT_EQ(pieces(rows.row(1)), (QStringList{"09-10 ff0000 1", "10-11 0000ff 2", "11-12 0000ff 3"}));
}

TEST_F(DayChartTest, TomorrowComesFromNextdayTableAllPlanned)
{
    site.addToday(1, QTime(9, 0), QTime(10, 0));
    site.addNextday(1, QTime(6, 0), QTime(7, 0));
    site.addNextday(2, QTime(8, 0), QTime(9, 0));
    ASSERT_TRUE(load(Today.addDays(1)));
    EXPECT_EQ(pieces(rows.row(1)), (QStringList{"06-07 00ff00 1"}));
    EXPECT_EQ(pieces(rows.row(2)), (QStringList{"08-09 ffffff 無効"}));
}

TEST_F(DayChartTest, LaterDatesTakeTheWeeklyMasterOfTheirDayCode)
{
    site.addMaster(1, 5, QTime(8, 0), QTime(9, 0));   // Thursday
    site.addMaster(1, 9, QTime(13, 0), QTime(14, 0)); // 特日２
    site.addMaster(2, 9, QTime(15, 0), QTime(16, 0));
    const QDate thursday = Today.addDays(2);
    ASSERT_TRUE(load(thursday, QTime(10, 30), QStringLiteral("特日２")));
    EXPECT_EQ(pieces(rows.row(1)), (QStringList{"13-14 00ff00 1"}));
    EXPECT_EQ(pieces(rows.row(2)), (QStringList{"15-16 ffffff 無効"}));
    // Without a memo: its weekday's rows.
    ASSERT_TRUE(load(thursday));
    EXPECT_EQ(pieces(rows.row(1)), (QStringList{"08-09 00ff00 1"}));
    EXPECT_TRUE(pieces(rows.row(2)).isEmpty());
    // A memo that names no day kind: no pieces, the rows stay.
    ASSERT_TRUE(load(thursday, QTime(10, 30), QStringLiteral("祝日")));
    EXPECT_EQ(chart.GetItemCount(), 2);
    EXPECT_TRUE(pieces(rows.row(1)).isEmpty());
    EXPECT_TRUE(pieces(rows.row(2)).isEmpty());
}

TEST_F(DayChartTest, EarlierDatesAreAllDone)
{
    site.addMaster(1, 2, QTime(8, 0), QTime(9, 0)); // Monday
    site.addMaster(1, 2, QTime(22, 0), QTime(23, 59));
    site.addMaster(2, 2, QTime(8, 0), QTime(9, 0));
    ASSERT_TRUE(load(Today.addDays(-1)));
    EXPECT_EQ(pieces(rows.row(1)), (QStringList{"08-09 ff0000 1", "22-23 ff0000 2"}));
    EXPECT_EQ(pieces(rows.row(2)), (QStringList{"08-09 ffffff 無効"}));
    EXPECT_EQ(console::dayClassOf(QDate(2025, 12, 31), QDate(2026, 1, 1)), pc::DayClass::Past);
    EXPECT_EQ(console::dayClassOf(QDate(2026, 1, 1), QDate(2026, 1, 1)), pc::DayClass::Today);
    EXPECT_EQ(console::dayClassOf(QDate(2027, 1, 1), QDate(2026, 12, 31)), pc::DayClass::Future);
}

TEST_F(DayChartTest, GroupNumbersOutsideTheRowMapGetNoRow)
{
    site.addGroup(501, QStringLiteral("最後"), true);
    site.addGroup(502, QStringLiteral("範囲外"), true);
    site.addGroup(0, QStringLiteral("番号なし"), true);
    site.addToday(501, QTime(9, 0), QTime(10, 0));
    site.addToday(502, QTime(9, 0), QTime(10, 0));
    site.addToday(1, QTime(9, 0), QTime(10, 0));
    ASSERT_TRUE(load(Today));
    ASSERT_EQ(chart.GetItemCount(), 3);
    EXPECT_EQ(chart.GetItemName(short(rows.row(501))), QStringLiteral("最後"));
    EXPECT_EQ(rows.row(502), -1);
    EXPECT_EQ(rows.row(-1), -1);
    EXPECT_EQ(pieces(rows.row(501)).size(), 1);
    EXPECT_EQ(pieces(rows.row(1)).size(), 1);
    EXPECT_FALSE(rows.set(502, 0));
}

TEST_F(DayChartTest, ADatabaseThatRefusesTheQueryIsReported)
{
    ASSERT_TRUE(site.exec(QStringLiteral("DROP TABLE TodayTable")));
    QString error;
    EXPECT_FALSE(console::loadDayChart(chart, rows, *db, Today, QDateTime(Today, QTime(10, 30)), QString(), &error));
    EXPECT_FALSE(error.isEmpty());
}

TEST(PieceColours, DarkVariantsPairWithTheBrightOnes)
{
    for (quint32 bright : {pc::Invalid, pc::Planned, pc::Running, pc::Done}) {
        const auto dark = pc::darkOf(bright);
        ASSERT_TRUE(dark);
        EXPECT_EQ(pc::brightOf(*dark), bright);
        EXPECT_FALSE(pc::darkOf(*dark));
        EXPECT_FALSE(pc::brightOf(bright));
    }
    EXPECT_EQ(*pc::darkOf(pc::Done), 0x800000u);    // dark blue 0,0,128
    EXPECT_EQ(*pc::darkOf(pc::Invalid), 0xC0C0C0u); // light grey
    EXPECT_FALSE(pc::darkOf(0x123456));
}

TEST(ClockColours, DayFromSevenToSeventeen)
{
    for (int h : {7, 12, 17}) {
        const console::ClockColours c = console::clockColoursAt(h);
        EXPECT_EQ(c.backColor, 0xFFFFFFu) << h;
        EXPECT_EQ(c.foreColor, 0u);
        EXPECT_EQ(c.numberColor, 0xA00000u); // RGB 0,0,160
        EXPECT_EQ(c.hourColor, 0x408000u);   // RGB 0,128,64
    }
    for (int h : {0, 6, 18, 23}) {
        const console::ClockColours c = console::clockColoursAt(h);
        EXPECT_EQ(c.backColor, 0x800000u) << h; // navy
        EXPECT_EQ(c.foreColor, 0xFFFFFFu);
        EXPECT_EQ(c.minuteColor, 0xFF8000u); // RGB 0,128,255
        EXPECT_EQ(c.secondColor, 0x0000FFu); // RGB 255,0,0
    }
    EXPECT_EQ(console::clockColoursAt(11).caption, QStringLiteral("Am"));
    EXPECT_EQ(console::clockColoursAt(12).caption, QStringLiteral("Pm"));
    EXPECT_EQ(console::clockColoursAt(0).caption, QStringLiteral("Am"));
}
