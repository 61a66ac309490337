// The maintenance screens with the runner: special days marked and saved on
// the console are the day kinds of the runner's next day change, and devices
// assigned to a group are written at the group's next start.
#include "processes.h"
#include "screenfixture.h"

#include "calendar/datefold.h"
#include "calendar/datefoldmodel.h"
#include "console/maintenance/flexgrid.h"
#include "console/maintenance/frmholidaysetting.h"
#include "console/maintenance/frmment.h"

#include <QPushButton>

#include <gtest/gtest.h>

namespace {

class ScreensWithRunnerTest : public ScreenTest
{
protected:
    void SetUp() override
    {
        ScreenTest::SetUp();
        site.makeCurrent();
    }
    void TearDown() override
    {
        qunsetenv("SCH_HOME");
        ScreenTest::TearDown();
    }
};

TEST_F(ScreensWithRunnerTest, AMarkAfterTomorrowIsTheDayKindWhenItBecomesTomorrow)
{
    Plant plant({QStringLiteral("T1")});
    ASSERT_TRUE(plant.start());
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addMaster(1, 5, QTime(9, 0), QTime(10, 0));  // Thursday
    site.addMaster(1, 11, QTime(7, 0), QTime(8, 0));  // 特日４

    // On Tuesday 2026-12-08 the operator marks Thursday 特日４ and saves.
    {
        console::FrmHolidaySetting screen(*state);
        for (int i = 0; i < 4; ++i)
            screen.calendarModel().clickDay(QDate(2026, 12, 10));
        screen.findChild<QPushButton *>(QStringLiteral("Command1"))->click();
    }
    EXPECT_TRUE(boxes.shown.isEmpty());

    // At midnight Thursday becomes tomorrow with the 特日４ master.
    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 23:59:57"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(waitUntil([&] { return site.iniValue("Higawari", "LastDate") == QStringLiteral("2026/12/09"); },
                          10000));
    ASSERT_TRUE(runner.stop());
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 07:00-08:00")});
}

TEST_F(ScreensWithRunnerTest, ADeviceAssignedOnTheScreenIsWrittenAtTheNextStart)
{
    Plant plant({QStringLiteral("FAN1"), QStringLiteral("AC1")});
    ASSERT_TRUE(plant.start());
    site.setIni("Load", "Flg", QStringLiteral("1")); // no catch-up at start: only the start minute writes
    site.addGroup(1, QStringLiteral("換気"), true);
    site.addToday(1, QTime(10, 1), QTime(10, 30));
    site.exec(QStringLiteral("INSERT INTO KikiMaster VALUES ('AC1', '空調1', 22.5, 0)"));
    site.exec(QStringLiteral("INSERT INTO KikiMaster VALUES ('FAN1', '換気扇1', 1, 0)"));

    // At 10:00 the operator gives the group its fan on frmMent.
    {
        console::FrmMent ment(*state, 0);
        ASSERT_EQ(ment.groupNo(), 1);
        auto *devices = ment.findChild<console::FlexGrid *>(QStringLiteral("flex2"));
        for (int r = 0; r < devices->rowCount(); ++r) {
            if (devices->text(r, 0) == QStringLiteral("換気扇1"))
                ment.flex2_Click(r);
        }
        ment.findChild<QPushButton *>(QStringLiteral("Command5"))->click();
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT TAG, GPno, StartValue FROM KikiTable")), QStringList{"FAN1|1|1"});

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 10:00:58"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(waitUntil([&] { return !plant.journal().isEmpty(); }, 10000));
    ASSERT_TRUE(runner.stop());
    EXPECT_EQ(plant.journal(), QStringList{QStringLiteral("FAN1=1")});
    EXPECT_TRUE(site.opLog(QDate(2026, 12, 8)).contains(QStringLiteral("FAN1|換気扇1|開始|スケジュール(自動)")));
}

} // namespace
