#include "clock/formatpicture.h"
#include "clock/tickfacemodel.h"

#include <gtest/gtest.h>

using namespace tickface;

namespace {
const QLocale ja = defaultClockLocale();
// A Tuesday afternoon.
const QDateTime afternoon(QDate(2026, 12, 8), QTime(13, 5, 9));
const QDateTime morning(QDate(2009, 1, 4), QTime(0, 7, 3));
} // namespace

TEST(TickfaceFormatPicture, TheConsoleClocksFormats)
{
    EXPECT_EQ(formatDatePicture(afternoon, QStringLiteral("' 'yyyy'年 'M'月 'd'日 'dddd"), ja),
              QStringLiteral(" 2026年 12月 8日 火曜日"));
    EXPECT_EQ(formatTimePicture(afternoon, QStringLiteral(" H時mm分ss秒"), ja), QStringLiteral(" 13時05分09秒"));
    EXPECT_EQ(formatDatePicture(morning, QStringLiteral("yy/MM/dd"), ja), QStringLiteral("09/01/04"));
    EXPECT_EQ(formatTimePicture(morning, QStringLiteral("H:mm:ss"), ja), QStringLiteral("0:07:03"));
}

TEST(TickfaceFormatPicture, TheDefaultsInCapitalsReadAsDateAndTime)
{
    EXPECT_EQ(formatDatePicture(afternoon, QStringLiteral("YY:MM:DD"), ja), QStringLiteral("26:12:08"));
    EXPECT_EQ(formatTimePicture(afternoon, QStringLiteral("HH:MM:SS"), ja), QStringLiteral("13:05:09"));
}

TEST(TickfaceFormatPicture, TheFormatPagesChoicesInJapanese)
{
    EXPECT_EQ(formatDatePicture(afternoon, QStringLiteral("dddd, MMMM d, yyyy"), ja), QStringLiteral("火曜日, 12月 8, 2026"));
    EXPECT_EQ(formatDatePicture(afternoon, QStringLiteral("d-MMM-yy"), ja), QStringLiteral("8-12月-26"));
    EXPECT_EQ(formatDatePicture(afternoon, QStringLiteral("ddd"), ja), QStringLiteral("火"));
    EXPECT_EQ(formatTimePicture(afternoon, QStringLiteral("h:m:s tt"), ja), QStringLiteral("1:5:9 午後"));
    EXPECT_EQ(formatTimePicture(morning, QStringLiteral("hh:mm:ss tt"), ja), QStringLiteral("12:07:03 午前"));
    EXPECT_EQ(formatTimePicture(afternoon, QStringLiteral("h:m:s t"), ja), QStringLiteral("1:5:9 午"));
    EXPECT_EQ(formatTimePicture(afternoon, QStringLiteral("HH:mm"), ja), QStringLiteral("13:05"));
}

TEST(TickfaceFormatPicture, YearsQuotesAndLength)
{
    EXPECT_EQ(formatDatePicture(morning, QStringLiteral("y|yy|yyyy|yyyyy"), ja), QStringLiteral("9|09|2009|2009"));
    EXPECT_EQ(formatDatePicture(morning, QStringLiteral("'d''M' d"), ja), QStringLiteral("d'M 4"));
    EXPECT_EQ(formatDatePicture(morning, QStringLiteral("gg yyyy"), ja), QStringLiteral("西暦 2009"));
    // An unterminated quote runs to the end instead of failing.
    EXPECT_EQ(formatDatePicture(morning, QStringLiteral("d 'rest"), ja), QStringLiteral("4 rest"));
    const QString longPicture = QString(200, QLatin1Char('x')) + QStringLiteral("d");
    EXPECT_EQ(formatDatePicture(morning, longPicture, ja).size(), MaxFormattedLength);
}
