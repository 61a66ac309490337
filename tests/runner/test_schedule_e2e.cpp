// The Schedule program as operators meet it: started in a temporary program
// folder against a running vantord, its clock placed seconds before the
// moment under test; the operation log, the trace log, the plant's journal
// and the database are checked afterwards.
#include "processes.h"
#include "runnersite.h"
#include "testsupport.h"

#include "platform/filelock.h"
#include "platform/singleinstance.h"
#include "store/database.h"
#include "store/sitepaths.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/stat.h>

namespace {

QTime t(int h, int m) { return QTime(h, m); }

class ScheduleTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.makeCurrent(); // the test reaches the runner's channel of this site
    }
    void TearDown() override { qunsetenv("SCH_HOME"); }

    RunnerSite site;
};


// The process id of the Notifier of this site that shows a message, 0 when
// none.  Read from its one-instance lock file, never by taking the lock: a
// probe that held it even for a moment would make the Notifier believe
// another one is shown and quit.
qint64 notifierShown()
{
    const QString lock = platform::SingleInstance::lockPathFor(QStringLiteral("Notifier"));
    const qint64 pid = QString::fromLatin1(testsupport::readAll(lock).split('\n').value(0)).toLongLong();
    return pid > 0 && ::kill(pid_t(pid), 0) == 0 ? pid : qint64(0);
}

} // namespace

TEST_F(ScheduleTest, StartAndEndValuesAtTheMinuteOfAReservation)
{
    Plant plant({QStringLiteral("T1"), QStringLiteral("T2"), QStringLiteral("T3"), QStringLiteral("T4"),
                 QStringLiteral("T5")});
    ASSERT_TRUE(plant.start());
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addTag(1, QStringLiteral("T2"), QStringLiteral("温度1"), 22.5, 0);
    site.addToday(1, t(8, 0), t(8, 30));
    site.addGroup(2, QStringLiteral("B棟"), true);
    site.addTag(2, QStringLiteral("T3"), QStringLiteral("照明2"), 1, 0);
    site.addToday(2, t(8, 30), t(9, 0));
    site.addGroup(3, QStringLiteral("C棟"), false);
    site.addTag(3, QStringLiteral("T4"), QStringLiteral("照明3"), 1, 0);
    site.addToday(3, t(8, 30), t(9, 0));
    // Two reservations that meet at 08:30: the group stays on.
    site.addGroup(4, QStringLiteral("D棟"), true);
    site.addTag(4, QStringLiteral("T5"), QStringLiteral("換気4"), 1, 0);
    site.addToday(4, t(8, 0), t(8, 30));
    site.addToday(4, t(8, 30), t(9, 0));

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 08:29:58"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(waitUntil([&] { return plant.journal().size() >= 8; }, 10000)) << plant.journal().join(' ').toStdString();
    waitUntil([] { return false; }, 300); // time for a wrong end value of D to arrive
    ASSERT_TRUE(runner.stop());

    // At start every valid group is driven to the state of 08:29 ("起動"),
    // at 08:30 group A ends and group B starts ("自動"); the invalid group
    // writes nothing; group D gets its new start values and no end values.
    EXPECT_EQ(plant.journal(),
              (QStringList{"T1=1", "T2=22.5", "T3=0", "T5=1", "T1=0", "T2=0", "T3=1", "T5=1"}));
    const QDate day(2026, 12, 8);
    EXPECT_EQ(site.opLog(day), (QStringList{RunnerStart,
                                            "T1|空調1|開始|スケジュール(起動)",
                                            "T2|温度1|設定|スケジュール(起動) 22.5に設定",
                                            "T3|照明2|終了|スケジュール(起動)",
                                            "T5|換気4|開始|スケジュール(起動)",
                                            "T1|空調1|終了|スケジュール(自動)",
                                            "T2|温度1|終了|スケジュール(自動)",
                                            "T3|照明2|開始|スケジュール(自動)",
                                            "T5|換気4|開始|スケジュール(自動)",
                                            RunnerStop}));
    const QStringList times = site.opLogTimes(day);
    ASSERT_EQ(times.size(), 10);
    EXPECT_TRUE(times.at(5).startsWith(QStringLiteral("2026/12/8  08:30:0"))) << times.at(5).toStdString();
}

