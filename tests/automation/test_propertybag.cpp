#include "automation/propertybag.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using automation::PropertyBag;

TEST(PropertyBag, RoundTripKeepsOrderTypesAndVersion)
{
    PropertyBag bag(1, 3);
    bag.write(QStringLiteral("ScaleBackColor"), QVariant::fromValue<quint32>(0x80000005u));
    bag.write(QStringLiteral("ShowCursor"), true);
    bag.write(QStringLiteral("ItemNameWidth"), 3000.5f);
    bag.write(QStringLiteral("ScaleInterval"), QVariant::fromValue<short>(3));
    bag.write(QStringLiteral("Caption"), QStringLiteral("本日"));

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bag.json"));
    ASSERT_TRUE(bag.saveToFile(path));
    PropertyBag back;
    ASSERT_TRUE(back.loadFromFile(path));
    EXPECT_EQ(back.versionMajor(), 1);
    EXPECT_EQ(back.versionMinor(), 3);
    EXPECT_EQ(back.names(), bag.names());
    EXPECT_EQ(back.read(QStringLiteral("ScaleBackColor")).toUInt(), 0x80000005u);
    EXPECT_EQ(back.read(QStringLiteral("ScaleBackColor")).typeId(), QMetaType::UInt);
    EXPECT_EQ(back.read(QStringLiteral("ScaleInterval")).typeId(), QMetaType::Short);
    EXPECT_EQ(back.read(QStringLiteral("ShowCursor")).toBool(), true);
    EXPECT_FLOAT_EQ(back.read(QStringLiteral("ItemNameWidth")).toFloat(), 3000.5f);
    EXPECT_EQ(back.read(QStringLiteral("Caption")).toString(), QStringLiteral("本日"));
    EXPECT_TRUE(back.versionAtLeast(1, 2));
    EXPECT_FALSE(back.versionAtLeast(1, 4));
}

TEST(PropertyBag, RejectsTextWithoutVersionAndKeepsContents)
{
    PropertyBag bag(1, 2);
    bag.write(QStringLiteral("A"), 1);
    EXPECT_FALSE(bag.fromJson("not json"));
    EXPECT_FALSE(bag.fromJson(R"({"properties": []})"));
    EXPECT_EQ(bag.read(QStringLiteral("A")).toInt(), 1);
    EXPECT_EQ(bag.versionMinor(), 2);
}
