// vantord as the gateway to Modbus TCP devices, against pymodbus devices.
#include "modbussimulator.h"
#include "vantorprocess.h"

#include "clientconnection.h"
#include "protocol.h"

#include "testsupport.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>

namespace protocol = vantor::protocol;

namespace {

// A client of vantord, as a program using the product's protocol.
class Client
{
public:
    explicit Client(const QString &folder) { m_ok = m_link.open(folder, QStringLiteral("test")); }
    bool isOpen() const { return m_ok; }

    // Writes a number to a tag; the result of the item ("ok" or the error).
    QString write(const QString &name, double v, qint64 *elapsedMs = nullptr)
    {
        QVariantList results;
        if (!m_link.request(protocol::Resolve, {QVariant(QVariantList{name.toUtf8()})}, &results))
            return QStringLiteral("no answer");
        const qint32 id = protocol::toInts(results.value(0)).value(0, -1);
        QElapsedTimer t;
        t.start();
        const bool answered = m_link.request(protocol::Write,
                                             {QStringLiteral("2026-12-08 18:00:00.000"), QVariantList{id},
                                              QVariantList{QByteArray(reinterpret_cast<const char *>(&v), 8)}},
                                             &results, m_link.writeWaitMs() + 1000);
        if (elapsedMs)
            *elapsedMs = t.elapsed();
        if (!answered)
            return QStringLiteral("no answer");
        return results.value(1).toList().value(0).toString();
    }

    // Subscribes to alarms; their texts collect in alarms.
    void watchAlarms()
    {
        QObject::connect(&m_link, &vantor::ClientConnection::pushed, [this](const protocol::Message &m) {
            if (m.op == protocol::AlarmPush)
                alarms.append(m.args.value(1).toString());
        });
        m_link.post(protocol::AlarmSubscribe, {1});
    }
    QStringList alarms;

private:
    vantor::ClientConnection m_link;
    bool m_ok = false;
};

const QByteArray Tags = "name,type,value,comment\n"
                        "C,number,0,\nHB,number,0,\nI16,number,0,\nU16,number,0,\nI32,number,0,\n"
                        "U32,number,0,\nF,number,0,\nFC,number,0,\nFAR,number,0,\nLOCAL,number,0,\n";

QString bindingLine(const QString &tag, int port, const QString &rest)
{
    return QStringLiteral("%1,127.0.0.1,%2,%3\n").arg(tag).arg(port).arg(rest);
}

} // namespace