TEST_F(ScheduleTest, NoEndValuesAt2359)
{
    Plant plant({QStringLiteral("T1"), QStringLiteral("T2")});
    ASSERT_TRUE(plant.start());
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addToday(1, t(18, 0), t(23, 59));
    // A reservation of the last minute alone: its start is written, its end not.
    site.addGroup(2, QStringLiteral("B棟"), true);
    site.addTag(2, QStringLiteral("T2"), QStringLiteral("空調2"), 1, 0);
    site.addToday(2, t(23, 59), t(23, 59));

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 23:58:58"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(waitUntil([&] { return plant.journal().contains(QStringLiteral("T2=1")); }, 10000));
    waitUntil([] { return false; }, 400); // time for any wrong end value to arrive
    ASSERT_TRUE(runner.stop());

    EXPECT_EQ(plant.journal(), (QStringList{"T1=1", "T2=0", "T2=1"}));
}

TEST_F(ScheduleTest, DayChangeAtMidnight)
{
    Plant plant({QStringLiteral("T1")});
    ASSERT_TRUE(plant.start());
    const QDate today(2026, 12, 9); // the day that begins at the midnight under test
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    site.setIni("MENTE", "FLG", QStringLiteral("1"));
    site.setIni("MENTE", "C-LOAD", QStringLiteral("1"));
    site.setIni("MENTE", "S-LOAD", QStringLiteral("1"));
    site.setIni("LOG", "SAVEDAY", QStringLiteral("3"));
    const QString second = site.home() + QStringLiteral("/second/Sch.accdb");
    QDir().mkpath(site.home() + QStringLiteral("/second")); // the second place exists
    site.setIni("DB2", "NAME", second);
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addToday(1, t(18, 0), t(23, 59));
    site.addNextday(1, t(0, 0), t(6, 0));
    site.addMaster(1, 9, t(7, 0), t(8, 0));  // 特日２
    site.addMaster(1, 5, t(9, 0), t(10, 0)); // Thursday
    site.writeDayMemos({{QDate(2026, 12, 10), QStringLiteral("特日２")}});
    for (const QString &old : {site.opLogFile(QDate(2026, 12, 5)), site.opLogFile(QDate(2026, 12, 6)),
                               site.traceFile(today.addDays(-30)), site.traceFile(today.addDays(-31))}) {
        QDir().mkpath(QFileInfo(old).absolutePath());
        testsupport::writeAll(old, "old\r\n");
    }

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 23:59:58"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(waitUntil([&] { return RunnerSite::lines(site.traceFile(today)).join(' ').contains("日替わり処理 終了"); },
                          10000));
    waitUntil([] { return false; }, 800); // the chart's 00:00 events on the new day
    ASSERT_TRUE(runner.stop());

    // Tomorrow rolled into today; the new tomorrow is the 特日２ master.
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 00:00-06:00")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 07:00-08:00")});
    // A reservation from 00:00 writes no start values: only the catch-up at start wrote.
    EXPECT_EQ(plant.journal(), QStringList{QStringLiteral("T1=1")});
    for (const char *flag : {"FLG", "C-LOAD", "S-LOAD", "J-LOAD"})
        EXPECT_EQ(site.iniValue("MENTE", flag), QStringLiteral("0")) << flag;
    EXPECT_EQ(site.iniValue("Higawari", "LastDate"), QStringLiteral("2026/12/09"));
    for (const QString &copy : {site.home() + QStringLiteral("/SC_DataBase/Sch_BackUp.accdb"), second}) {
        store::Database db(copy);
        ASSERT_TRUE(db.open()) << copy.toStdString();
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM TodayTable")).toInt(), 1);
    }
    EXPECT_FALSE(QFile::exists(site.opLogFile(QDate(2026, 12, 5))));
    EXPECT_TRUE(QFile::exists(site.opLogFile(QDate(2026, 12, 6))));
    EXPECT_FALSE(QFile::exists(site.traceFile(today.addDays(-30))));
    EXPECT_TRUE(QFile::exists(site.traceFile(today.addDays(-31))));
    const QStringList trace = RunnerSite::lines(site.traceFile(today));
    EXPECT_EQ(trace.filter(QStringLiteral("日替わり処理 開始")).size(), 1);
    EXPECT_EQ(trace.filter(QStringLiteral("日替わり処理 終了")).size(), 1);
}

