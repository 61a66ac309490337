#include "store/maintenance.h"
#include "store/oplog.h"
#include "store/settings.h"
#include "store/sitepaths.h"

#include "platform/profile.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"

using namespace store;
using maintenance::Side;

namespace {

class SettingsTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    QString ini() const { return dir.filePath(QStringLiteral("Sch.ini")); }
    void writeIni(const char *text) { ASSERT_TRUE(testsupport::writeAll(ini(), QByteArray(text))); }
    Settings settings() const { return Settings(dir.path()); }

    QTemporaryDir dir;
};

TEST(SettingsInteger, LeadingDigitsOrTheFallback)
{
    EXPECT_EQ(settingsInteger(QStringLiteral("12"), 7), 12);
    EXPECT_EQ(settingsInteger(QStringLiteral(" 12abc"), 7), 12);
    EXPECT_EQ(settingsInteger(QStringLiteral("-5"), 7), -5);
    EXPECT_EQ(settingsInteger(QStringLiteral("+3"), 7), 3);
    EXPECT_EQ(settingsInteger(QStringLiteral("1.9"), 7), 1);
    EXPECT_EQ(settingsInteger(QString(), 7), 7);
    EXPECT_EQ(settingsInteger(QStringLiteral("x"), 7), 7);
    EXPECT_EQ(settingsInteger(QStringLiteral("-"), 7), 7);
    EXPECT_EQ(settingsInteger(QStringLiteral("99999999999999"), 0), std::numeric_limits<int>::max());
}

TEST_F(SettingsTest, MissingFileGivesEveryDefault)
{
    const Settings s = settings();
    EXPECT_FALSE(s.maintenanceFlag());
    EXPECT_FALSE(s.runnerLoadFlag());
    EXPECT_EQ(s.tagWritePauseMs(), 0);
    EXPECT_EQ(s.loadFlag(), 0);
    EXPECT_FALSE(s.opLogEnabled());
    EXPECT_EQ(s.opLogKeepDays(), 10);
    EXPECT_FALSE(s.isClient());
    EXPECT_TRUE(s.secondCopyPath().isEmpty());
    EXPECT_EQ(s.chartFontSize(), 9);
    EXPECT_EQ(s.chartGroupWidth(), 200);
    EXPECT_EQ(s.clockFontSize(), 12);
    EXPECT_EQ(s.windowPlacement().width, 0);
    EXPECT_FALSE(OpLog::fromSettings(s).isActive());
    EXPECT_FALSE(QFile::exists(ini())); // reading never creates the file
}

TEST_F(SettingsTest, ValuesAndTheirEmptyAndNonNumericRules)
{
    writeIni("[log]\r\nflg = x\r\nDIR=/var/log/sch\r\nSAVEDAY=abc\r\n"
             "[MENTE]\r\nTIMER=250ms\r\nFLG=1\r\n[Load]\r\nFlg=2\r\n[SIZE]\r\nLeft=10\r\nWidth=800\r\n"
             "[Chart]\r\nFontSize=\r\n");
    Settings s = settings();
    EXPECT_FALSE(s.opLogEnabled()); // "x" is off
    EXPECT_FALSE(OpLog::fromSettings(s).isActive());
    EXPECT_EQ(s.opLogKeepDays(), 10);
    EXPECT_EQ(s.tagWritePauseMs(), 250);
    EXPECT_TRUE(s.maintenanceFlag());
    EXPECT_TRUE(s.skipCatchUp());
    EXPECT_EQ(s.windowPlacement().left, 10);
    EXPECT_EQ(s.windowPlacement().width, 800);
    EXPECT_EQ(s.chartFontSize(), 9);

    writeIni("[LOG]\r\nFLG= 1 \r\nDIR=/var/log/sch\r\nSAVEDAY=30\r\n[MENTE]\r\nTIMER=-20\r\n");
    EXPECT_TRUE(s.opLogEnabled());
    EXPECT_EQ(OpLog::fromSettings(s).folder(), QStringLiteral("/var/log/sch"));
    EXPECT_TRUE(OpLog::fromSettings(s).isActive());
    EXPECT_EQ(s.opLogKeepDays(), 30);
    EXPECT_EQ(s.tagWritePauseMs(), 0); // never a negative pause

    // Empty entries are written as the defaults.
    ASSERT_TRUE(s.setChartFontSize(QString()));
    ASSERT_TRUE(s.setChartGroupWidth(QStringLiteral(" ")));
    ASSERT_TRUE(s.setClockFontSize(QStringLiteral("14")));
    EXPECT_EQ(s.readLocal(ini::Chart, ini::FontSize), QStringLiteral("9"));
    EXPECT_EQ(s.readLocal(ini::Chart, ini::GPWidth), QStringLiteral("200"));
    EXPECT_EQ(s.clockFontSize(), 14);

    WindowPlacement p{1, 5, 6, 1024, 768};
    ASSERT_TRUE(s.setWindowPlacement(p));
    EXPECT_EQ(s.windowPlacement().height, 768);
    EXPECT_EQ(s.windowPlacement().flag, 1);
    // The rest of the file is kept.
    EXPECT_EQ(s.opLogKeepDays(), 30);
}