TEST(ModbusGateway, WritesEveryTableAndTypeIntoTheDeviceAndJournalsTheResult)
{
    ModbusSimulator device;
    ASSERT_TRUE(device.isRunning()) << device.why().toStdString();
    VantorProcess vantor(Tags);
    const int port = device.port();
    const QString csv = QStringLiteral("tag,host,port,unit,table,address,type,scale,poll_ms,word_order\n")
                        + bindingLine("C", port, "1,coil,0,bool,,0,") + bindingLine("HB", port, "1,holding,1,bool,,0,")
                        + bindingLine("I16", port, "1,holding,2,int16,10,0,")
                        + bindingLine("U16", port, "1,holding,3,uint16,,0,")
                        + bindingLine("I32", port, "1,holding,4,int32,,0,")
                        + bindingLine("U32", port, "1,holding,6,uint32,,0,cdab")
                        + bindingLine("F", port, "1,holding,8,float32,,0,")
                        + bindingLine("FC", port, "1,holding,10,float32_cdab,,0,")
                        + bindingLine("FAR", port, "1,holding,2000,uint16,,0,");
    testsupport::writeAll(vantor.file("modbus.csv"), csv.toUtf8());
    ASSERT_TRUE(vantor.start()) << vantor.serverErrors().toStdString();
    Client client(vantor.folder());
    ASSERT_TRUE(client.isOpen());

    EXPECT_EQ(client.write("C", 1), "ok");
    EXPECT_EQ(client.write("HB", 5), "ok");
    EXPECT_EQ(client.write("I16", -22.5), "ok");
    EXPECT_EQ(client.write("U16", 65535), "ok");
    EXPECT_EQ(client.write("I32", -2), "ok");
    EXPECT_EQ(client.write("U32", 0x12345678), "ok");
    EXPECT_EQ(client.write("F", 1.5), "ok");
    EXPECT_EQ(client.write("FC", -2.25), "ok");
    EXPECT_EQ(client.write("LOCAL", 7), "ok") << "an unbound tag as before";
    EXPECT_EQ(client.write("U16", 70000), "out of range") << "never wrapped";
    EXPECT_EQ(client.write("FAR", 1), "exception 2") << "refused by the device";

    EXPECT_EQ(device.get("coil", 0), QList<int>{1});
    EXPECT_EQ(device.get("holding", 1, 10), (QList<int>{1, 65311, 65535, 0xffff, 0xfffe, 0x5678, 0x1234, 0x3fc0, 0, 0}));
    EXPECT_EQ(device.get("holding", 11), QList<int>{0xc010});

    EXPECT_EQ(vantor.ctl({"read", "HB", "I16", "U16", "U32", "FC", "FAR"}),
              QStringLiteral("HB = 1\nI16 = -22.5\nU16 = 65535\nU32 = 305419896\nFC = -2.25\nFAR = 0\n"))
        << "a tag holds what its device holds; a refused write changes nothing";
    int rc = 0;
    vantor.ctl({"write", "FAR", "3"}, &rc);
    EXPECT_EQ(rc, 1);

    const QStringList journal = vantor.journal();
    ASSERT_EQ(journal.size(), 12) << journal.join('\n').toStdString();
    EXPECT_TRUE(journal.at(0).endsWith(",test,C,1,ok")) << journal.at(0).toStdString();
    EXPECT_TRUE(journal.at(2).endsWith(",test,I16,-22.5,ok"));
    EXPECT_TRUE(journal.at(9).endsWith(",test,U16,70000,out of range"));
    EXPECT_TRUE(journal.at(10).endsWith(",test,FAR,1,exception 2"));
    EXPECT_TRUE(journal.at(11).endsWith(",vantorctl,FAR,3,exception 2"));
    EXPECT_TRUE(testsupport::readAll(vantor.file("writes.csv")).startsWith("time,client,tag,value,result\n"));
}

TEST(ModbusGateway, TagsFollowTheDeviceAndAPointItRefusesIsOfBadQuality)
{
    ModbusSimulator device;
    ASSERT_TRUE(device.isRunning()) << device.why().toStdString();
    VantorProcess vantor(Tags);
    const int port = device.port();
    // I16, U16 and FAR lie next to each other: one request, until the device refuses FAR.
    const QString csv = QStringLiteral("tag,host,port,unit,table,address,type,scale,poll_ms\n")
                        + bindingLine("C", port, "1,coil,7,bool,,40") + bindingLine("I16", port, "1,holding,998,int16,10,40")
                        + bindingLine("U16", port, "1,holding,999,uint16,,40")
                        + bindingLine("FAR", port, "1,holding,1000,uint16,,40")
                        + bindingLine("F", port, "1,holding,20,float32,,40")
                        + bindingLine("FC", port, "1,holding,22,float32_cdab,,40");
    testsupport::writeAll(vantor.file("modbus.csv"), csv.toUtf8());
    ASSERT_TRUE(vantor.start()) << vantor.serverErrors().toStdString();

    // Changed at the panel by hand.
    ASSERT_TRUE(device.set("coil", 7, {1}));
    ASSERT_TRUE(device.set("holding", 998, {65511, 42}));
    ASSERT_TRUE(device.set("holding", 20, {0x4049, 0x0fdb, 0x0000, 0xbfc0}));
    const QString expected = QStringLiteral("C = 1\nI16 = -2.5\nU16 = 42\nF = 3.1415927\nFC = -1.5\nFAR = (not readable)\n");
    QString seen;
    ASSERT_TRUE(QTest::qWaitFor([&] { return (seen = vantor.ctl({"read", "C", "I16", "U16", "F", "FC", "FAR"})) == expected; },
                                5000))
        << seen.toStdString();

    const QString far = vantor.ctl({"show", "FAR"});
    EXPECT_TRUE(far.contains(QStringLiteral("  quality: bad: exception 2\n"))) << far.toStdString();
    const QString u16 = vantor.ctl({"show", "U16"});
    EXPECT_TRUE(u16.contains(QStringLiteral("U16 = 42\n  binding: modbus 127.0.0.1:%1 unit 1 holding 999 uint16 poll 40 ms\n"
                                            "  quality: good\n  last poll: 20")
                                 .arg(port)))
        << u16.toStdString();
    EXPECT_EQ(vantor.ctl({"devices"}).section(QLatin1Char(' '), 0, 1), QStringLiteral("127.0.0.1:%1 up").arg(port));
    EXPECT_TRUE(vantor.journal().isEmpty()) << "reads are not writes";
}

