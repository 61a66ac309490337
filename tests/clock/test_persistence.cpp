#include "eventrecorder.h"

#include "clock/tickfacemodel.h"

#include "automation/propertybag.h"
#include "automation/variantconventions.h"

#include <QImage>
#include <gtest/gtest.h>

using namespace tickface;

TEST(TickfacePersistence, RoundTripKeepsEveryValueWithoutSoundsOrArming)
{
    TickfaceModel a;
    a.setCaption(QStringLiteral("Pm"));
    a.setBackColor(0x800000);
    a.setForeColor(0xFFFFFF);
    a.setHourColor(0x408000);
    a.setMinuteColor(0xFF8000);
    a.setSecondColor(0x0000FF);
    a.setNumberColor(0xA00000);
    a.setShowDate(true);
    a.setShow24(true);
    a.setShowSecond(false);
    a.setShowNumber(false);
    a.setShowPlate(false);
    a.setClockType(TkfDigital);
    a.setDifferenceTime(QStringLiteral("+09:00"));
    a.setChimeSw(true);
    a.setChimeWav(QStringLiteral("/x/chime.wav"));
    a.setAlarmWav(QStringLiteral("/x/alarm.wav"));
    a.setAlarmTime(automation::toOleDate(QDateTime(QDate(1899, 12, 30), QTime(0, 0, 3))));
    a.setAlarmSetting(TkfEveryday);
    a.setAlarmSw(false);
    a.setDateFormat(QStringLiteral("yy/MM/dd"));
    a.setTimeFormat(QStringLiteral("H:mm:ss"));
    a.setBaseTime(TkfUserSet);
    a.setDisplayTime(automation::toOleDate(QDateTime(QDate(2026, 12, 8), QTime(18, 30, 0))));
    a.setPictureLayout(TkfTile);
    a.setFrameType(TkfFrameCircle);
    a.setBorderStyle(TkfBorderFixedSingle);
    a.setAppearance(TkfApp3D);
    QFont f(QStringLiteral("Noto Sans CJK JP"));
    f.setPointSize(14);
    a.setNumberFont(f);
    QImage picture(4, 4, QImage::Format_RGB32);
    picture.fill(Qt::red);
    a.setPicture(picture);

    automation::PropertyBag bag;
    a.saveProperties(bag);
    EXPECT_EQ(bag.versionMajor(), 1);
    EXPECT_EQ(bag.versionMinor(), 1);
    automation::PropertyBag reread;
    ASSERT_TRUE(reread.fromJson(bag.toJson()));

    TickfaceModel b;
    EventRecorder rec(&b);
    ASSERT_TRUE(b.loadProperties(reread));
    EXPECT_TRUE(rec.log.isEmpty()); // loading plays nothing
    EXPECT_FALSE(b.AlarmSw());      // and does not arm the alarm
    automation::PropertyBag again;
    b.saveProperties(again);
    EXPECT_EQ(again, bag);
    EXPECT_EQ(b.FrameType(), TkfFrameCircle);
    EXPECT_EQ(b.NumberFont().pointSize(), 14);
    EXPECT_EQ(b.pictureImage().pixelColor(1, 1), QColor(Qt::red));
    EXPECT_EQ(b.GetTimeString(), QStringLiteral("18:30:00"));
}

TEST(TickfacePersistence, FrameTypeIsReadOnlyFromVersionOneOneOn)
{
    automation::PropertyBag old(1, 0);
    old.write(QStringLiteral("FrameType"), 1);
    old.write(QStringLiteral("ShowDate"), true);
    TickfaceModel m;
    m.loadProperties(old);
    EXPECT_EQ(m.FrameType(), TkfFrameRectangle);
    EXPECT_TRUE(m.ShowDate());

    automation::PropertyBag current(1, 1);
    current.write(QStringLiteral("FrameType"), 2);
    m.loadProperties(current);
    EXPECT_EQ(m.FrameType(), TkfFrameTransparent);
    // A stored value out of range is not taken over.
    current.write(QStringLiteral("FrameType"), 7);
    m.loadProperties(current);
    EXPECT_EQ(m.FrameType(), TkfFrameTransparent);
}

TEST(TickfacePersistence, DefaultsOfANewClock)
{
    TickfaceModel m;
    EXPECT_EQ(m.DifferenceTime(), QStringLiteral(" 00:00"));
    EXPECT_EQ(m.DateFormat(), QStringLiteral("YY:MM:DD"));
    EXPECT_EQ(m.TimeFormat(), QStringLiteral("HH:MM:SS"));
    EXPECT_EQ(m.ChimeWav(), QStringLiteral("(None)"));
    EXPECT_EQ(m.AlarmWav(), QStringLiteral("(None)"));
    EXPECT_TRUE(m.ShowSecond());
    EXPECT_TRUE(m.ShowNumber());
    EXPECT_TRUE(m.ShowPlate());
    EXPECT_FALSE(m.ShowDate());
    EXPECT_FALSE(m.AlarmSw());
    EXPECT_EQ(m.AlarmTime(), 0.0);
    EXPECT_TRUE(m.wantsTimer());
}
