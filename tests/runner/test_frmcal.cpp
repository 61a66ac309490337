#include "runner/frmcal.h"
#include "runnersite.h"

#include "chart/chartmodel.h"
#include "platform/clock.h"
#include "platform/commandchannel.h"
#include "platform/filelock.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "store/sitepaths.h"
#include "testsupport.h"
#include "switching/outputqueue.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

bool poke(const QString &text)
{
    return testsupport::whileServing([text] {
        return platform::channel::poke(QStringLiteral("Schedule"), QStringLiteral("frmCal"),
                                       QStringLiteral("txtDDE"), text);
    });
}

class FrmCalTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.makeCurrent();
        site.setIni("Load", "Flg", QStringLiteral("1"));
        site.addGroup(1, QStringLiteral("A棟"), true);
        site.addGroup(2, QStringLiteral("B棟"), false);
        site.addToday(1, QTime(8, 0), QTime(9, 30));
        site.addToday(1, QTime(13, 0), QTime(17, 0));
        site.addToday(2, QTime(10, 0), QTime(12, 0));
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 0, 45)));
    }
    void TearDown() override
    {
        store::configureLogs(store::OpLog());
        platform::clock::useSystemClock();
        qunsetenv("SCH_HOME");
    }
    RunnerSite site;
};

} // namespace

TEST_F(FrmCalTest, HiddenWithoutArgumentShownAndSentBackByCommand)
{
    runner::FrmCal form;
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule")}));
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Schedule"));
    EXPECT_TRUE(form.isHidden());
    // Started at 10:00:45: the first tick 15 seconds later.
    EXPECT_NEAR(form.minuteTimer()->remainingTime(), 15000, 50);
    EXPECT_EQ(form.chartModel().GetItemCount(), 2);

    auto *txtDDE = form.findChild<QLineEdit *>(QStringLiteral("txtDDE"));
    auto *command2 = form.findChild<QPushButton *>(QStringLiteral("Command2"));
    auto *check1 = form.findChild<QCheckBox *>(QStringLiteral("Check1"));
    ASSERT_TRUE(txtDDE && command2 && check1);
    EXPECT_EQ(command2->text(), QStringLiteral("ﾊﾞｯｸｸﾞﾗｳﾝﾄﾞへ"));
    EXPECT_EQ(check1->text(), QStringLiteral("タスクバーへ表示"));

    ASSERT_TRUE(poke(QStringLiteral("1")));
    EXPECT_TRUE(form.isVisible());
    if (const QString dir = qEnvironmentVariable("SCH_SCREENSHOT_DIR"); !dir.isEmpty())
        form.grab().save(dir + QStringLiteral("/frmcal.png"));

    // Hidden by other means, the same text again is no command.
    form.hide();
    ASSERT_TRUE(poke(QStringLiteral("1")));
    EXPECT_TRUE(form.isHidden());

    // "ﾊﾞｯｸｸﾞﾗｳﾝﾄﾞへ" resets the text, so the next "1" shows the window again.
    form.show();
    command2->click();
    EXPECT_TRUE(form.isHidden());
    EXPECT_EQ(txtDDE->text(), QStringLiteral("0"));
    ASSERT_TRUE(poke(QStringLiteral("1")));
    EXPECT_TRUE(form.isVisible());

    // With "タスクバーへ表示" ticked the window is minimised instead.
    check1->setChecked(true);
    command2->click();
    EXPECT_TRUE(form.isMinimized());
}

TEST_F(FrmCalTest, VisibleWhenStartedWithAnArgument)
{
    runner::FrmCal form;
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule"), QStringLiteral("1")}));
    EXPECT_TRUE(form.isVisible());
}

namespace {

// The form at the last seconds of 8 December, its minute ticks driven by hand.
class FrmCalMidnightTest : public FrmCalTest
{
protected:
    void SetUp() override
    {
        FrmCalTest::SetUp();
        site.addNextday(1, QTime(7, 30), QTime(8, 30));
        site.addMaster(1, 5, QTime(9, 0), QTime(10, 0)); // Thursday 12/10
        site.addMaster(1, 4, QTime(6, 0), QTime(7, 0));  // Wednesday 12/09: a second roll brings it in
        platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(23, 59, 58)));
        platform::FileLock::setDefaultTimeout(200);
        form.setNotifier([this](const QString &text) { notified << text; });
        ASSERT_TRUE(form.startUp({QStringLiteral("Schedule")}));
    }
    void TearDown() override
    {
        platform::FileLock::setDefaultTimeout(5000);
        FrmCalTest::TearDown();
    }
    void tickAt(int h, int m)
    {
        platform::clock::setNow(QDateTime(day, QTime(h, m, 0)));
        form.Timer2_Timer();
    }
    QStringList trace() const { return RunnerSite::lines(site.traceFile(day)); }

    const QDate day{2026, 12, 9};
    runner::FrmCal form;
    QStringList notified;
};

} // namespace