TEST(ModbusGateway, ADeadDeviceFailsItsWritesWithoutDelayingOthersAndComesBack)
{
    ModbusSimulator first, second;
    ASSERT_TRUE(first.isRunning() && second.isRunning()) << first.why().toStdString() << second.why().toStdString();
    VantorProcess vantor(Tags);
    testsupport::writeAll(vantor.file("Vantor.ini"), "[MODBUS]\r\nTIMEOUT_MS=600\r\n");
    const QString csv = QStringLiteral("tag,host,port,unit,table,address,type,scale,poll_ms\n")
                        + bindingLine("I16", first.port(), "1,holding,0,int16,,0")
                        + bindingLine("U16", second.port(), "1,holding,0,uint16,,0");
    testsupport::writeAll(vantor.file("modbus.csv"), csv.toUtf8());
    ASSERT_TRUE(vantor.start()) << vantor.serverErrors().toStdString();
    Client client(vantor.folder());
    ASSERT_TRUE(client.isOpen());
    client.watchAlarms();
    ASSERT_EQ(client.write("I16", 1), "ok");

    // The first device stops answering while a write to it is under way; the
    // second one's writes go through meanwhile.
    ASSERT_TRUE(first.mute());
    QProcess slowWrite;
    slowWrite.start(VantorProcess::binDir() + "/vantorctl", {"--home", vantor.folder(), "write", "I16", "2"});
    ASSERT_TRUE(slowWrite.waitForStarted());
    QTest::qWait(150);
    qint64 elapsed = 0;
    EXPECT_EQ(client.write("U16", 5, &elapsed), "ok");
    EXPECT_LT(elapsed, 300) << "not held up by the other device";
    EXPECT_EQ(second.get("holding", 0), QList<int>{5});
    QElapsedTimer t;
    t.start();
    ASSERT_TRUE(slowWrite.waitForFinished(5000));
    EXPECT_LT(t.elapsed(), 1000) << "the write fails within the timeout";
    EXPECT_EQ(slowWrite.exitCode(), 1);
    EXPECT_EQ(slowWrite.readAllStandardError().trimmed(), "vantorctl: the write failed: timeout");

    // Noticed once: the next writes fail at once.
    EXPECT_EQ(client.write("I16", 3, &elapsed), "down");
    EXPECT_LT(elapsed, 100);
    EXPECT_TRUE(vantor.ctl({"show", "I16"}).contains("quality: bad: device down: timeout"));
    EXPECT_EQ(vantor.ctl({"read", "I16"}), "I16 = (not readable)\n");
    EXPECT_TRUE(vantor.ctl({"devices"}).contains(QStringLiteral("127.0.0.1:%1 down since ").arg(first.port())));

    // It comes back by itself.
    ASSERT_TRUE(first.unmute());
    ASSERT_TRUE(QTest::qWaitFor([&] { return vantor.ctl({"read", "I16"}) == "I16 = 1\n"; }, 10000))
        << vantor.ctl({"devices"}).toStdString();
    EXPECT_EQ(client.write("I16", 4), "ok");
    EXPECT_EQ(first.get("holding", 0), QList<int>{4});

    // A device whose port is closed is refused at once.
    ASSERT_TRUE(second.stop());
    EXPECT_EQ(client.write("U16", 6, &elapsed), "connection refused");
    EXPECT_LT(elapsed, 300);

    const QStringList alarms{QStringLiteral("modbus device 127.0.0.1:%1 down: timeout").arg(first.port()),
                             QStringLiteral("modbus device 127.0.0.1:%1 answers again").arg(first.port()),
                             QStringLiteral("modbus device 127.0.0.1:%1 down: connection refused").arg(second.port())};
    EXPECT_TRUE(QTest::qWaitFor([&] { return client.alarms == alarms; }, 3000))
        << client.alarms.join('\n').toStdString();

    const QStringList journal = vantor.journal();
    ASSERT_EQ(journal.size(), 6) << journal.join('\n').toStdString();
    EXPECT_TRUE(journal.at(1).endsWith(",test,U16,5,ok")) << journal.at(1).toStdString();
    EXPECT_TRUE(journal.at(2).endsWith(",vantorctl,I16,2,timeout")) << journal.at(2).toStdString();
    EXPECT_TRUE(journal.at(3).endsWith(",test,I16,3,down"));
}