// Keys whose rule is "when numeric" or "numeric and 1": a value with a number
// in front of other characters is not numeric and counts like an empty one.
TEST_F(SettingsTest, NumericRulesRefuseTextsThatOnlyStartWithANumber)
{
    writeIni("[LOG]\r\nFLG=1x\r\nDIR=/var/log/sch\r\n[Chart]\r\nFontSize=12abc\r\nGPWidth=300px\r\n"
             "[TIME]\r\nFontSize=14pt\r\n[CLIENT]\r\nFLG=1abc\r\n[Load]\r\nFlg=1x\r\n"
             "[Size]\r\nFlg=1\r\nLeft=10px\r\nTop=20\r\nWidth=800x\r\nHeight= 600 \r\n");
    const Settings s = settings();
    EXPECT_FALSE(s.opLogEnabled());
    EXPECT_FALSE(OpLog::fromSettings(s).isActive());
    EXPECT_EQ(s.chartFontSize(), 9);
    EXPECT_EQ(s.chartGroupWidth(), 200);
    EXPECT_EQ(s.clockFontSize(), 12);
    EXPECT_FALSE(s.isClient());
    EXPECT_EQ(s.loadFlag(), 0);
    EXPECT_EQ(s.windowPlacement().left, 0);
    EXPECT_EQ(s.windowPlacement().top, 20);
    EXPECT_EQ(s.windowPlacement().width, 0);
    EXPECT_EQ(s.windowPlacement().height, 600);

    // Numbers with blanks around them, a sign or a fraction are numeric.
    writeIni("[LOG]\r\nFLG= 1.0 \r\nDIR=/var/log/sch\r\n[Chart]\r\nFontSize=+11\r\n[CLIENT]\r\nFLG=2\r\n");
    EXPECT_TRUE(s.opLogEnabled());
    EXPECT_EQ(s.chartFontSize(), 11);
    EXPECT_EQ(s.clientFlag(), 2);
    writeIni("[LOG]\r\nFLG=1.5\r\n");
    EXPECT_FALSE(s.opLogEnabled());

    EXPECT_EQ(settingsNumber(QStringLiteral(" -2.5 ")), -2.5);
    EXPECT_FALSE(settingsNumber(QStringLiteral("1x")).has_value());
    EXPECT_FALSE(settingsNumber(QStringLiteral("")).has_value());
    EXPECT_FALSE(settingsNumber(QStringLiteral(".")).has_value());
}

TEST_F(SettingsTest, ServerKeepsItsFlagsInItsOwnFile)
{
    const Settings s = settings();
    EXPECT_EQ(s.localPath(), ini());
    EXPECT_EQ(s.sharedPath(), ini());
    EXPECT_EQ(s.databasePath(), paths::databasePath(dir.path()));
}