// The runner is killed in the middle of the day change, after the day tables
// were rolled and while it waits for the settings file (an operator's editor
// holds its lock).  Started again, it finds the day rolled and rolls nothing.
TEST_F(ScheduleTest, ARunnerKilledDuringTheDayChangeRollsTheDayOnceInAll)
{
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addToday(1, t(10, 0), t(11, 0));
    site.addNextday(1, t(7, 30), t(8, 30));  // tomorrow, as operators edited it
    site.addMaster(1, 5, t(9, 0), t(10, 0)); // Thursday 12/10
    site.addMaster(1, 4, t(6, 0), t(7, 0));  // Wednesday 12/09: a second roll would bring it in
    const QDate today(2026, 12, 9);
    {
        Runner runner(site, nullptr);
        runner.start(QStringLiteral("2026-12-08 23:59:56"));
        ASSERT_TRUE(runner.waitReady());
        platform::FileLock held(site.ini());
        ASSERT_TRUE(held.isLocked());
        ASSERT_TRUE(waitUntil([&] { return site.dayRows(QStringLiteral("NextdayTable"))
                                               == QStringList{QStringLiteral("1 09:00-10:00")}; },
                              15000));
        ::kill(pid_t(runner.process().processId()), SIGKILL);
        ASSERT_TRUE(runner.waitFinished());
    }
    Runner again(site, nullptr);
    again.start(QStringLiteral("2026-12-09 00:00:30"));
    ASSERT_TRUE(again.waitReady());
    ASSERT_TRUE(again.stop());

    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 07:30-08:30")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 09:00-10:00")});
    EXPECT_EQ(RunnerSite::lines(site.traceFile(today)).filter(QStringLiteral("日替わり処理 開始")).size(), 1);
    // The operators' copy of the date is brought up to date.
    EXPECT_EQ(site.iniValue("Higawari", "LastDate"), QStringLiteral("2026/12/09"));
}

// Named pipes in place of Sch.ini and dayinfor.csv: the runner does not wait
// on them, reads them as unreadable with a trace entry each, and runs.
TEST_F(ScheduleTest, PipesInPlaceOfTheSettingsAndSpecialDayFilesDoNotBlockTheStart)
{
    site.addGroup(1, QStringLiteral("A棟"), true);
    const QString memos = store::paths::dayInfoPath(site.home());
    for (const QString &path : {site.ini(), memos}) {
        QFile::remove(path);
        ASSERT_EQ(::mkfifo(QFile::encodeName(path).constData(), 0600), 0) << path.toStdString();
    }
    Runner runner(site, nullptr);
    runner.start(QStringLiteral("2026-12-08 10:00:00"));
    ASSERT_TRUE(runner.waitReady());
    // The copy of the day-change date cannot go into the pipe: one Notifier.
    ASSERT_TRUE(waitUntil([&] { return notifierShown() > 0; }, 10000));
    ::kill(pid_t(notifierShown()), SIGTERM);
    ASSERT_TRUE(runner.stop());
    const QStringList trace =
        RunnerSite::lines(site.traceFile(QDate(2026, 12, 8))).filter(QStringLiteral("通常のファイルではない"));
    EXPECT_EQ(trace.filter(QStringLiteral("Value:") + site.ini()).size(), 1) << trace.join('\n').toStdString();
    EXPECT_EQ(trace.filter(QStringLiteral("Value:") + memos).size(), 1) << trace.join('\n').toStdString();
    EXPECT_TRUE(QFileInfo(site.ini()).isFile() == false); // the pipe was not replaced
}

// Without a display the start-up failure box could never be answered: the
// message goes to the trace and to standard error, and the runner ends with
// a non-zero status, freeing its single-instance lock.
TEST_F(ScheduleTest, AStartUpFailureWithoutADisplayEndsTheRunnerWithItsMessage)
{
    ASSERT_TRUE(testsupport::writeAll(site.database(), "not a database, an Access file copied over it"));
    Runner runner(site, nullptr);
    runner.process().setProcessChannelMode(QProcess::SeparateChannels);
    // A plain server: no session runtime folder either.
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    qunsetenv("XDG_RUNTIME_DIR");
    runner.start(QStringLiteral("2026-12-08 10:00:00"));
    if (!runtime.isEmpty())
        qputenv("XDG_RUNTIME_DIR", runtime);
    ASSERT_TRUE(runner.waitFinished(10000));
    EXPECT_NE(runner.process().exitCode(), 0);
    const QString said = QString::fromUtf8(runner.process().readAllStandardError());
    EXPECT_TRUE(said.contains(QStringLiteral("スケジュール管理実行に失敗しました。"))) << said.toStdString();
    EXPECT_FALSE(said.contains(QStringLiteral("XDG_RUNTIME_DIR"))) << said.toStdString();
    EXPECT_EQ(RunnerSite::lines(site.traceFile(QDate(2026, 12, 8))).filter(QStringLiteral("スケジュール管理実行に失敗しました。")).size(), 1);
}