TEST(ModbusGateway, AMalformedBindingFileIsRefusedAtStartAndOnReload)
{
    const QByteArray tags = "name,type,value,comment\nAC1,number,0,\nAC2,number,0,\nFAN,number,0,\nMSG,text,,\n"
                            "F1,number,0,\nF2,number,0,\nF3,number,0,\nF4,number,0,\nF5,number,0,\n";
    const QByteArray malformed =
        testsupport::readAll(testsupport::sourceDir() + QStringLiteral("/tests/vantor/data/modbus_malformed.csv"));
    VantorProcess vantor(tags);
    testsupport::writeAll(vantor.file("modbus.csv"), malformed);
    EXPECT_FALSE(vantor.start()) << "never half-loaded";
    vantor.stop();
    for (int line = 3; line <= 12; ++line)
        EXPECT_TRUE(vantor.serverErrors().contains(QStringLiteral("vantord: modbus.csv:%1: ").arg(line))) << line;
    EXPECT_TRUE(vantor.serverErrors().contains("modbus.csv refused"));

    ModbusSimulator device;
    ASSERT_TRUE(device.isRunning());
    const QString good = QStringLiteral("tag,host,port,unit,table,address,type,scale,poll_ms\n")
                         + bindingLine("AC1", device.port(), "1,holding,5,uint16,,0");
    testsupport::writeAll(vantor.file("modbus.csv"), good.toUtf8());
    ASSERT_TRUE(vantor.start()) << vantor.serverErrors().toStdString();
    testsupport::writeAll(vantor.file("modbus.csv"), malformed);
    int rc = 0;
    vantor.ctl({"reload"}, &rc);
    EXPECT_EQ(rc, 1);
    EXPECT_TRUE(vantor.ctl({"show", "AC1"}).contains("binding: modbus 127.0.0.1")) << "the bindings stay";
    EXPECT_EQ(vantor.ctl({"write", "AC1", "9"}, &rc), QString());
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(device.get("holding", 5), QList<int>{9});

    testsupport::writeAll(vantor.file("modbus.csv"), QByteArray("tag,host,port,unit,table,address,type,scale,poll_ms\n"));
    vantor.ctl({"reload"}, &rc);
    EXPECT_EQ(rc, 0);
    EXPECT_TRUE(vantor.ctl({"show", "AC1"}).contains("binding: none")) << "unbound again";
    vantor.ctl({"write", "AC1", "10"}, &rc);
    EXPECT_EQ(device.get("holding", 5), QList<int>{9});
}
