#include "store/logging.h"
#include "store/oplog.h"
#include "store/settings.h"
#include "store/tracelog.h"
#include "store/valuetext.h"

#include "platform/clock.h"
#include "platform/textcodec.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "qtprint.h"

using namespace store;

namespace {

// Bytes written down once from a CP932 encoder, so the records are checked
// independently of this system's own conversion.
const QByteArray StartRecord = QByteArray::fromHex(
    "22323032362f31322f36202030383a30303a3033222c2291808dec222c228358835083578385815b838b8ac7979d222c22222c22222c"
    "228358835083578385815b838b288a4a8e6e29220d0a");
const QByteArray SetRecord = QByteArray::fromHex(
    "22323032362f31322f36202030383a33303a3030222c2291808dec222c225432222c224432222c2290dd92e8222c22835883508357838581"
    "5b838b288ea993ae292032322e3582c990dd92e8220d0a");
const QByteArray TraceLine = QByteArray::fromHex(
    "323032362f31322f36202030303a30303a30352020202093fa91d682ed82e88f88979d208a4a8e6e20202056616c75653a202020496e6465"
    "783a3939390d0a");

QDateTime at(int h, int m, int s, int day = 6)
{
    return QDateTime(QDate(2026, 12, day), QTime(h, m, s));
}

class LogTest : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(dir.isValid()); }
    void TearDown() override
    {
        platform::clock::useSystemClock();
        configureLogs(OpLog());
    }
    QString logFolder() const { return dir.filePath(QStringLiteral("oplog")); }
    QString traceFile(int day = 6) const
    {
        return dir.filePath(QStringLiteral("SHLOG/202612%1.TXT").arg(day, 2, 10, QLatin1Char('0')));
    }

    QTemporaryDir dir;
};

TEST_F(LogTest, RecordsAreCp932CsvWithCrLf)
{
    EXPECT_EQ(OpLog::record(at(8, 0, 3), QStringLiteral("スケジュール管理"), QString(), QString(), QStringLiteral("開始")),
              StartRecord);
    EXPECT_EQ(OpLog::record(at(8, 30, 0), QStringLiteral("T2"), QStringLiteral("D2"), QStringLiteral("設定"),
                            QStringLiteral("自動"), setValueText(22.5f)),
              SetRecord);
    // Other actions leave the value out.
    EXPECT_EQ(platform::fromCp932(OpLog::record(at(8, 30, 0), QStringLiteral("T1"), QStringLiteral("D1"),
                                                QStringLiteral("開始"), QStringLiteral("自動"), QStringLiteral("22.5"))),
              QStringLiteral("\"2026/12/6  08:30:00\",\"操作\",\"T1\",\"D1\",\"開始\",\"スケジュール(自動)\"\r\n"));
    // Two-digit month and day, and a quote inside a field that must not split it.
    EXPECT_EQ(platform::fromCp932(OpLog::record(QDateTime(QDate(2026, 11, 23), QTime(23, 5, 9)), QStringLiteral("a\"b"),
                                                QString(), QString(), QStringLiteral("手動"))),
              QStringLiteral("\"2026/11/23  23:05:09\",\"操作\",\"a\"\"b\",\"\",\"\",\"スケジュール(手動)\"\r\n"));
    EXPECT_EQ(TraceLog::line(at(0, 0, 5), QStringLiteral("日替わり処理 開始"), QString(), 999), TraceLine);
    EXPECT_EQ(OpLog::fileName(QDate(2026, 12, 6)), QStringLiteral("SCHLOG20261206.CSV"));
    EXPECT_EQ(TraceLog::fileName(QDate(2026, 1, 2)), QStringLiteral("20260102.TXT"));
}

TEST_F(LogTest, AppendsToOneFilePerDay)
{
    QDir().mkpath(logFolder());
    const OpLog log(true, logFolder(), TraceLog(dir.path()));
    platform::clock::setNow(at(8, 0, 3));
    log.write(QStringLiteral("スケジュール管理"), QString(), QString(), QStringLiteral("開始"));
    platform::clock::setNow(at(8, 30, 0));
    log.write(QStringLiteral("T2"), QStringLiteral("D2"), QStringLiteral("設定"), QStringLiteral("自動"),
              setValueText(22.5f));
    EXPECT_EQ(testsupport::readAll(logFolder() + QStringLiteral("/SCHLOG20261206.CSV")), StartRecord + SetRecord);

    // The first record after midnight starts the new day's file.
    platform::clock::setNow(at(0, 0, 1, 7));
    log.write(QStringLiteral("設定読込"), QString(), QString(), QStringLiteral("完了"));
    EXPECT_TRUE(testsupport::readAll(logFolder() + QStringLiteral("/SCHLOG20261207.CSV")).startsWith("\"2026/12/7  00:00:01\""));
    EXPECT_EQ(testsupport::readAll(logFolder() + QStringLiteral("/SCHLOG20261206.CSV")).count('\n'), 2);
    EXPECT_FALSE(QFile::exists(traceFile(7)));
}