TEST_F(ScheduleTest, AMissedMidnightIsCaughtUpOnceAtStart)
{
    Plant plant({QStringLiteral("T1")});
    ASSERT_TRUE(plant.start());
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addToday(1, t(10, 0), t(11, 0));   // yesterday's
    site.addNextday(1, t(7, 30), t(8, 30)); // today's
    site.addMaster(1, 5, t(9, 0), t(10, 0)); // Thursday 12/10

    for (int start = 0; start < 2; ++start) {
        Runner runner(site, &plant);
        runner.start(start == 0 ? QStringLiteral("2026-12-09 08:00:00") : QStringLiteral("2026-12-09 08:00:10"));
        ASSERT_TRUE(runner.waitReady());
        ASSERT_TRUE(waitUntil([&] { return plant.journal().size() == start + 1; }, 10000));
        ASSERT_TRUE(runner.stop());
    }
    // Rolled once: today is the former tomorrow, tomorrow the Thursday master;
    // both starts drove the running reservation's start values.
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 07:30-08:30")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 09:00-10:00")});
    EXPECT_EQ(plant.journal(), (QStringList{"T1=1", "T1=1"}));
    const QStringList trace = RunnerSite::lines(site.traceFile(QDate(2026, 12, 9)));
    EXPECT_EQ(trace.filter(QStringLiteral("日替わり処理 開始")).size(), 1);
    // The trace says why the tables changed at start, naming the dates.
    EXPECT_EQ(trace.filter(QStringLiteral("日替わり処理 起動時の追い付き"))
                  .filter(QStringLiteral("Value:2026/12/08 → 2026/12/09"))
                  .size(),
              1);
}

