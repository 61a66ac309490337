// The store side of reservation editing: rows found by group, day code and
// start minute; the day tables rebuilt from the master in one transaction.
#include "console/maintenance/dayreflect.h"
#include "console/maintenance/reservationrows.h"
#include "runnersite.h"

#include "store/database.h"
#include "store/recordset.h"

#include <gtest/gtest.h>

namespace {

using console::reservationrows::Outcome;
using store::sql::Day;

QTime t(int h, int m) { return QTime(h, m); }

class RowsTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        ASSERT_TRUE(db.open(site.database()));
    }
    // "gpno code start-end" per master row, ordered.
    QStringList master()
    {
        QStringList out;
        store::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM Schedule ORDER BY GPno, lWeek, StartTime"));
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << QStringLiteral("%1 %2 %3-%4")
                       .arg(rs.integer("GPno"))
                       .arg(rs.integer("lWeek"))
                       .arg(rs.text("StartTime"), rs.text("EndTime"));
        return out;
    }

    RunnerSite site;
    store::Database db;
};

} // namespace

TEST_F(RowsTest, MasterRowsAreFoundByGroupDayCodeAndStartMinute)
{
    site.addMaster(1, 3, t(9, 0), t(10, 0));
    site.addMaster(1, 4, t(9, 0), t(10, 0));
    site.addMaster(2, 3, t(9, 0), t(10, 0));
    site.exec(QStringLiteral("INSERT INTO Schedule VALUES (1, 3, '13:00:30', '14:00:00')"));

    using namespace console::reservationrows;
    EXPECT_EQ(changeMaster(db, 1, 3, t(9, 0), t(11, 0), t(12, 30)).outcome, Outcome::Written);
    // The minute is compared, not the seconds.
    EXPECT_EQ(changeMaster(db, 1, 3, t(13, 0), t(13, 0), t(15, 0)).outcome, Outcome::Written);
    EXPECT_EQ(changeMaster(db, 1, 3, t(9, 0), t(9, 30), t(9, 45)).outcome, Outcome::NoRow);
    EXPECT_EQ(master(), (QStringList{"1 3 11:00:00-12:30:00", "1 3 13:00:00-15:00:00", "1 4 09:00:00-10:00:00",
                                     "2 3 09:00:00-10:00:00"}));

    EXPECT_EQ(deleteMaster(db, 1, 4, t(9, 0)).outcome, Outcome::Written);
    EXPECT_EQ(deleteMaster(db, 1, 4, t(9, 0)).outcome, Outcome::NoRow);
    EXPECT_TRUE(addMaster(db, 2, 11, t(23, 0), t(23, 59)).ok());
    EXPECT_EQ(master(), (QStringList{"1 3 11:00:00-12:30:00", "1 3 13:00:00-15:00:00", "2 3 09:00:00-10:00:00",
                                     "2 11 23:00:00-23:59:00"}));

    // Two rows of one minute: a change and a delete act on the first one read.
    site.addMaster(2, 3, t(9, 0), t(9, 30));
    EXPECT_TRUE(deleteMaster(db, 2, 3, t(9, 0)).ok());
    EXPECT_EQ(master().filter(QStringLiteral("2 3 ")), QStringList{"2 3 09:00:00-09:30:00"});
}

TEST_F(RowsTest, DayRowsAreFoundByGroupAndStartMinuteAndDeletedAllAtOnce)
{
    site.addToday(1, t(9, 0), t(10, 0));
    site.addToday(1, t(9, 0), t(9, 30));
    site.addToday(2, t(9, 0), t(10, 0));
    site.addNextday(1, t(9, 0), t(10, 0));

    using namespace console::reservationrows;
    EXPECT_TRUE(addDay(db, Day::Today, 1, t(18, 0), t(20, 0)).ok());
    EXPECT_TRUE(changeDay(db, Day::Nextday, 1, t(9, 0), t(8, 0), t(8, 45)).ok());
    EXPECT_EQ(changeDay(db, Day::Nextday, 2, t(9, 0), t(8, 0), t(8, 45)).outcome, Outcome::NoRow);
    EXPECT_EQ(deleteDay(db, Day::Today, 1, t(9, 0)).outcome, Outcome::Written);
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 18:00-20:00", "2 09:00-10:00"}));
    EXPECT_EQ(site.dayRows("NextdayTable"), (QStringList{"1 08:00-08:45"}));

    // A closed database refuses with a number; nothing is written.
    db.close();
    const Result refused = addDay(db, Day::Today, 1, t(21, 0), t(22, 0));
    EXPECT_EQ(refused.outcome, Outcome::Failed);
    EXPECT_EQ(refused.errorNumber, store::Database::EngineError);
    EXPECT_EQ(site.dayRows("TodayTable").size(), 2);
}

