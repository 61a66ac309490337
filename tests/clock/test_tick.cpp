#include "eventrecorder.h"

#include "clock/clocktime.h"
#include "clock/tickfacemodel.h"

#include "automation/automationerror.h"
#include "automation/variantconventions.h"
#include "platform/clock.h"

#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace tickface;

namespace {

QDateTime at(int h, int m, int s, int day = 8)
{
    return QDateTime(QDate(2026, 12, day), QTime(h, m, s));
}

double oleTime(int h, int m, int s)
{
    return automation::toOleDate(QDateTime(QDate(1899, 12, 30), QTime(h, m, s)));
}

// Runs the clock second by second from `from` for `seconds` seconds, with
// ticks at the 450 ms rhythm of the timer.
void runSeconds(TickfaceModel &m, const QDateTime &from, int seconds)
{
    platform::clock::setNow(from);
    m.tick();
    for (int ms = 0; ms < seconds * 1000; ms += 450) {
        platform::clock::advance(450);
        m.tick();
    }
}

class TickfaceTick : public ::testing::Test
{
protected:
    void SetUp() override { platform::clock::setNow(at(7, 0, 0)); }
    void TearDown() override { platform::clock::useSystemClock(); }
};

} // namespace

TEST_F(TickfaceTick, AlarmOnANonZeroSecondNeverRingsWithoutTheSecondHand)
{
    TickfaceModel m;
    m.setShowSecond(false);
    m.setAlarmTime(oleTime(7, 30, 15));
    ASSERT_TRUE(m.AlarmSw()); // setting the time arms the alarm
    EventRecorder rec(&m);
    runSeconds(m, at(7, 29, 50), 40);
    EXPECT_EQ(rec.count(QStringLiteral("Alarm")), 0);
    EXPECT_TRUE(m.AlarmSw());
    // The seconds still count.
    EXPECT_EQ(rec.count(QStringLiteral("SecondChanged(15)")), 1);
    EXPECT_EQ(rec.count(QStringLiteral("MinuteChanged(30)")), 1);
}

TEST_F(TickfaceTick, AlarmOnTheFullMinuteRingsOnceAndDisarms)
{
    TickfaceModel m;
    m.setShowSecond(false);
    m.setAlarmWav(QStringLiteral("alarm.wav"));
    m.setAlarmTime(oleTime(7, 30, 0));
    EventRecorder rec(&m);
    runSeconds(m, at(7, 29, 50), 40);
    EXPECT_EQ(rec.count(QStringLiteral("Alarm")), 1);
    EXPECT_EQ(rec.count(QStringLiteral("sound alarm.wav")), 1);
    EXPECT_FALSE(m.AlarmSw()); // TkfOnce

    // The next day it stays silent, unless it rings every day.
    rec.log.clear();
    runSeconds(m, at(7, 29, 58, 9), 4);
    EXPECT_EQ(rec.count(QStringLiteral("Alarm")), 0);
    m.setAlarmSetting(TkfEveryday); // arms again
    ASSERT_TRUE(m.AlarmSw());
    runSeconds(m, at(7, 29, 58, 10), 4);
    runSeconds(m, at(7, 29, 58, 11), 4);
    EXPECT_EQ(rec.count(QStringLiteral("Alarm")), 2);
    EXPECT_TRUE(m.AlarmSw());
}

TEST_F(TickfaceTick, FullHourRunsChimeAlarmAndEventsInOrder)
{
    TickfaceModel m;
    m.setChimeSw(true);
    m.setChimeWav(QStringLiteral("chime.wav"));
    m.setAlarmWav(QStringLiteral("alarm.wav"));
    m.setAlarmTime(oleTime(12, 0, 0));
    platform::clock::setNow(at(11, 59, 59));
    m.tick();
    EventRecorder rec(&m);
    platform::clock::setNow(at(12, 0, 0));
    m.tick();
    EXPECT_EQ(rec.log, QStringList({"sound chime.wav", "sound alarm.wav", "Alarm", "SecondChanged(0)",
                                    "MinuteChanged(0)", "HourChanged(12)"}));

    // A full minute that is no full hour: no chime, no HourChanged.
    rec.log.clear();
    platform::clock::setNow(at(12, 1, 0));
    m.tick();
    EXPECT_EQ(rec.log, QStringList({"SecondChanged(0)", "MinuteChanged(1)"}));
    // Midnight is hour 0.
    rec.log.clear();
    platform::clock::setNow(at(0, 0, 0, 9));
    m.tick();
    EXPECT_EQ(rec.log, QStringList({"sound chime.wav", "SecondChanged(0)", "MinuteChanged(0)", "HourChanged(0)"}));
}

TEST_F(TickfaceTick, TicksWithinTheSameSecondDoNothingButAWholeMinuteJumpShows)
{
    TickfaceModel m;
    platform::clock::setNow(at(8, 0, 10));
    m.tick();
    EventRecorder rec(&m);
    QSignalSpy redraws(&m, &TickfaceModel::redrawRequested);
    platform::clock::advance(400);
    m.tick();
    EXPECT_TRUE(rec.log.isEmpty());
    EXPECT_EQ(redraws.count(), 0);
    // The clock set on by exactly one minute: same second, new time.
    platform::clock::advance(60000);
    m.tick();
    EXPECT_EQ(m.displayedTime(), plainTime(QDate(2026, 12, 8), QTime(8, 1, 10)));
    EXPECT_EQ(rec.log, QStringList({"SecondChanged(10)"}));
}