// An operator's editor holds the settings file's lock across midnight: the
// day is rolled once, the copy of its date in Sch.ini follows when it can.
TEST_F(FrmCalMidnightTest, ASettingsFileLockedAcrossMidnightRollsTheDayOnce)
{
    {
        platform::FileLock held(site.ini(), 0);
        ASSERT_TRUE(held.isLocked());
        tickAt(0, 0);
        tickAt(0, 1);
        tickAt(0, 2);
    }
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 07:30-08:30")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 09:00-10:00")});
    EXPECT_EQ(trace().filter(QStringLiteral("日替わり処理 開始")).size(), 1);
    // The copy that could not be written: one trace entry, one Notifier.
    EXPECT_EQ(trace().filter(QStringLiteral("Sch.ini に書けませんでした")).size(), 1);
    ASSERT_EQ(notified.size(), 1);
    EXPECT_TRUE(notified.first().contains(QStringLiteral("Sch.ini"))) << notified.first().toStdString();
    EXPECT_NE(site.iniValue("Higawari", "LastDate"), QStringLiteral("2026/12/09"));
    tickAt(0, 3); // the lock is free again: the copy follows
    EXPECT_EQ(site.iniValue("Higawari", "LastDate"), QStringLiteral("2026/12/09"));
    EXPECT_EQ(notified.size(), 1);
}

// A day change that keeps failing is traced at every tick but shown once;
// when it succeeds late, the trace names the dates it rolled.
TEST_F(FrmCalMidnightTest, AFailingDayChangeIsShownOnceAndALateRollNamesItsDates)
{
    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE Schedule RENAME TO ScheduleGone")));
    tickAt(0, 0);
    tickAt(0, 1);
    tickAt(0, 2);
    EXPECT_EQ(trace().filter(QStringLiteral("日替わり処理 ｴﾗｰ番号")).size(), 3);
    EXPECT_EQ(notified.size(), 1) << notified.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), (QStringList{QStringLiteral("1 08:00-09:30"),
                                                                      QStringLiteral("1 13:00-17:00"),
                                                                      QStringLiteral("2 10:00-12:00")}));

    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE ScheduleGone RENAME TO Schedule")));
    tickAt(0, 3);
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 07:30-08:30")});
    EXPECT_EQ(trace().filter(QStringLiteral("日替わり処理 遅れた日替わり")).filter(QStringLiteral("2026/12/08 → 2026/12/09")).size(), 1);
    EXPECT_EQ(notified.size(), 1);
}

