#include "automation/variantconventions.h"

#include <gtest/gtest.h>

using namespace automation;

TEST(VariantConventions, AutomationDates)
{
    EXPECT_DOUBLE_EQ(toOleDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0))), 0.0);
    EXPECT_DOUBLE_EQ(toOleDate(QDateTime(QDate(1900, 1, 1), QTime(12, 0))), 2.5);
    EXPECT_EQ(fromOleDate(2.5), QDateTime(QDate(1900, 1, 1), QTime(12, 0)));
    const QDateTime t(QDate(2026, 12, 8), QTime(23, 30));
    EXPECT_EQ(fromOleDate(toOleDate(t)), t);
    // Before the epoch the fraction still counts forward from midnight.
    EXPECT_EQ(fromOleDate(-1.25), QDateTime(QDate(1899, 12, 29), QTime(6, 0)));
    EXPECT_DOUBLE_EQ(toOleDate(QDateTime(QDate(1899, 12, 29), QTime(6, 0))), -1.25);
}

TEST(VariantConventions, ArraysBooleansAndDisplay)
{
    EXPECT_EQ(toVariantBool(true), -1);
    EXPECT_TRUE(fromVariantBool(-1));
    EXPECT_TRUE(fromVariantBool(1));
    EXPECT_FALSE(fromVariantBool(0));
    EXPECT_FALSE(fromVariantBool(QVariant()));

    EXPECT_EQ(displayText(shortArray({2, 1, 0})), QStringLiteral("(2, 1, 0)"));
    EXPECT_EQ(displayText(QVariant()), QStringLiteral("Empty"));
    const QVariant pairs = shortPairArray({{0, 5}, {1, 7}});
    EXPECT_EQ(displayText(pairs), QStringLiteral("((0, 5), (1, 7))"));
    EXPECT_EQ(pairs.value<VariantArray2D>().at(1, 1).toInt(), 7);
    EXPECT_TRUE(isEmptyVariant(shortPairArray({})));
}