TEST_F(SettingsTest, ClientWritesTheServersFlags)
{
    QTemporaryDir server;
    const QString serverDb = paths::databasePath(server.path());
    writeIni("");
    ASSERT_TRUE(Settings(dir.path()).setClientFlag(1));
    ASSERT_TRUE(Settings(dir.path()).setClientDatabase(serverDb));

    const Settings client = settings();
    EXPECT_EQ(client.databasePath(), serverDb);
    EXPECT_EQ(client.sharedPath(), server.filePath(QStringLiteral("Sch.ini")));
    ASSERT_TRUE(client.setRunnerLoadFlag(true));
    EXPECT_EQ(platform::profile::readString(server.filePath(QStringLiteral("Sch.ini")), QStringLiteral("MENTE"),
                                            QStringLiteral("J-LOAD")),
              QStringLiteral("1"));
    EXPECT_TRUE(client.readLocal(ini::Mente, ini::RunnerLoad).isEmpty());
    // Other keys stay local.
    ASSERT_TRUE(client.setOpLogEnabled(true));
    EXPECT_TRUE(client.opLogEnabled());
    EXPECT_TRUE(client.readShared(ini::Log, ini::LogFlg).isEmpty());

    // A client flag without a database name stays on the local database.
    testsupport::writeAll(ini(), "[CLIENT]\r\nFLG=1\r\n");
    EXPECT_EQ(settings().sharedPath(), ini());
}

TEST_F(SettingsTest, MaintenanceHandOver)
{
    const Settings s = settings();
    EXPECT_EQ(maintenance::enter(s, Side::Client), maintenance::EnterResult::Entered);
    EXPECT_TRUE(s.maintenanceFlag());
    EXPECT_EQ(s.readShared(ini::Mente, ini::ClientLoad), QStringLiteral("0"));
    // A second console is refused while the flag is set.
    EXPECT_EQ(maintenance::enter(s, Side::Server), maintenance::EnterResult::Busy);
    EXPECT_TRUE(s.readShared(ini::Mente, ini::ServerLoad).isEmpty());

    ASSERT_TRUE(maintenance::leave(s, Side::Client));
    EXPECT_FALSE(s.maintenanceFlag());
    EXPECT_TRUE(s.clientLoadFlag());
    EXPECT_TRUE(s.runnerLoadFlag());

    // Polls take a set flag once.
    EXPECT_FALSE(maintenance::takeConsoleReload(s, Side::Client)); // clients watch S-LOAD
    EXPECT_TRUE(maintenance::takeConsoleReload(s, Side::Server));
    EXPECT_FALSE(maintenance::takeConsoleReload(s, Side::Server));
    EXPECT_TRUE(maintenance::takeRunnerReload(s));
    EXPECT_FALSE(maintenance::takeRunnerReload(s));
    EXPECT_EQ(s.readShared(ini::Mente, ini::RunnerLoad), QStringLiteral("0"));

    // The day change clears a flag left behind.
    ASSERT_EQ(maintenance::enter(s, Side::Server), maintenance::EnterResult::Entered);
    ASSERT_TRUE(maintenance::leave(s, Side::Server));
    ASSERT_EQ(maintenance::enter(s, Side::Server), maintenance::EnterResult::Entered);
    ASSERT_TRUE(maintenance::clearAtDayChange(s));
    for (const char *key : {ini::Flg, ini::ClientLoad, ini::ServerLoad, ini::RunnerLoad})
        EXPECT_EQ(s.readShared(ini::Mente, key), QStringLiteral("0")) << key;

    EXPECT_EQ(maintenance::visitSubject(Side::Client), QStringLiteral("クライアント設定"));
    EXPECT_EQ(maintenance::reloadSubject(Side::Server), QStringLiteral("サーバー設定更新"));
}

TEST_F(SettingsTest, UnwritableFolderReportsFailure)
{
    const Settings s(dir.filePath(QStringLiteral("no/such/Sch.ini")), dir.filePath(QStringLiteral("no/such/Sch.ini")));
    EXPECT_FALSE(s.setRunnerLoadFlag(true));
    EXPECT_EQ(maintenance::enter(s, Side::Server), maintenance::EnterResult::Failed);
    EXPECT_FALSE(maintenance::takeRunnerReload(s));
}

} // namespace
