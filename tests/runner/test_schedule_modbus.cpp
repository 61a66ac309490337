// The Schedule program switching real equipment: vantord binds the plant's
// tags to a Modbus TCP device (pymodbus), whose coils and registers are
// checked after the runner's minute.
#include "../vantor/modbussimulator.h"
#include "processes.h"
#include "runnersite.h"
#include "testsupport.h"

#include <QProcess>

#include <gtest/gtest.h>

namespace {

QTime t(int h, int m) { return QTime(h, m); }

class ScheduleModbusTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isValid());
        ASSERT_TRUE(device.isRunning()) << device.why().toStdString();
        site.makeCurrent();
    }
    void TearDown() override { qunsetenv("SCH_HOME"); }

    void bind(const Plant &plant, const QString &lines)
    {
        testsupport::writeAll(plant.folder() + QStringLiteral("/modbus.csv"),
                              ("tag,host,port,unit,table,address,type,scale,poll_ms\n" + lines)
                                  .arg(device.port())
                                  .toUtf8());
    }
    // The journal's lines after its header: "tag,value,result".
    static QStringList journal(const Plant &plant)
    {
        QStringList out;
        const QStringList lines = QString::fromUtf8(testsupport::readAll(plant.folder() + QStringLiteral("/writes.csv")))
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (const QString &line : lines.mid(1))
            out << line.section(QLatin1Char(','), 2);
        return out;
    }

    RunnerSite site;
    ModbusSimulator device;
};


} // namespace

TEST_F(ScheduleModbusTest, StartAndEndValuesOfReservationsGoIntoTheDevice)
{
    Plant plant({"FAN", "SET", "PUMP", "FLOW"});
    bind(plant, QStringLiteral("FAN,127.0.0.1,%1,1,coil,0,bool,,0\n"
                               "SET,127.0.0.1,%1,1,holding,10,int16,10,0\n"
                               "PUMP,127.0.0.1,%1,1,coil,1,bool,,0\n"
                               "FLOW,127.0.0.1,%1,1,holding,20,float32_cdab,,0\n"));
    ASSERT_TRUE(plant.start());
    // Group 1 starts at 08:30; group 2 runs when the runner starts (its
    // start values go out as the catch-up) and ends at 08:30.
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("FAN"), QStringLiteral("送風機"), 1, 0);
    site.addTag(1, QStringLiteral("SET"), QStringLiteral("設定温度"), 22.5, 18);
    site.addToday(1, t(8, 30), t(9, 0));
    site.addGroup(2, QStringLiteral("B棟"), true);
    site.addTag(2, QStringLiteral("PUMP"), QStringLiteral("ポンプ"), 1, 0);
    site.addTag(2, QStringLiteral("FLOW"), QStringLiteral("流量"), 12.5, 0.25);
    site.addToday(2, t(8, 0), t(8, 30));

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 08:29:58"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(waitUntil([&] { return journal(plant).size() == 8; }, 15000)) << journal(plant).join(' ').toStdString();
    ASSERT_TRUE(runner.stop());

    EXPECT_EQ(journal(plant), (QStringList{"FAN,0,ok", "SET,18,ok", "PUMP,1,ok", "FLOW,12.5,ok", // catch-up
                                           "FAN,1,ok", "SET,22.5,ok", "PUMP,0,ok", "FLOW,0.25,ok"}));
    EXPECT_EQ(device.get("coil", 0, 2), (QList<int>{1, 0}));
    EXPECT_EQ(device.get("holding", 10), QList<int>{225});
    EXPECT_EQ(device.get("holding", 20, 2), (QList<int>{0x0000, 0x3e80})) << "0.25 as float32, low word first";
    const QStringList log = site.opLog(QDate(2026, 12, 8));
    EXPECT_TRUE(log.contains(QStringLiteral("FAN|送風機|開始|スケジュール(自動)"))) << log.join('\n').toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("SET|設定温度|設定|スケジュール(自動) 22.5に設定")));
    EXPECT_TRUE(log.filter(QStringLiteral("書込失敗")).isEmpty());
}

// The device goes away at the start minute and is back two seconds later:
// the records say the writes failed, and the runner's retry five seconds
// after the failure switches the device.
TEST_F(ScheduleModbusTest, ADeviceStoppedAtTheStartMinuteGivesFailedWritesAndTheRetrySwitchesIt)
{
    Plant plant({"T1", "T2"});
    bind(plant, QStringLiteral("T1,127.0.0.1,%1,1,coil,3,bool,,0\n"
                               "T2,127.0.0.1,%1,1,holding,4,int16,10,0\n"));
    ASSERT_TRUE(plant.start());
    site.setIni("Load", "Flg", QStringLiteral("1"));
    site.addGroup(1, QStringLiteral("A棟"), true);
    site.addTag(1, QStringLiteral("T1"), QStringLiteral("空調1"), 1, 0);
    site.addTag(1, QStringLiteral("T2"), QStringLiteral("温度1"), 22.5, 0);
    site.addToday(1, t(8, 30), t(9, 0));

    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-08 08:29:58"));
    ASSERT_TRUE(runner.waitReady());
    ASSERT_TRUE(device.stop());
    const QDate day(2026, 12, 8);
    ASSERT_TRUE(waitUntil([&] { return site.opLog(day).filter(QStringLiteral("書込失敗")).size() == 2; }, 10000));
    waitUntil([] { return false; }, 2000);
    ASSERT_TRUE(device.start());
    ASSERT_TRUE(waitUntil([&] { return journal(plant).filter(QStringLiteral(",ok")).size() == 2; }, 15000))
        << journal(plant).join(' ').toStdString();
    waitUntil([&] { return site.opLog(day).size() == 5; }, 5000);
    EXPECT_EQ(runner.process().state(), QProcess::Running);
    ASSERT_TRUE(runner.stop());

    EXPECT_EQ(device.get("coil", 3), QList<int>{1});
    EXPECT_EQ(device.get("holding", 4), QList<int>{225});
    const QStringList lines = journal(plant);
    ASSERT_EQ(lines.size(), 4) << lines.join(' ').toStdString();
    EXPECT_TRUE(lines.at(0).startsWith(QStringLiteral("T1,1,")) && !lines.at(0).endsWith(QStringLiteral(",ok")))
        << lines.at(0).toStdString();
    EXPECT_EQ(lines.at(1), QStringLiteral("T2,22.5,down")) << "the device was noticed down once";
    EXPECT_EQ(lines.mid(2), (QStringList{"T1,1,ok", "T2,22.5,ok"}));
    EXPECT_EQ(site.opLog(day), (QStringList{RunnerStart,
                                            "T1|空調1|開始|スケジュール(自動) 書込失敗",
                                            "T2|温度1|設定|スケジュール(自動) 22.5に設定 書込失敗",
                                            "T1|空調1|開始|スケジュール(自動)",
                                            "T2|温度1|設定|スケジュール(自動) 22.5に設定",
                                            RunnerStop}));
}
