#include "runner/daychange.h"
#include "runner/daytables.h"
#include "runner/logpurge.h"
#include "runnersite.h"

#include "platform/clock.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/oplog.h"
#include "store/settings.h"
#include "store/sitepaths.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using runner::DayChange;

namespace {

QTime t(int h, int m) { return QTime(h, m); }

void touch(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write("x");
}

class DayChangeTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        site.makeCurrent();
        platform::clock::setNow(QDateTime(today, QTime(0, 0, 0)));
        settings = std::make_unique<store::Settings>(site.home());
        store::configureLogs(*settings, site.home());
        // Yesterday's view of the world: today and tomorrow filled.
        site.addGroup(1, QStringLiteral("空調A"), true);
        site.addToday(1, t(8, 0), t(9, 0));
        site.addNextday(1, t(10, 0), t(11, 0));
        site.addMaster(1, 5, t(7, 0), t(8, 0));  // Thursday (2026-12-10)
        site.addMaster(1, 9, t(12, 0), t(13, 0)); // special day 2
        site.addMaster(1, 4, t(6, 0), t(7, 0));  // Wednesday (2026-12-09)
    }
    void TearDown() override
    {
        store::configureLogs(store::OpLog());
        platform::clock::useSystemClock();
        qunsetenv("SCH_HOME");
    }

    DayChange makeDayChange(QString memo = QString())
    {
        return DayChange(site.home(), *settings,
                         {[this] { ++memoReloads; }, [memo](const QDate &) { return memo; },
                          [this] { ++chartLoads; }, [] { return false; }});
    }

    QStringList trace() const { return RunnerSite::lines(site.traceFile(today)); }
    // Lets the same midnight be rolled again.
    void forgetRoll() const { ASSERT_TRUE(site.exec(QStringLiteral("PRAGMA user_version = 0"))); }
    int recordedStamp() const
    {
        store::Database db(site.database());
        return db.open() ? db.scalar(QStringLiteral("PRAGMA user_version")).toInt() : -1;
    }

    const QDate today{2026, 12, 9}; // a Wednesday
    RunnerSite site;
    std::unique_ptr<store::Settings> settings;
    int memoReloads = 0;
    int chartLoads = 0;
};

} // namespace

TEST(DayChangeDue, FromTheLastRecordedDay)
{
    const QDate d(2026, 12, 9);
    EXPECT_EQ(DayChange::due(d.addDays(-1), d), DayChange::Kind::Roll);
    EXPECT_EQ(DayChange::due(d.addDays(-3), d), DayChange::Kind::Rebuild);
    EXPECT_FALSE(DayChange::due(d, d).has_value());
    EXPECT_FALSE(DayChange::due(QDate(), d).has_value());
    // A clock set back never rolls backwards.
    EXPECT_FALSE(DayChange::due(d.addDays(1), d).has_value());
}

TEST_F(DayChangeTest, RollsBuildsTomorrowClearsFlagsAndBacksUp)
{
    settings->setMaintenanceFlag(true);
    settings->setClientLoadFlag(true);
    settings->setServerLoadFlag(true);
    settings->setRunnerLoadFlag(true);
    const QString second = site.home() + QStringLiteral("/second/Sch.accdb");
    QDir().mkpath(site.home() + QStringLiteral("/second")); // the second place exists
    site.setIni("DB2", "NAME", second);
    touch(site.traceFile(today.addDays(-30)));
    touch(site.traceFile(today.addDays(-31)));

    DayChange change = makeDayChange();
    ASSERT_TRUE(change.run(DayChange::Kind::Roll, today));

    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 10:00-11:00")});
    // Tomorrow is a Thursday without memo: code 5.
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 07:00-08:00")});
    EXPECT_EQ(memoReloads, 1);
    EXPECT_EQ(chartLoads, 1);
    EXPECT_FALSE(settings->maintenanceFlag());
    EXPECT_FALSE(settings->clientLoadFlag());
    EXPECT_FALSE(settings->serverLoadFlag());
    EXPECT_FALSE(settings->runnerLoadFlag());
    EXPECT_FALSE(QFile::exists(site.traceFile(today.addDays(-30))));
    EXPECT_TRUE(QFile::exists(site.traceFile(today.addDays(-31))));

    // Both copies are whole databases holding the rolled tables.
    for (const QString &copy : {site.home() + QStringLiteral("/SC_DataBase/Sch_BackUp.accdb"), second}) {
        store::Database db(copy);
        ASSERT_TRUE(db.open()) << copy.toStdString();
        EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM NextdayTable")).toInt(), 1);
    }
    EXPECT_EQ(change.lastDone(), today);

    const QStringList lines = trace();
    ASSERT_GE(lines.size(), 2);
    EXPECT_TRUE(lines.first().contains(QStringLiteral("日替わり処理 開始")));
    EXPECT_TRUE(lines.last().contains(QStringLiteral("日替わり処理 終了")));
}