TEST_F(ScheduleTest, SkipCatchUpSecondInstanceAndStopper)
{
    Plant plant({QStringLiteral("T1")});
    ASSERT_TRUE(plant.start());
    site.setIni("Load", "Flg", QStringLiteral("1"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addToday(1, t(8, 0), t(9, 0));

    Runner first(site, &plant);
    first.start(QStringLiteral("2026-12-08 08:30:00"));
    ASSERT_TRUE(first.waitReady());

    // A second start ends at once and silently, leaving the first untouched.
    Runner second(site, &plant);
    second.start(QStringLiteral("2026-12-08 08:30:00"));
    ASSERT_TRUE(second.waitFinished(5000));
    EXPECT_EQ(second.process().exitCode(), 0);
    EXPECT_EQ(first.process().state(), QProcess::Running);

    // Stopper stops the runner, which writes its stop record.
    QProcess stopper;
    stopper.setProcessEnvironment(first.environment(QStringLiteral("2026-12-08 08:30:05")));
    stopper.start(testsupport::binDir() + QStringLiteral("/Stopper"));
    ASSERT_TRUE(stopper.waitForFinished(5000));
    EXPECT_EQ(stopper.exitCode(), 0);
    ASSERT_TRUE(first.waitFinished());

    EXPECT_TRUE(plant.journal().isEmpty());
    EXPECT_EQ(site.opLog(QDate(2026, 12, 8)), (QStringList{RunnerStart, RunnerStop}));
}

TEST_F(ScheduleTest, OnAClientTheRunnerOnlyWritesItsStartRecord)
{
    Plant plant({QStringLiteral("T1")});
    ASSERT_TRUE(plant.start());
    site.setIni("CLIENT", "FLG", QStringLiteral("1"));
    site.setIni("MENTE", "J-LOAD", QStringLiteral("1"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addToday(1, t(8, 0), t(9, 0));

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 08:30:00"));
    ASSERT_TRUE(runner.waitFinished(5000));
    EXPECT_EQ(site.opLog(QDate(2026, 12, 8)), QStringList{RunnerStart});
    EXPECT_TRUE(plant.journal().isEmpty());
    EXPECT_EQ(site.iniValue("MENTE", "J-LOAD"), QStringLiteral("1"));
}

TEST_F(ScheduleTest, JLoadReloadsAtTheNextTick)
{
    site.setIni("MENTE", "J-LOAD", QStringLiteral("1")); // dropped at start
    site.addGroup(1, QStringLiteral("A棟"), true);

    Runner runner(site, nullptr);
    runner.start(QStringLiteral("2026-12-08 08:29:58"));
    ASSERT_TRUE(runner.waitReady());
    EXPECT_EQ(site.iniValue("MENTE", "J-LOAD"), QStringLiteral("0"));
    site.setIni("MENTE", "J-LOAD", QStringLiteral("1"));
    ASSERT_TRUE(waitUntil([&] { return site.iniValue("MENTE", "J-LOAD") == QLatin1String("0"); }, 10000));
    ASSERT_TRUE(waitUntil([&] { return site.opLog(QDate(2026, 12, 8)).size() >= 2; }, 10000));
    ASSERT_TRUE(runner.stop());
    EXPECT_EQ(site.opLog(QDate(2026, 12, 8)),
              (QStringList{RunnerStart, QStringLiteral("設定読込|||スケジュール(完了)"), RunnerStop}));
}

// The plant is down at the start minute and back three seconds later: the
// records say the writes failed, the retry five seconds after the failure
// switches the tags and writes the usual records.
TEST_F(ScheduleTest, WritesThePlantMissedAreRecordedAsFailedAndRetried)
{
    Plant plant({QStringLiteral("T1"), QStringLiteral("T2")});
    ASSERT_TRUE(plant.start());
    site.setIni("Load", "Flg", QStringLiteral("1"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addTag(1, QStringLiteral("T2"), QStringLiteral("温度1"), 22.5, 0);
    site.addToday(1, t(8, 30), t(9, 0));

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 08:29:58"));
    ASSERT_TRUE(runner.waitReady());
    plant.stop();
    const QDate day(2026, 12, 8);
    ASSERT_TRUE(waitUntil([&] { return site.opLog(day).filter(QStringLiteral("書込失敗")).size() == 2; }, 10000));
    waitUntil([] { return false; }, 2000);
    ASSERT_TRUE(plant.start());
    ASSERT_TRUE(waitUntil([&] { return plant.journal().size() == 2; }, 15000));
    waitUntil([&] { return site.opLog(day).size() == 5; }, 5000);
    EXPECT_EQ(runner.process().state(), QProcess::Running);
    ASSERT_TRUE(runner.stop());

    EXPECT_EQ(plant.journal(), (QStringList{"T1=1", "T2=22.5"}));
    EXPECT_EQ(site.opLog(day), (QStringList{RunnerStart,
                                            "T1|空調1|開始|スケジュール(自動) 書込失敗",
                                            "T2|温度1|設定|スケジュール(自動) 22.5に設定 書込失敗",
                                            "T1|空調1|開始|スケジュール(自動)",
                                            "T2|温度1|設定|スケジュール(自動) 22.5に設定",
                                            RunnerStop}));
    const QStringList times = site.opLogTimes(day);
    ASSERT_EQ(times.size(), 6);
    EXPECT_TRUE(times.at(1).startsWith(QStringLiteral("2026/12/8  08:30:0"))) << times.at(1).toStdString();
    EXPECT_TRUE(times.at(3).startsWith(QStringLiteral("2026/12/8  08:30:0"))) << times.at(3).toStdString();
    EXPECT_GE(times.at(3), QStringLiteral("2026/12/8  08:30:05"));
}

TEST_F(ScheduleTest, AFailedDayChangeChangesNothingAndIsReportedThroughNotifier)
{
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addToday(1, t(10, 0), t(11, 0));
    site.addNextday(1, t(7, 30), t(8, 30));
    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE Schedule RENAME TO ScheduleGone")));

    Runner runner(site, nullptr);
    runner.start(QStringLiteral("2026-12-09 08:00:00"));
    ASSERT_TRUE(runner.waitReady());
    // The Notifier of this site shows the error (it holds its one-instance lock).
    // Watched by reading the lock file, never by taking the lock: a probe that
    // held it even for a moment would make the Notifier believe another one
    // is shown and quit.
    ASSERT_TRUE(waitUntil([&] { return notifierShown() > 0; }, 10000));
    const qint64 notifier = notifierShown();
    EXPECT_EQ(runner.process().state(), QProcess::Running);
    ASSERT_TRUE(runner.stop());
    if (notifier > 0)
        ::kill(pid_t(notifier), SIGTERM);

    // Nothing rolled, the day not recorded: the next tick tries again.
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 10:00-11:00")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 07:30-08:30")});
    EXPECT_EQ(site.iniValue("Higawari", "LastDate"), QStringLiteral("2026/12/08"));
    EXPECT_EQ(RunnerSite::lines(site.traceFile(QDate(2026, 12, 9))).filter(QStringLiteral("日替わり処理 ｴﾗｰ番号")).size(), 1);
}