TEST_F(TickfaceTick, WithoutTheSecondHandOnlyFullMinutesRedraw)
{
    TickfaceModel m;
    m.setShowSecond(false);
    m.setChimeSw(true);
    platform::clock::setNow(at(9, 59, 58));
    m.tick();
    QSignalSpy redraws(&m, &TickfaceModel::redrawRequested);
    EventRecorder rec(&m);
    platform::clock::setNow(at(9, 59, 59));
    m.tick();
    EXPECT_EQ(redraws.count(), 0);
    platform::clock::setNow(at(10, 0, 0));
    m.tick();
    EXPECT_EQ(redraws.count(), 1);
    EXPECT_EQ(rec.log, QStringList({"SecondChanged(59)", "sound (None)", "SecondChanged(0)", "MinuteChanged(0)",
                                    "HourChanged(10)"}));
}

TEST_F(TickfaceTick, UserSetClockKeepsItsTimeAndOffsetTimeMovesIt)
{
    TickfaceModel m;
    QSignalSpy timer(&m, &TickfaceModel::timerWantedChanged);
    m.setBaseTime(TkfUserSet);
    ASSERT_EQ(timer.count(), 1);
    EXPECT_FALSE(m.wantsTimer());
    m.setDisplayTime(automation::toOleDate(QDateTime(QDate(2026, 12, 8), QTime(9, 15, 0))));
    EXPECT_TRUE(m.isModified());

    const double result = m.OffsetTime(1, 0, 0);
    const QDateTime expected(QDate(2026, 12, 8), QTime(10, 15, 0));
    EXPECT_EQ(automation::fromOleDate(result), expected);
    EXPECT_EQ(automation::fromOleDate(m.DisplayTime()), expected);
    EXPECT_EQ(m.GetTimeString(), QStringLiteral("10:15:00"));

    // Across midnight, and backwards.
    m.OffsetTime(14, 0, 0);
    EXPECT_EQ(automation::fromOleDate(m.DisplayTime()), QDateTime(QDate(2026, 12, 9), QTime(0, 15, 0)));
    m.OffsetTime(0, -16, 1);
    EXPECT_EQ(automation::fromOleDate(m.DisplayTime()), QDateTime(QDate(2026, 12, 8), QTime(23, 59, 1)));

    // The program clock moving changes nothing.
    EventRecorder rec(&m);
    platform::clock::advance(5000);
    m.tick();
    EXPECT_TRUE(rec.log.isEmpty());
}

TEST_F(TickfaceTick, DisplayTimeWritesOfTheSameValueDoNothing)
{
    TickfaceModel m;
    m.setBaseTime(TkfUserSet);
    const double t = automation::toOleDate(QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)));
    m.setDisplayTime(t);
    m.setModified(false);
    QSignalSpy redraws(&m, &TickfaceModel::redrawRequested);
    m.setDisplayTime(t);
    EXPECT_EQ(redraws.count(), 0);
    EXPECT_FALSE(m.isModified());

    // A running clock reads the clock time, and its next tick overwrites a written time.
    m.setBaseTime(TkfLocal);
    platform::clock::setNow(at(13, 14, 15));
    EXPECT_EQ(automation::fromOleDate(m.DisplayTime()), QDateTime(QDate(2026, 12, 8), QTime(13, 14, 15)));
    m.tick();
    EXPECT_EQ(m.displayedTime(), plainTime(QDate(2026, 12, 8), QTime(13, 14, 15)));
}

TEST_F(TickfaceTick, WritesThatPlayOrArm)
{
    TickfaceModel m;
    EventRecorder rec(&m);
    m.setChimeWav(QStringLiteral("a.wav"));
    m.setAlarmWav(QStringLiteral("b.wav"));
    EXPECT_EQ(rec.log, QStringList({"sound a.wav", "sound b.wav"}));
    EXPECT_FALSE(m.AlarmSw());
    m.setAlarmTime(oleTime(6, 0, 0));
    EXPECT_EQ(rec.log.last(), QStringLiteral("sound b.wav")); // plays the alarm sound once
    EXPECT_TRUE(m.AlarmSw());
    m.setAlarmSw(false);
    m.setAlarmSetting(TkfOnce);
    EXPECT_TRUE(m.AlarmSw());
}

TEST_F(TickfaceTick, FrameTypeOutsideItsRangeIsRefusedWithError380)
{
    TickfaceModel m;
    m.setFrameType(TkfFrameCircle);
    automation::clearError();
    for (short bad : {short(3), short(-1), short(32767)}) {
        m.setFrameType(bad);
        const auto e = automation::takeError();
        ASSERT_TRUE(e.has_value()) << bad;
        EXPECT_EQ(e->number, 380);
        EXPECT_EQ(m.FrameType(), TkfFrameCircle);
    }
    m.setFrameType(TkfFrameTransparent);
    EXPECT_FALSE(automation::takeError().has_value());
    EXPECT_EQ(m.FrameType(), TkfFrameTransparent);
}
