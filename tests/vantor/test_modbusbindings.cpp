#include "modbusbindings.h"
#include "modbuspoint.h"
#include "tagstore.h"

#include "testsupport.h"

#include <gtest/gtest.h>

#include <cmath>

using vantor::ModbusBindings;
using vantor::ModbusPoint;

namespace {

ModbusPoint point(ModbusPoint::Type type, ModbusPoint::WordOrder order = ModbusPoint::WordOrder::HighFirst,
                  double scale = 1.0)
{
    ModbusPoint p;
    p.type = type;
    p.wordOrder = order;
    p.scale = scale;
    return p;
}

vantor::TagStore tagsFor(const QByteArray &names, const QByteArray &textNames = {})
{
    QByteArray csv = "name,type,value,comment\n";
    for (const QByteArray &n : names.split(','))
        csv += n + ",number,0,\n";
    for (const QByteArray &n : textNames.split(','))
        if (!n.isEmpty())
            csv += n + ",text,,\n";
    vantor::TagStore store;
    store.parseCsv(csv, QStringLiteral("tags.csv"), nullptr);
    return store;
}

} // namespace

TEST(ModbusPoint, ValuesTakeTheRegistersOfTheirTypeWordOrderAndScale)
{
    using T = ModbusPoint::Type;
    using W = ModbusPoint::WordOrder;
    struct Case
    {
        const char *name;
        ModbusPoint point;
        double value;
        uint16_t raw0, raw1;
        double readBack;
    };
    const Case cases[] = {
        {"bool", point(T::Bool), 5, 1, 0, 1},
        {"int16 negative", point(T::Int16), -2, 0xfffe, 0, -2},
        {"int16 scaled", point(T::Int16, W::HighFirst, 10), 22.5, 225, 0, 22.5},
        {"int16 rounds", point(T::Int16, W::HighFirst, 10), 22.46, 225, 0, 22.5},
        {"uint16 top", point(T::UInt16), 65535, 0xffff, 0, 65535},
        {"int32 high word first", point(T::Int32), -2, 0xffff, 0xfffe, -2},
        {"int32 low word first", point(T::Int32, W::LowFirst), 0x12345, 0x2345, 0x0001, 0x12345},
        {"uint32 low word first", point(T::UInt32, W::LowFirst), 0x12345678, 0x5678, 0x1234, 0x12345678},
        {"float32 high word first", point(T::Float32), 1.5, 0x3fc0, 0x0000, 1.5},
        {"float32 low word first", point(T::Float32, W::LowFirst), -2.25, 0x0000, 0xc010, -2.25},
        {"float32 scaled", point(T::Float32, W::HighFirst, 0.5), 3, 0x3fc0, 0x0000, 3},
    };
    for (const Case &c : cases) {
        uint16_t raw[2] = {0xaaaa, 0xaaaa};
        QString why;
        ASSERT_TRUE(c.point.encode(c.value, raw, &why)) << c.name << ": " << why.toStdString();
        EXPECT_EQ(raw[0], c.raw0) << c.name;
        if (c.point.width() == 2) {
            EXPECT_EQ(raw[1], c.raw1) << c.name;
        }
        EXPECT_DOUBLE_EQ(c.point.decode(raw), c.readBack) << c.name;
    }

    // Values a point cannot hold are refused, never clipped or wrapped.
    const std::pair<ModbusPoint, double> refused[] = {
        {point(T::Int16), 32768}, {point(T::Int16, W::HighFirst, 10), -3276.9}, {point(T::UInt16), -1},
        {point(T::UInt32), 4294967296.0}, {point(T::Float32), 1e39}, {point(T::Int16), std::nan("")},
        {point(T::Bool), INFINITY},
    };
    for (const auto &[p, v] : refused) {
        uint16_t raw[2];
        QString why;
        EXPECT_FALSE(p.encode(v, raw, &why)) << ModbusPoint::typeName(p.type).toStdString() << " " << v;
        EXPECT_FALSE(why.isEmpty());
    }
}

