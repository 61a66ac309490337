#include "clock/clocktime.h"
#include "clock/tickfacemodel.h"

#include "automation/variantconventions.h"
#include "platform/clock.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace tickface;

TEST(TickfaceDifferenceTime, OnlySixCharacterTextsShiftTheClock)
{
    EXPECT_EQ(differenceSeconds(QStringLiteral("+09:00")), 9 * 3600);
    EXPECT_EQ(differenceSeconds(QStringLiteral("-05:30")), -(5 * 3600 + 30 * 60));
    EXPECT_EQ(differenceSeconds(QStringLiteral("+05:45")), 5 * 3600 + 45 * 60);
    EXPECT_EQ(differenceSeconds(QStringLiteral(" 00:00")), 0);
    EXPECT_EQ(differenceSeconds(QStringLiteral(" 01:30")), 5400);
    // Five or seven characters, or nothing: no shift.
    EXPECT_EQ(differenceSeconds(QStringLiteral("9:00")), 0);
    EXPECT_EQ(differenceSeconds(QStringLiteral("+9:00")), 0);
    EXPECT_EQ(differenceSeconds(QStringLiteral("+09:00 ")), 0);
    EXPECT_EQ(differenceSeconds(QString()), 0);
    // Six characters that are no number shift nothing rather than failing.
    EXPECT_EQ(differenceSeconds(QStringLiteral("abcdef")), 0);
}

class TickfaceClockTime : public ::testing::Test
{
protected:
    void TearDown() override { platform::clock::useSystemClock(); }
};

TEST_F(TickfaceClockTime, GreenwichWithPlusNineShowsJapaneseTime)
{
    // 10:00 in New York is 15:00 UTC and 00:00 the next day in Tokyo,
    // whatever zone the test machine is in.
    const QDateTime moment(QDate(2026, 12, 8), QTime(10, 0, 0), QTimeZone("America/New_York"));
    platform::clock::setNow(moment);
    TickfaceModel m;
    m.setBaseTime(TkfGMT);
    m.setDifferenceTime(QStringLiteral("+09:00"));
    const QDateTime tokyo = moment.toTimeZone(QTimeZone("Asia/Tokyo"));
    EXPECT_EQ(m.clockTime(), plainTime(tokyo.date(), tokyo.time()));
    EXPECT_EQ(m.GetTimeString(), QStringLiteral("00:00:00"));
    EXPECT_EQ(m.GetDateString(), QStringLiteral("26:12:09"));

    m.setDifferenceTime(QStringLiteral("9:00"));
    EXPECT_EQ(m.GetTimeString(), QStringLiteral("15:00:00"));
    m.setDifferenceTime(QStringLiteral("-05:30"));
    EXPECT_EQ(m.GetTimeString(), QStringLiteral("09:30:00"));
}

TEST_F(TickfaceClockTime, LocalFollowsTheProgramClockAndUserSetTheStoredTime)
{
    const QDateTime moment(QDate(2026, 12, 8), QTime(7, 29, 59, 800));
    platform::clock::setNow(moment);
    TickfaceModel m;
    EXPECT_EQ(m.clockTime(), plainTime(moment.date(), QTime(7, 29, 59)));
    EXPECT_EQ(automation::fromOleDate(m.DisplayTime()), QDateTime(moment.date(), QTime(7, 29, 59)));

    m.setBaseTime(TkfUserSet);
    m.setDisplayTime(automation::toOleDate(QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6))));
    m.setDifferenceTime(QStringLiteral("+09:00"));
    // A set clock shows what was set; the difference shifts running clocks only.
    EXPECT_EQ(m.GetTimeString(), QStringLiteral("04:05:06"));
    platform::clock::advance(3600 * 1000);
    EXPECT_EQ(m.GetTimeString(), QStringLiteral("04:05:06"));
}
