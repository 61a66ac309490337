#include "store/daycode.h"
#include "store/grouprange.h"
#include "store/sitepaths.h"
#include "store/timeofday.h"
#include "store/valuetext.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include "qtprint.h"

using namespace store;

namespace {

TEST(DayCode, WeekdaysSundayFirstAndSpecialDaysFromTheMemo)
{
    const QDate sunday(2026, 12, 6);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(dayCode(sunday.addDays(i), QString()), i + 1) << i;
    EXPECT_EQ(dayCode(QDate(2026, 12, 12), QString()), 7); // an empty memo on a Saturday
    EXPECT_EQ(dayCode(QDate(2026, 12, 12), QStringLiteral("特日３")), 10);
    EXPECT_EQ(dayCode(sunday, QStringLiteral("特日１")), 8);
    EXPECT_EQ(dayCode(sunday, QStringLiteral(" 特日４ ")), 11);
    EXPECT_EQ(dayCode(sunday, QStringLiteral("  ")), 1);
    // Half-width digits, other memos and bad dates give no code.
    EXPECT_EQ(dayCode(sunday, QStringLiteral("特日1")), std::nullopt);
    EXPECT_EQ(dayCode(sunday, QStringLiteral("特日５")), std::nullopt);
    EXPECT_EQ(dayCode(sunday, QStringLiteral("会議")), std::nullopt);
    EXPECT_EQ(dayCode(QDate(), QString()), std::nullopt);

    EXPECT_EQ(dayNames().size(), 11);
    EXPECT_EQ(dayName(1), QStringLiteral("日曜日"));
    EXPECT_EQ(dayName(7), QStringLiteral("土曜日"));
    EXPECT_EQ(dayName(11), QStringLiteral("特日４"));
    EXPECT_TRUE(dayName(0).isEmpty());
    EXPECT_TRUE(dayName(12).isEmpty());
}

TEST(TimeOfDay, ComparisonForms)
{
    EXPECT_EQ(hhnn(QTime(7, 30, 59)), QStringLiteral("0730"));
    EXPECT_EQ(hhnn(QTime(0, 0)), QString::fromLatin1(DayStartHhnn));
    EXPECT_EQ(hhnn(QTime(23, 59)), QString::fromLatin1(DayEndHhnn));
    EXPECT_EQ(hhnnss(QTime(7, 30)), 73000);
    EXPECT_EQ(hhnnss(QTime(0, 0, 5)), 5);
    EXPECT_EQ(hhnnss(QTime(23, 59, 59)), 235959);
    EXPECT_EQ(timeText(QTime(7, 5)), QStringLiteral("07:05:00"));

    EXPECT_EQ(parseTime(QStringLiteral("07:30:00")), QTime(7, 30));
    EXPECT_EQ(parseTime(QStringLiteral("7:30")), QTime(7, 30));
    EXPECT_EQ(parseTime(QStringLiteral("1899-12-30 18:00:00")), QTime(18, 0));
    EXPECT_EQ(parseTime(QStringLiteral("1899-12-30T18:00:00")), QTime(18, 0));
    EXPECT_EQ(parseTime(QVariant(QTime(1, 2, 3))), QTime(1, 2, 3));
    EXPECT_FALSE(parseTime(QStringLiteral("25:00")).isValid());
    EXPECT_FALSE(parseTime(QStringLiteral("abc")).isValid());
    EXPECT_FALSE(parseTime(QVariant()).isValid());
}

TEST(GroupRange, SlotsCoverZeroTo501Only)
{
    EXPECT_FALSE(isGroupNo(0));
    EXPECT_TRUE(isGroupNo(1));
    EXPECT_TRUE(isGroupNo(501));
    EXPECT_FALSE(isGroupNo(502));
    EXPECT_EQ(groupSlot(0), std::size_t(0));
    EXPECT_EQ(groupSlot(501), std::size_t(501));
    EXPECT_EQ(groupSlot(502), std::nullopt);
    EXPECT_EQ(groupSlot(-1), std::nullopt);
    EXPECT_EQ(groupSlot(32768 + 501), std::nullopt);
}

TEST(SetValueText, ShortestSingleWithSevenDigits)
{
    EXPECT_EQ(setValueText(1.5f), QStringLiteral("1.5"));
    EXPECT_EQ(setValueText(20.0f), QStringLiteral("20"));
    EXPECT_EQ(setValueText(22.5f), QStringLiteral("22.5"));
    EXPECT_EQ(setValueText(0.1f), QStringLiteral("0.1"));
    EXPECT_EQ(setValueText(-3.25f), QStringLiteral("-3.25"));
    EXPECT_EQ(setValueText(0.0f), QStringLiteral("0"));
    EXPECT_EQ(setValueText(-0.0f), QStringLiteral("0"));
    EXPECT_EQ(setValueText(1234567.0f), QStringLiteral("1234567"));
    EXPECT_EQ(setValueText(3.14159265f), QStringLiteral("3.141593"));
    EXPECT_EQ(setValueText(1.0f / 3.0f), QStringLiteral("0.3333333"));
}

TEST(SitePaths, CanonicalNamesAndTheSharedSettingsFile)
{
    EXPECT_EQ(paths::databasePath(QStringLiteral("/srv/sch")), QStringLiteral("/srv/sch/SC_DataBase/Sch.accdb"));
    EXPECT_EQ(paths::backupPath(QStringLiteral("/srv/sch")), QStringLiteral("/srv/sch/SC_DataBase/Sch_BackUp.accdb"));
    EXPECT_EQ(paths::dayInfoPath(QStringLiteral("/srv/sch")), QStringLiteral("/srv/sch/SC_DataBase/dayinfor.csv"));
    EXPECT_EQ(paths::passwordPath(QStringLiteral("/srv/sch")), QStringLiteral("/srv/sch/SC_DataBase/schedule.txt"));
    EXPECT_EQ(paths::settingsPath(QStringLiteral("/srv/sch")), QStringLiteral("/srv/sch/Sch.ini"));
    EXPECT_EQ(paths::traceFolder(QStringLiteral("/srv/sch")), QStringLiteral("/srv/sch/SHLOG"));
    EXPECT_EQ(paths::databaseFolderOf(QStringLiteral("/mnt/server/SC_DataBase/Sch.accdb")),
              QStringLiteral("/mnt/server/SC_DataBase"));
    EXPECT_EQ(paths::sharedSettingsPathFor(QStringLiteral("/mnt/server/SC_DataBase/Sch.accdb")),
              QStringLiteral("/mnt/server/Sch.ini"));
}

} // namespace