TEST(ModbusBindings, ReadsDefaultsWordOrdersAndAnyLineEnds)
{
    const vantor::TagStore tags = tagsFor("AC1,FAN,F1,F2,U32");
    ModbusBindings b;
    QStringList problems;
    ASSERT_TRUE(b.parse("poll_ms,tag,host,port,unit,table,address,type,scale,word_order\r"
                        ",AC1,plc1,,,holding,10,int16,10,\r"
                        "0,fan,plc1,502,2,COIL,3,bool,,\r\n"
                        "50,F1,plc2,5020,1,holding,20,float32_cdab,,\n"
                        "50,F2,plc2,5020,1,holding,22,float32,,low_first\n"
                        "50,U32,plc2,5020,1,holding,24,uint32,,abcd\n",
                        tags, &problems))
        << problems.join('\n').toStdString();
    ASSERT_EQ(b.points().size(), 5);
    const ModbusPoint &ac1 = b.points().at(0);
    EXPECT_EQ(ac1.port, 502);
    EXPECT_EQ(ac1.unit, 1);
    EXPECT_EQ(ac1.pollMs, 1000);
    EXPECT_EQ(ac1.scale, 10.0);
    EXPECT_EQ(ac1.describe(), QStringLiteral("plc1:502 unit 1 holding 10 int16 scale 10 poll 1000 ms"));
    const ModbusPoint *fan = b.pointOfTag(tags.indexOfName(QStringLiteral("FAN")));
    ASSERT_NE(fan, nullptr);
    EXPECT_EQ(fan->tag, QStringLiteral("FAN")) << "the tag's own spelling";
    EXPECT_EQ(fan->table, ModbusPoint::Table::Coil);
    EXPECT_EQ(fan->pollMs, 0);
    EXPECT_EQ(b.points().at(2).wordOrder, ModbusPoint::WordOrder::LowFirst) << "suffix";
    EXPECT_EQ(b.points().at(3).wordOrder, ModbusPoint::WordOrder::LowFirst) << "column";
    EXPECT_EQ(b.points().at(4).wordOrder, ModbusPoint::WordOrder::HighFirst);
    EXPECT_EQ(b.devices(), (QStringList{"plc1:502", "plc2:5020"}));
}

TEST(ModbusBindings, AMalformedFileIsRefusedAsAWholeWithEveryLineReported)
{
    const vantor::TagStore tags = tagsFor("AC1,AC2,FAN,F1,F2,F3,F4,F5", "MSG");
    ModbusBindings b;
    ASSERT_TRUE(b.parse("tag,host,port,unit,table,address,type,scale,poll_ms\nAC1,plc,,,holding,1,uint16,,\n", tags,
                        nullptr));
    QStringList problems;
    EXPECT_FALSE(b.parse(testsupport::readAll(testsupport::sourceDir() + "/tests/vantor/data/modbus_malformed.csv"),
                         tags, &problems));
    QStringList lines;
    for (const QString &p : problems)
        lines << p.section(QLatin1Char(':'), 1, 1);
    EXPECT_EQ(lines, (QStringList{"3", "4", "5", "6", "7", "8", "9", "10", "11", "11", "12", "12"}))
        << problems.join('\n').toStdString();
    EXPECT_TRUE(problems.first().startsWith(QStringLiteral("modbus.csv:3: port \"70000\"")))
        << problems.first().toStdString();
    ASSERT_EQ(b.points().size(), 1) << "the bindings before stay";
    EXPECT_EQ(b.points().first().tag, QStringLiteral("AC1"));

    problems.clear();
    EXPECT_FALSE(b.parse("tag\thost\tport\n", tags, &problems));
    ASSERT_EQ(problems.size(), 1);
    EXPECT_TRUE(problems.first().startsWith(QStringLiteral(R"(modbus.csv:1: the header is "tag\thost\tport")")))
        << problems.first().toStdString();
}
