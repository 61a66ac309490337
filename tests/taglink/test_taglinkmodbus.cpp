// Taglink over a tag that vantord binds to a Modbus TCP device (pymodbus).
#include "../vantor/modbussimulator.h"
#include "../vantor/vantorprocess.h"

#include "taglink/taglinkmodel.h"

#include "testsupport.h"

#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

TEST(TaglinkModbus, ValuesChangedAtTheDeviceAndItsFailureArriveAsChangeEvents)
{
    ModbusSimulator device;
    ASSERT_TRUE(device.isRunning()) << device.why().toStdString();
    VantorProcess vantor("name,type,value,comment\nTEMP,number,0,\nFAN,number,0,\n");
    testsupport::writeAll(vantor.file("modbus.csv"),
                          QStringLiteral("tag,host,port,unit,table,address,type,scale,poll_ms\n"
                                         "TEMP,127.0.0.1,%1,1,holding,4,int16,10,50\n"
                                         "FAN,127.0.0.1,%1,1,coil,0,bool,,50\n")
                              .arg(device.port())
                              .toUtf8());
    ASSERT_TRUE(vantor.start()) << vantor.serverErrors().toStdString();

    taglink::TaglinkModel link;
    link.setTagList(QStringLiteral("TEMP$VALUE\r\nFAN$VALUE"));
    ASSERT_TRUE(link.Open());
    link.setPLCTagValue(QStringLiteral("FAN$VALUE"), QVariant(1.0));
    EXPECT_EQ(device.get("coil", 0), QList<int>{1}) << "written when the write returns";
    link.ResetAllPLCTagChangeFlag();

    QSignalSpy changes(&link, &taglink::TaglinkModel::PLCTagChange);
    ASSERT_TRUE(device.set("holding", 4, {215}));
    ASSERT_TRUE(changes.wait(3000));
    EXPECT_TRUE(link.PLCTagChangeFlag(0));
    EXPECT_EQ(link.PLCTagValue(0), QVariant(21.5));

    // A device that stops answering makes its tags not readable, and the
    // link stays open: it is the device that is gone, not the product.
    changes.clear();
    ASSERT_TRUE(device.stop());
    ASSERT_TRUE(changes.wait(3000));
    const double temp = link.PLCTagValue(0).toDouble();
    EXPECT_TRUE(std::isinf(temp) && temp > 0) << temp;
    EXPECT_TRUE(link.isActive());

    changes.clear();
    ASSERT_TRUE(device.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return link.PLCTagValue(0) == QVariant(21.5); }, 10000));
    EXPECT_GE(changes.count(), 1);
    link.Close();
}