TEST_F(RowsTest, DayCodesFollowTheMemos)
{
    // 2026-12-08 is a Tuesday.
    const QDate tuesday(2026, 12, 8);
    auto codes = console::dayreflect::dayCodes(tuesday, [](const QDate &) { return QString(); });
    EXPECT_EQ(codes.today, 3);
    EXPECT_EQ(codes.nextday, 4);
    codes = console::dayreflect::dayCodes(tuesday, [&](const QDate &d) {
        return d == tuesday ? QStringLiteral(" 特日３ ") : QStringLiteral("祝日");
    });
    EXPECT_EQ(codes.today, 10);
    EXPECT_FALSE(codes.nextday.has_value()) << "a memo that names no day gives no rows";
}

TEST_F(RowsTest, ReflectAndRebuildReplaceTheDaysInOneTransaction)
{
    site.addMaster(1, 3, t(8, 0), t(9, 0));
    site.addMaster(1, 10, t(10, 0), t(11, 0));
    site.addMaster(1, 4, t(12, 0), t(13, 0));
    site.addMaster(2, 3, t(14, 0), t(15, 0));
    site.addMaster(2, 4, t(16, 0), t(17, 0));
    site.addToday(1, t(20, 0), t(21, 0));
    site.addToday(2, t(20, 0), t(21, 0));
    site.addNextday(1, t(20, 0), t(21, 0));

    console::dayreflect::DayCodes codes;
    codes.today = 10; // "特日３"
    codes.nextday = 4;
    ASSERT_TRUE(console::dayreflect::reflectGroup(db, 1, codes));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 10:00-11:00", "2 20:00-21:00"}));
    EXPECT_EQ(site.dayRows("NextdayTable"), (QStringList{"1 12:00-13:00"}));

    codes.today = 3;
    codes.nextday.reset();
    ASSERT_TRUE(console::dayreflect::rebuildDayTables(db, codes));
    EXPECT_EQ(site.dayRows("TodayTable"), (QStringList{"1 08:00-09:00", "2 14:00-15:00"}));
    EXPECT_TRUE(site.dayRows("NextdayTable").isEmpty());

    // A failing insert into tomorrow: both tables stay as they were, the
    // failure carries a number.
    ASSERT_TRUE(site.exec(QStringLiteral(
        "CREATE TRIGGER refuse BEFORE INSERT ON NextdayTable BEGIN SELECT RAISE(ABORT, 'refused'); END")));
    const QStringList today = site.dayRows("TodayTable");
    codes.nextday = 4;
    console::dayreflect::Failure failure;
    EXPECT_FALSE(console::dayreflect::reflectGroup(db, 1, codes, &failure));
    EXPECT_EQ(failure.number, store::Database::EngineError);
    EXPECT_TRUE(failure.text.contains(QStringLiteral("refused")));
    EXPECT_FALSE(console::dayreflect::rebuildDayTables(db, codes, &failure));
    EXPECT_EQ(site.dayRows("TodayTable"), today);
    EXPECT_TRUE(site.dayRows("NextdayTable").isEmpty());
    // The connection is usable afterwards (no transaction left open).
    EXPECT_TRUE(console::reservationrows::addDay(db, Day::Today, 2, t(22, 0), t(23, 0)).ok());
    EXPECT_EQ(site.dayRows("TodayTable").size(), 3);
}