TEST_F(LogTest, OffOrWithoutFolderWritesNothing)
{
    platform::clock::setNow(at(9, 0, 0));
    OpLog(true, QString(), TraceLog(dir.path())).write(QStringLiteral("T1"), QString(), QString(), QStringLiteral("手動"));
    OpLog(false, logFolder(), TraceLog(dir.path())).write(QStringLiteral("T1"), QString(), QString(), QStringLiteral("手動"));
    OpLog().write(QStringLiteral("T1"), QString(), QString(), QStringLiteral("手動"));
    EXPECT_FALSE(QDir(logFolder()).exists());
    EXPECT_FALSE(QDir(dir.filePath(QStringLiteral("SHLOG"))).exists()); // no trace entry either
}

TEST_F(LogTest, UnwritableFolderFallsBackToOneTraceLinePerRecord)
{
    platform::clock::setNow(at(8, 30, 0));
    // A folder that does not exist: the trace folder is made, the caller goes on.
    const OpLog missing(true, dir.filePath(QStringLiteral("no/such/folder")), TraceLog(dir.path()));
    missing.write(QStringLiteral("T1"), QStringLiteral("D1"), QStringLiteral("開始"), QStringLiteral("自動"));
    missing.write(QStringLiteral("T2"), QStringLiteral("D2"), QStringLiteral("終了"), QStringLiteral("自動"));
    EXPECT_EQ(platform::fromCp932(testsupport::readAll(traceFile())),
              QStringLiteral("2026/12/6  08:30:00    操作ログ出力エラー：エラーNO76:パスが見つかりません。   Value:T1   Index:999\r\n"
                             "2026/12/6  08:30:00    操作ログ出力エラー：エラーNO76:パスが見つかりません。   Value:T2   Index:999\r\n"));

    // A folder without write permission (root may write anyway).
    const QString locked = dir.filePath(QStringLiteral("locked"));
    QDir().mkpath(locked);
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
    const QString probe = locked + QStringLiteral("/probe");
    if (!QFile(probe).open(QIODevice::WriteOnly)) {
        QFile::remove(traceFile());
        OpLog(true, locked, TraceLog(dir.path())).write(QStringLiteral("T3"), QString(), QString(), QStringLiteral("手動"));
        EXPECT_TRUE(platform::fromCp932(testsupport::readAll(traceFile())).contains(QStringLiteral("エラーNO70:")));
    }
    QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(LogTest, TraceCreatesItsFolderAndSwallowsFailures)
{
    platform::clock::setNow(at(0, 0, 5));
    const TraceLog trace(dir.path());
    trace.write(QStringLiteral("日替わり処理 開始"), QString(), 999);
    EXPECT_EQ(testsupport::readAll(traceFile()), TraceLine);
    trace.write(QStringLiteral("x"), QStringLiteral("v"), -1);
    EXPECT_TRUE(testsupport::readAll(traceFile()).endsWith("x   Value:v   Index:-1\r\n"));

    // SHLOG blocked by a plain file: the entry is lost, nothing is thrown.
    QTemporaryDir other;
    testsupport::writeAll(other.filePath(QStringLiteral("SHLOG")), "file");
    TraceLog(other.path()).write(QStringLiteral("lost"), QString(), 1);
    EXPECT_EQ(testsupport::readAll(other.filePath(QStringLiteral("SHLOG"))), QByteArray("file"));
}

TEST_F(LogTest, ProgramWideProceduresUseTheSettingsReadAtStart)
{
    const QString ini = dir.filePath(QStringLiteral("Sch.ini"));
    testsupport::writeAll(ini, "[LOG]\r\nFLG=1\r\nDIR=" + QFile::encodeName(logFolder()) + "\r\n");
    QDir().mkpath(logFolder());
    configureLogs(Settings(dir.path()), dir.path());
    // Later changes of the file do not matter: the settings are read once.
    testsupport::writeAll(ini, "[LOG]\r\nFLG=0\r\n");
    platform::clock::setNow(at(8, 0, 3));
    WriteOpLog(QStringLiteral("スケジュール管理"), QString(), QString(), QStringLiteral("開始"));
    EXPECT_EQ(testsupport::readAll(logFolder() + QStringLiteral("/SCHLOG20261206.CSV")), StartRecord);
    platform::clock::setNow(at(0, 0, 5));
    WriteTraceLog(QStringLiteral("日替わり処理 開始"), QString(), 999);
    EXPECT_EQ(testsupport::readAll(traceFile()), TraceLine);
}

} // namespace
