#include "taglink/tagtable.h"
#include "taglink/writebuffer.h"

#include <gtest/gtest.h>

using taglink::TagTable;

TEST(TagTable, TwoNamesEachEndedByCrLfGiveTwoTags)
{
    TagTable t;
    t.setTagList(QStringLiteral("AC1$VALUE\r\nAC2$VALUE\r\n"));
    EXPECT_EQ(t.count(), 2);
    EXPECT_EQ(t.tagList(), QStringLiteral("AC1$VALUE\r\nAC2$VALUE"));
}

TEST(TagTable, NamesAreTrimmedAndAnyLineBreakSeparatesThem)
{
    TagTable t;
    t.setTagList(QStringLiteral("  A \nB\rC\r\n\r\nD"));
    EXPECT_EQ(t.count(), 5);
    EXPECT_EQ(t.at(0).name, QStringLiteral("A"));
    EXPECT_EQ(t.at(1).name, QStringLiteral("B"));
    EXPECT_EQ(t.at(2).name, QStringLiteral("C"));
    EXPECT_EQ(t.at(3).name, QString()) << "an empty line in the middle keeps its place";
    EXPECT_EQ(t.at(4).name, QStringLiteral("D"));
}

TEST(TagTable, CountDropsEmptyNamesAtTheEnd)
{
    TagTable t;
    t.setName(0, QStringLiteral("A"));
    t.setName(5, QStringLiteral("F"));
    EXPECT_EQ(t.count(), 6);
    t.setName(5, QString());
    EXPECT_EQ(t.count(), 1);
    t.setName(0, QString());
    EXPECT_EQ(t.count(), 0);
    EXPECT_EQ(t.tagList(), QString());
}

TEST(TagTable, CapacityGrowsInStepsOfSixteen)
{
    TagTable t;
    EXPECT_EQ(t.capacity(), 16);
    t.setName(15, QStringLiteral("x"));
    EXPECT_EQ(t.capacity(), 16);
    t.setName(16, QStringLiteral("x"));
    EXPECT_EQ(t.capacity(), 32);
    t.setName(40, QStringLiteral("x"));
    EXPECT_EQ(t.capacity(), 64);
    EXPECT_EQ(t.at(63).eventEnabled, 1) << "new entries raise events";
}

TEST(TagTable, ReplacingTheNamesResetsTheFlags)
{
    TagTable t;
    t.setTagList(QStringLiteral("A\r\nB"));
    t.at(0).eventEnabled = 0;
    t.at(1).changed = 1;
    t.setTagList(QStringLiteral("C"));
    EXPECT_EQ(t.count(), 1);
    EXPECT_EQ(t.at(0).eventEnabled, 1);
    EXPECT_EQ(t.at(1).changed, 0);
    EXPECT_EQ(t.at(1).name, QString()) << "old names are gone";
}

TEST(TagTable, NameIndexIsExactAndRebuiltAfterBeingEmptied)
{
    TagTable t;
    t.setTagList(QStringLiteral("Ab\r\nab\r\nAb"));
    EXPECT_EQ(t.indexOf(QStringLiteral("Ab")), 0) << "the first of equal names";
    EXPECT_EQ(t.indexOf(QStringLiteral("ab")), 1);
    EXPECT_EQ(t.indexOf(QStringLiteral("AB")), -1);
    t.setName(3, QStringLiteral("New"));
    EXPECT_EQ(t.indexOf(QStringLiteral("New")), -1) << "the index is kept until emptied";
    t.clearNameIndex();
    EXPECT_EQ(t.indexOf(QStringLiteral("New")), 3);
    EXPECT_EQ(t.indexOf(QString()), -1);
}

TEST(WriteBuffer, HoldsAtMost128Entries)
{
    taglink::WriteBuffer b;
    for (int i = 0; i < 128; ++i)
        ASSERT_TRUE(b.append(i, QByteArray(i % 2 ? 16 : 8, 'v')));
    EXPECT_TRUE(b.isFull());
    EXPECT_FALSE(b.append(999, QByteArray(8, 'v')));
    EXPECT_EQ(b.values().size(), 64 * 16 + 64 * 8);
    EXPECT_EQ(b.ids().last(), 127);
}