// DB2 NAME typed wrong: the site's own special-day file, and a folder on a
// share that is not mounted.  Neither is touched; the day change goes on.
TEST_F(DayChangeTest, ASecondCopyNeverReplacesTheSitesFilesNorCreatesFolders)
{
    site.writeDayMemos({{QDate(2026, 12, 24), QStringLiteral("特日１")}});
    const QByteArray memos = testsupport::readAll(store::paths::dayInfoPath(site.home()));
    site.setIni("DB2", "NAME", store::paths::dayInfoPath(site.home()));
    ASSERT_TRUE(makeDayChange().run(DayChange::Kind::Roll, today));
    EXPECT_EQ(testsupport::readAll(store::paths::dayInfoPath(site.home())), memos);
    EXPECT_TRUE(QFile::exists(store::paths::backupPath(site.home())));

    const QString unmounted = site.home() + QStringLiteral("/mnt/share/Sch.accdb");
    QDir().mkpath(site.home() + QStringLiteral("/mnt"));
    site.setIni("DB2", "NAME", unmounted);
    forgetRoll();
    ASSERT_TRUE(makeDayChange().run(DayChange::Kind::Roll, today));
    EXPECT_FALSE(QFileInfo::exists(site.home() + QStringLiteral("/mnt/share")));

    const QStringList lines = trace();
    EXPECT_EQ(lines.filter(QStringLiteral("Value:") + store::paths::dayInfoPath(site.home())).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("Value:") + unmounted).size(), 1);
    EXPECT_EQ(lines.filter(QStringLiteral("日替わり処理 終了")).size(), 2);
}

// The roll and its record are one transaction: a second run for the same day
// (the first one cut short after its commit) changes nothing, whatever the
// settings file says; the settings file only gets a copy.
TEST_F(DayChangeTest, ADayIsRolledOnceAndRecordedWithItsTables)
{
    DayChange change = makeDayChange();
    ASSERT_TRUE(change.run(DayChange::Kind::Roll, today));
    EXPECT_EQ(recordedStamp(), 20261209);
    EXPECT_EQ(change.lastDone(), today);
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08")); // a copy that was never written
    ASSERT_TRUE(change.run(DayChange::Kind::Roll, today));
    ASSERT_TRUE(change.run(DayChange::Kind::Rebuild, today));
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 10:00-11:00")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 07:00-08:00")});
    EXPECT_EQ(trace().filter(QStringLiteral("日替わり処理 終了")).size(), 1);
    EXPECT_EQ(change.syncSettingsCopy(), DayChange::CopyResult::Written);
    EXPECT_EQ(site.iniValue("Higawari", "LastDate"), QStringLiteral("2026/12/09"));
    EXPECT_EQ(change.syncSettingsCopy(), DayChange::CopyResult::Current);
}

// A site of the earlier release keeps its date only in Sch.ini: it is read
// from there until the database takes over the record, which is then kept.
TEST_F(DayChangeTest, ADateKeptOnlyInTheSettingsIsTakenOver)
{
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/08"));
    DayChange change = makeDayChange();
    bool inDatabase = true;
    EXPECT_EQ(change.lastDone(&inDatabase), today.addDays(-1));
    EXPECT_FALSE(inDatabase);
    ASSERT_TRUE(change.recordDone(today.addDays(-1)));
    EXPECT_EQ(recordedStamp(), 20261208);
    EXPECT_TRUE(change.recordDone(today)); // a record there is kept
    EXPECT_EQ(recordedStamp(), 20261208);
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/01"));
    EXPECT_EQ(change.lastDone(&inDatabase), today.addDays(-1));
    EXPECT_TRUE(inDatabase);
    // The backup carries the record with it.
    ASSERT_TRUE(change.run(DayChange::Kind::Roll, today));
    store::Database backup(store::paths::backupPath(site.home()));
    ASSERT_TRUE(backup.open());
    EXPECT_EQ(backup.scalar(QStringLiteral("PRAGMA user_version")).toInt(), 20261209);
}

TEST_F(DayChangeTest, SpecialDayMemoAndUnknownMemo)
{
    ASSERT_TRUE(makeDayChange(QStringLiteral(" 特日２ ")).run(DayChange::Kind::Roll, today));
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 12:00-13:00")});

    // A memo that names no day: an empty tomorrow, no broken statement, and
    // one trace entry naming the memo.
    forgetRoll();
    ASSERT_TRUE(makeDayChange(QStringLiteral("休館")).run(DayChange::Kind::Roll, today));
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 12:00-13:00")});
    EXPECT_TRUE(site.dayRows(QStringLiteral("NextdayTable")).isEmpty());
    EXPECT_EQ(trace().filter(QStringLiteral("休館")).size(), 1);
}