// A reload asked for by a console fails (the group table cannot be read): it
// is retried at every minute tick, shown once, and "完了" is written only
// after the load that worked, which then drives every valid group to the
// state of that minute, as at start-up.
TEST_F(FrmCalTest, AFailedReloadIsRetriedEveryMinuteAndCatchesUpWhenItWorks)
{
    site.setIni("Load", "Flg", QStringLiteral("0"));
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    runner::FrmCal form;
    QStringList notified;
    form.setNotifier([&](const QString &text) { notified << text; });
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule")}));
    const QDate day(2026, 12, 8);
    auto records = [&] { return site.opLog(day); };
    auto drain = [&] {
        for (int i = 0; i < 200 && !form.output().isIdle(); ++i)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    };
    drain();
    const int atStart = int(records().size());
    EXPECT_EQ(records().filter(QStringLiteral("スケジュール(起動)")).size(), 1); // A is off at 10:00

    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE GroupMaster RENAME TO GroupGone")));
    site.setIni("MENTE", "J-LOAD", QStringLiteral("1"));
    for (int m = 1; m <= 3; ++m) {
        platform::clock::setNow(QDateTime(day, QTime(10, m, 0)));
        form.Timer2_Timer();
        drain();
    }
    EXPECT_EQ(records().size(), atStart); // no "完了" for a load that failed
    EXPECT_EQ(RunnerSite::lines(site.traceFile(day)).filter(QStringLiteral("LoadData ｴﾗｰ番号")).size(), 3);
    EXPECT_EQ(notified.size(), 1);
    EXPECT_TRUE(form.findChild<QWidget *>(QStringLiteral("Ganttline1"))->isHidden());

    // Back at 13:05, inside A's second reservation: the load works, and A is
    // switched on by the catch-up.
    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE GroupGone RENAME TO GroupMaster")));
    platform::clock::setNow(QDateTime(day, QTime(13, 5, 0)));
    form.Timer2_Timer();
    drain();
    EXPECT_FALSE(form.findChild<QWidget *>(QStringLiteral("Ganttline1"))->isHidden());
    const QStringList after = records().mid(atStart);
    ASSERT_EQ(after.size(), 2) << after.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(after.at(0), QStringLiteral("設定読込|||スケジュール(完了)"));
    EXPECT_TRUE(after.at(1).startsWith(QStringLiteral("T1|空調1|開始|スケジュール(起動)"))) << after.at(1).toStdString();
    // Later ticks load nothing more.
    platform::clock::setNow(QDateTime(day, QTime(13, 6, 0)));
    form.Timer2_Timer();
    drain();
    EXPECT_EQ(records().size(), atStart + 2);
    EXPECT_EQ(notified.size(), 1);
}

// Today's table cannot be read at start: the rows are there without their
// pieces, and the catch-up must not switch off a group that should run; it
// follows the first load that works.
TEST_F(FrmCalTest, AStartWithoutTodaysTableSwitchesNothingUntilTheLoadWorks)
{
    site.setIni("Load", "Flg", QStringLiteral("0"));
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE TodayTable RENAME TO TodayGone")));
    const QDate day(2026, 12, 8);
    platform::clock::setNow(QDateTime(day, QTime(13, 4, 30)));
    runner::FrmCal form;
    QStringList notified;
    form.setNotifier([&](const QString &text) { notified << text; });
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule")}));
    auto drain = [&] {
        for (int i = 0; i < 200 && !form.output().isIdle(); ++i)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    };
    drain();
    EXPECT_TRUE(site.opLog(day).filter(QStringLiteral("T1")).isEmpty());
    EXPECT_EQ(notified.size(), 1);

    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE TodayGone RENAME TO TodayTable")));
    platform::clock::setNow(QDateTime(day, QTime(13, 5, 0)));
    form.Timer2_Timer();
    drain();
    const QStringList t1 = site.opLog(day).filter(QStringLiteral("T1"));
    ASSERT_EQ(t1.size(), 1);
    EXPECT_TRUE(t1.first().startsWith(QStringLiteral("T1|空調1|開始|スケジュール(起動)"))) << t1.first().toStdString();
}

// A special-day file saved in UTF-8 with one damaged byte: the other special
// days stay as they are, and the trace names the broken line.
TEST_F(FrmCalTest, ASpecialDayFileWithABrokenByteKeepsItsOtherDays)
{
    const QByteArray damaged = "2026/12/10,\"\xE7\x89\xB9\xE6\x97\xA5\xEF\xBC\x92\",\r\n" // 特日２
                               "2026/12/11,\"\xE7\x89\xB9\xFF\",\r\n"                   // broken
                               "2026/12/12,\"\xE7\x89\xB9\xE6\x97\xA5\xEF\xBC\x93\",\r\n"; // 特日３
    ASSERT_TRUE(testsupport::writeAll(store::paths::dayInfoPath(site.home()), damaged));
    runner::FrmCal form;
    ASSERT_TRUE(form.startUp({QStringLiteral("Schedule")}));
    EXPECT_EQ(form.dayChange().dayCodeOf(QDate(2026, 12, 10)), 9);
    EXPECT_EQ(form.dayChange().dayCodeOf(QDate(2026, 12, 12)), 10);
    const QStringList trace = RunnerSite::lines(site.traceFile(QDate(2026, 12, 8)));
    EXPECT_EQ(trace.filter(QStringLiteral("2 行目")).filter(store::paths::dayInfoPath(site.home())).size(), 1)
        << trace.join(QLatin1Char('\n')).toStdString();
}