TEST_F(DayChangeTest, AFailingStatementChangesNothingAndIsNotRecorded)
{
    // The master cannot be read: the last of the four statements fails.
    ASSERT_TRUE(site.exec(QStringLiteral("ALTER TABLE Schedule RENAME TO ScheduleGone")));
    DayChange change = makeDayChange();
    change.recordDone(today.addDays(-1));
    QString error;
    EXPECT_FALSE(change.run(DayChange::Kind::Roll, today, &error));
    EXPECT_FALSE(error.isEmpty());
    // Today was not emptied, tomorrow not lost.
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 08:00-09:00")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 10:00-11:00")});
    EXPECT_EQ(chartLoads, 0);
    EXPECT_EQ(change.lastDone(), today.addDays(-1)); // tried again at the next tick
    EXPECT_EQ(trace().filter(QStringLiteral("日替わり処理 ｴﾗｰ番号")).size(), 1);
}

TEST_F(DayChangeTest, RebuildAfterSeveralMissedDays)
{
    ASSERT_TRUE(makeDayChange().run(DayChange::Kind::Rebuild, today));
    // Today (Wednesday, 4) and tomorrow (Thursday, 5) both from the master.
    EXPECT_EQ(site.dayRows(QStringLiteral("TodayTable")), QStringList{QStringLiteral("1 06:00-07:00")});
    EXPECT_EQ(site.dayRows(QStringLiteral("NextdayTable")), QStringList{QStringLiteral("1 07:00-08:00")});
}

TEST_F(DayChangeTest, AnOpenConnectionSkipsTheCopiesWithATraceEntry)
{
    DayChange change(site.home(), *settings, {{}, {}, {}, [] { return true; }});
    ASSERT_TRUE(change.run(DayChange::Kind::Roll, today));
    EXPECT_FALSE(QFile::exists(site.home() + QStringLiteral("/SC_DataBase/Sch_BackUp.accdb")));
    EXPECT_EQ(trace().filter(QStringLiteral("DBがオープン状態でバックアップ及び二重化が出来ませんでした。")).size(), 1);
}

TEST(LogPurge, OperationLogsByDateWithoutRegardToCase)
{
    QTemporaryDir dir;
    const QStringList names{QStringLiteral("SCHLOG20261206.CSV"), QStringLiteral("SCHLOG20261207.CSV"),
                            QStringLiteral("schlog20261101.csv"), QStringLiteral("SCHLOG20261206.txt"),
                            QStringLiteral("notes.csv"),          QStringLiteral("SCHLOGabcdefgh.CSV"),
                            QStringLiteral("XXXXXX20200101.CSV")};
    for (const QString &n : names)
        touch(dir.filePath(n));
    const QStringList deleted = runner::logpurge::purgeOperationLogs(dir.path(), QDate(2026, 12, 10), 3);
    EXPECT_EQ(QSet<QString>(deleted.begin(), deleted.end()),
              (QSet<QString>{QStringLiteral("SCHLOG20261206.CSV"), QStringLiteral("schlog20261101.csv")}));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("SCHLOG20261207.CSV"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("XXXXXX20200101.CSV"))));
    EXPECT_TRUE(QFile::exists(dir.filePath(QStringLiteral("SCHLOGabcdefgh.CSV"))));
}

// SAVEDAY typed as a negative number, or one too large to hold: the purge
// never deletes today's log or a later one, and a value below 0 counts as 0.
TEST_F(DayChangeTest, ANegativeSavedayKeepsTodaysAndLaterLogs)
{
    for (const char *saveday : {"-1", "-99999999999"}) {
        SCOPED_TRACE(saveday);
        for (int d = -2; d <= 1; ++d)
            touch(site.opLogFile(today.addDays(d)));
        testsupport::writeAll(site.ini(), QByteArray("[LOG]\r\nFLG=1\r\nDIR=") + site.logFolder().toUtf8()
                                              + "\r\nSAVEDAY=" + saveday + "\r\n");
        store::configureLogs(*settings, site.home());
        forgetRoll();
        ASSERT_TRUE(makeDayChange().run(DayChange::Kind::Roll, today));
        EXPECT_FALSE(QFile::exists(site.opLogFile(today.addDays(-2))));
        EXPECT_FALSE(QFile::exists(site.opLogFile(today.addDays(-1))));
        EXPECT_TRUE(QFile::exists(site.opLogFile(today)));
        EXPECT_TRUE(QFile::exists(site.opLogFile(today.addDays(1))));
    }
}

TEST_F(DayChangeTest, OperationLogsArePurgedOnlyWhileTheLogIsOn)
{
    touch(site.opLogFile(today.addDays(-11)));
    touch(site.opLogFile(today.addDays(-10)));
    store::configureLogs(store::OpLog()); // log off
    ASSERT_TRUE(makeDayChange().run(DayChange::Kind::Roll, today));
    EXPECT_TRUE(QFile::exists(site.opLogFile(today.addDays(-11))));

    store::configureLogs(*settings, site.home()); // on, SAVEDAY missing = 10 days
    forgetRoll();
    ASSERT_TRUE(makeDayChange().run(DayChange::Kind::Roll, today));
    EXPECT_FALSE(QFile::exists(site.opLogFile(today.addDays(-11))));
    EXPECT_TRUE(QFile::exists(site.opLogFile(today.addDays(-10))));
}
