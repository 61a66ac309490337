#include "calendar/datefoldmodel.h"
#include "calendar/holidaytable.h"
#include "calendar/oledate.h"
#include "platform/clock.h"

#include "automation/variantconventions.h"

#include <gtest/gtest.h>

using namespace calendar;

namespace {

double ole(int y, int m, int d) { return toOleDate(QDate(y, m, d)); }

} // namespace

TEST(HolidayTable, BuiltInTableLoadsEveryRowInOrder)
{
    DatefoldModel model;
    ASSERT_EQ(model.holidays().ruleCount(), 33);
    const HolidayRule &first = *model.holidays().rule(0);
    EXPECT_EQ(first.name, QStringLiteral("元日"));
    EXPECT_EQ(first.enforceDate, QDate(1948, 7, 20));
    EXPECT_EQ(first.expiryDate, QDate(1973, 4, 11));
    EXPECT_FALSE(first.substitute);
    const HolidayRule &last = *model.holidays().rule(32);
    EXPECT_EQ(last.name, QStringLiteral("国民の休日"));
    EXPECT_EQ(last.style, DfdKokuminKyujitu);
    EXPECT_EQ(last.month, 9);
    EXPECT_FALSE(last.expiryDate.isValid());

    // Clearing does not bring the table back.
    model.ClearAllHoliday();
    EXPECT_EQ(model.holidays().ruleCount(), 0);
    EXPECT_FALSE(model.IsHoliday(ole(2001, 1, 1)));
}

TEST(HolidayTable, ParserSkipsHeaderEmptyLongAndBrokenLines)
{
    const QByteArray text = "名称,タイプ\r\n"
                            "\r\n"
                            "A,0,2000/1/1,0,1,0,1,1,0\r\n"
                            "B,x,2000/1/1,0,1,0,1,1,0\r\n"
                            "C,0,2000/1/1,0,1\r\n"
                            "D,1,nodate,2001/2/3,0,0,3,4,0\n"
                            + QByteArray(300, 'E') + ",0,0,0,0,0,1,1,0\r\n";
    const QList<HolidayTableRow> rows = parseHolidayTable(text);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, QStringLiteral("A"));
    EXPECT_EQ(rows[0].enforceDate, QDate(2000, 1, 1));
    EXPECT_FALSE(rows[0].expiryDate.isValid());
    EXPECT_EQ(rows[1].name, QStringLiteral("D"));
    EXPECT_FALSE(rows[1].enforceDate.isValid()); // unreadable date: no limit
    EXPECT_EQ(rows[1].expiryDate, QDate(2001, 2, 3));
}

TEST(HolidayEngine, BuiltInTableEdgeDays)
{
    DatefoldModel m;
    // Third Monday of September from 2003; the fixed 9/15 rule expired in 2002.
    EXPECT_TRUE(m.IsHoliday(ole(2003, 9, 15)));
    EXPECT_EQ(m.GetHolidayName(ole(2003, 9, 15)), QStringLiteral("敬老の日"));
    EXPECT_FALSE(m.IsHoliday(ole(2004, 9, 15)));
    EXPECT_TRUE(m.IsHoliday(ole(2004, 9, 20)));

    // Between Constitution Day and Children's Day.
    EXPECT_TRUE(m.IsKokuminKyujitu(ole(1999, 5, 4)));
    EXPECT_EQ(m.GetHolidayName(ole(1999, 5, 4)), QStringLiteral("国民の休日"));
    EXPECT_TRUE(m.IsLegalHoliday(ole(1999, 5, 4)));
    // A Sunday May 4 is no citizens' holiday.
    EXPECT_FALSE(m.IsKokuminKyujitu(ole(2003, 5, 4)));

    // The Monday after a Sunday holiday.
    const double furikae = ole(2001, 2, 12);
    EXPECT_TRUE(m.IsFurikae(furikae));
    EXPECT_EQ(m.GetHolidayName(furikae), QStringLiteral("振替休日"));
    EXPECT_TRUE(m.IsLegalHoliday(furikae));
    EXPECT_TRUE(m.IsHoliday(furikae));
    EXPECT_FALSE(m.IsFurikae(ole(2001, 2, 13)));
    QVariant names;
    EXPECT_EQ(m.GetHolidayName2(furikae, names), 1);
    EXPECT_EQ(names.toList().value(0).toString(), QStringLiteral("振替休日"));

    // Sundays are not holidays by themselves; validity windows end rules.
    EXPECT_FALSE(m.IsHoliday(ole(2001, 2, 4)));
    EXPECT_EQ(m.GetHolidayName(ole(1988, 4, 29)), QStringLiteral("天皇誕生日"));
    EXPECT_EQ(m.GetHolidayName(ole(1990, 4, 29)), QStringLiteral("みどりの日"));
    EXPECT_FALSE(m.IsHoliday(ole(1950, 2, 11)));
}

TEST(HolidayEngine, EveryCitizensHolidayRuleMatchesACitizensHoliday)
{
    DatefoldModel m;
    const int may = 24, september = 32; // the two 国民の休日 rules of the built-in table
    ASSERT_EQ(m.holidays().rule(may)->style, DfdKokuminKyujitu);
    ASSERT_EQ(m.holidays().rule(september)->style, DfdKokuminKyujitu);

    // 2009-09-22 lies between 敬老の日 and 秋分の日: both rules apply and match.
    const double day = ole(2009, 9, 22);
    ASSERT_TRUE(m.IsKokuminKyujitu(day));
    QVariant indexes, names;
    EXPECT_EQ(m.GetHolidayParam2(day, indexes), 2);
    EXPECT_EQ(indexes.toList(), (QVariantList{QVariant::fromValue<qint16>(may), QVariant::fromValue<qint16>(september)}));
    EXPECT_EQ(m.GetHolidayName2(day, names), 2);
    EXPECT_EQ(names.toStringList(), (QStringList{QStringLiteral("国民の休日"), QStringLiteral("国民の休日")}));
    QString name;
    short type = -1, style = -1, month = -1, dayOrWeek = -1, weekday = -1;
    ASSERT_TRUE(m.GetHolidayParam(day, name, type, style, month, dayOrWeek, weekday));
    EXPECT_EQ(month, 5) << "the first matching rule is the May one";

    // Before the September rule was enacted only the May rule matches.
    EXPECT_EQ(m.GetHolidayParam2(ole(1999, 5, 4), indexes), 1);
    EXPECT_EQ(indexes.toList(), QVariantList{QVariant::fromValue<qint16>(may)});
    // A day that is no citizens' holiday matches neither.
    EXPECT_EQ(m.GetHolidayParam2(ole(2009, 9, 24), indexes), 0);
    EXPECT_FALSE(m.IsHoliday(ole(2009, 9, 24)));
}

TEST(HolidayEngine, EquinoxesAndLeapYears)
{
    DatefoldModel m;
    EXPECT_EQ(oleDateDay(m.GetVernalEquinoxDay(1996)), QDate(1996, 3, 20));
    EXPECT_EQ(oleDateDay(m.GetAutumnalEquinoxDay(1996)), QDate(1996, 9, 23));
    EXPECT_EQ(oleDateDay(m.GetVernalEquinoxDay(1997)), QDate(1997, 3, 20));
    // Counting backwards from the base moment.
    EXPECT_EQ(oleDateDay(m.GetVernalEquinoxDay(1980)), QDate(1980, 3, 20));
    // 2012's autumnal equinox fell at 23:49 on September 22: a straight
    // tropical-year step from 1996 gives the 23rd.
    EXPECT_EQ(oleDateDay(m.GetAutumnalEquinoxDay(2012)), QDate(2012, 9, 22));
    EXPECT_EQ(oleDateDay(m.GetVernalEquinoxDay(2027)), QDate(2027, 3, 21));
    EXPECT_TRUE(m.IsVernalEquinoxDay(ole(2010, 3, 21)));
    EXPECT_EQ(m.GetHolidayName(ole(2010, 3, 21)), QStringLiteral("春分の日"));

    // A later base moment moves the computed days.
    m.setAutumnalEquinox(toOleDate(QDateTime(QDate(1996, 9, 22), QTime(12, 0))));
    EXPECT_EQ(oleDateDay(m.GetAutumnalEquinoxDay(1996)), QDate(1996, 9, 22));

    EXPECT_FALSE(m.IsLeapYear(1900));
    EXPECT_TRUE(m.IsLeapYear(2000));
    EXPECT_TRUE(m.IsLeapYear(2024));
    EXPECT_FALSE(m.IsLeapYear(2023));

    // The equinox questions need a legal equinox rule.
    m.ClearAllLegalHoliday();
    EXPECT_FALSE(m.IsVernalEquinoxDay(ole(2010, 3, 21)));
}

TEST(HolidayEngine, SetHolidayParam2Validation)
{
    platform::clock::setNow(QDateTime(QDate(2024, 6, 1), QTime(9, 0)));
    DatefoldModel m(nullptr, false);
    const QVariant none;
    // A special holiday with Substitute exactly 1 is refused; -1 is not "exactly 1".
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("創立記念日"), 1, none, none, 1, 0, 6, 10, 0), 0);
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("創立記念日"), 1, none, none, -1, 0, 6, 10, 0), -1);
    EXPECT_EQ(m.holidays().ruleCount(), 1);

    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 2, none, none, 0, 0, 6, 10, 0), 0);    // type
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 0, none, none, 0, 6, 6, 10, 0), 0);    // pattern
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 0, none, none, 0, 0, 13, 10, 0), 0);   // month
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 0, none, none, 0, 0, 2, 30, 0), 0);    // no 2/30
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 0, none, none, 0, 1, 2, 1, 8), 0);     // weekday
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 1, none, none, 0, 3, 0, 0, 0), 0);     // special equinox
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 0, none, none, 0, 1, 2, 5, 2), 0);     // no fifth Monday of Feb 2024
    // The reference date is the enforce date: a rule that starts after it ends is refused.
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("x"), 0, QStringLiteral("2020/1/1"),
                                 QStringLiteral("2019/1/1"), 0, 0, 1, 1, 0), 0);
    EXPECT_EQ(m.holidays().ruleCount(), 1);

    // Limits given as dates, texts or nothing; text that is no date means no limit.
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("A"), 0, ole(2020, 1, 1), QStringLiteral("2021/12/31"), -1, 0, 3, 3,
                                 0), -1);
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("B"), 0, QStringLiteral("garbage"), none, 0, 2, 5, 9, 2), -1);
    EXPECT_TRUE(m.IsHoliday(ole(2021, 3, 3)));
    EXPECT_FALSE(m.IsHoliday(ole(2022, 3, 3)));
    EXPECT_FALSE(m.IsHoliday(ole(2019, 3, 3)));
    // Pattern 2 falls back to the last Monday of May.
    EXPECT_TRUE(m.IsHoliday(ole(2024, 5, 27)));

    QString name;
    short type = 0, pattern = 0, month = 0, day = 0, weekday = 0;
    bool substitute = false;
    QVariant enforce, expiry;
    ASSERT_TRUE(m.EnumHolidayParam2(1, name, type, enforce, expiry, substitute, pattern, month, day, weekday));
    EXPECT_EQ(name, QStringLiteral("A"));
    EXPECT_EQ(oleDateDay(enforce.toDouble()), QDate(2020, 1, 1));
    EXPECT_EQ(oleDateDay(expiry.toDouble()), QDate(2021, 12, 31));
    EXPECT_TRUE(substitute);
    ASSERT_TRUE(m.EnumHolidayParam2(2, name, type, enforce, expiry, substitute, pattern, month, day, weekday));
    // A missing limit is the null variant, not the empty one.
    EXPECT_TRUE(automation::isNullVariant(enforce));
    EXPECT_TRUE(enforce.isValid());
    EXPECT_EQ(automation::displayText(enforce), QStringLiteral("Null"));
    QVariant vName, vType, vEnforce, vExpiry, vSubstitute, vPattern, vMonth, vDay, vWeekday;
    ASSERT_TRUE(m.EnumHolidayParam2V(2, vName, vType, vEnforce, vExpiry, vSubstitute, vPattern, vMonth, vDay, vWeekday));
    EXPECT_TRUE(automation::isNullVariant(vEnforce));
    EXPECT_TRUE(automation::isNullVariant(vExpiry));
    // A null limit given back to SetHolidayParam2 means no limit.
    EXPECT_EQ(m.SetHolidayParam2(QStringLiteral("C"), 0, vEnforce, vExpiry, 0, 0, 7, 7, 0), -1);
    EXPECT_TRUE(m.IsHoliday(ole(1900, 7, 7)));
    EXPECT_FALSE(m.EnumHolidayParam2(4, name, type, enforce, expiry, substitute, pattern, month, day, weekday));
    EXPECT_FALSE(m.EnumHolidayParam2(-1, name, type, enforce, expiry, substitute, pattern, month, day, weekday));
    platform::clock::useSystemClock();
}

TEST(HolidayEngine, SimpleRulesClearingAndEnumeration)
{
    DatefoldModel m;
    m.setDisplayedMonth(QDate(2024, 1, 1));
    // A special holiday on a date that already is a holiday replaces its rules.
    m.SetHoliday(ole(2024, 11, 3), QStringLiteral("記念日"), DfdSpecialHoliday);
    EXPECT_TRUE(m.IsSpecialHoliday(ole(2024, 11, 3)));
    EXPECT_FALSE(m.IsLegalHoliday(ole(2024, 11, 3)));
    EXPECT_EQ(m.GetHolidayName(ole(1990, 11, 3)), QStringLiteral("記念日")); // no window: every year

    m.SetHolidayParam(QStringLiteral("bad"), 0, 0, 2, 30, 0); // no such date: dropped
    const int count = m.holidays().ruleCount();
    m.SetHolidayParam(QStringLiteral("x"), 3, 0, 1, 1, 0);    // bad type: dropped
    EXPECT_EQ(m.holidays().ruleCount(), count);

    QVariant indexes;
    EXPECT_EQ(m.GetHolidayParam2(ole(2024, 1, 1), indexes), 1);
    const int ganjitsu = indexes.toList().value(0).toInt();
    double date = 0;
    // The window is compared by years: 1973 counts although the rule starts in April.
    EXPECT_TRUE(m.EnumHoliday(short(ganjitsu), 1973, date));
    EXPECT_EQ(oleDateDay(date), QDate(1973, 1, 1));
    EXPECT_TRUE(m.EnumHoliday(short(ganjitsu), 1972, date));
    EXPECT_EQ(date, 0.0);
    EXPECT_FALSE(m.EnumHoliday(-1, 2024, date));
    EXPECT_FALSE(m.EnumHoliday(short(m.holidays().ruleCount()), 2024, date));

    // The September citizens' holiday rule gives its date only when the day is one.
    m.ClearAllHoliday();
    m.SetHolidayParam2(QStringLiteral("敬老の日"), 0, ole(2003, 1, 1), QVariant(), 1, 1, 9, 3, 2);
    m.SetHolidayParam2(QStringLiteral("秋分の日"), 0, QVariant(), QVariant(), 1, 4, 0, 0, 0);
    m.SetHolidayParam2(QStringLiteral("国民の休日"), 0, ole(2003, 1, 1), QVariant(), 0, 5, 9, 0, 0);
    const int september = 2;
    EXPECT_TRUE(m.EnumHoliday(september, 2009, date));
    EXPECT_EQ(oleDateDay(date), QDate(2009, 9, 22));
    EXPECT_TRUE(m.EnumHoliday(september, 2010, date));
    EXPECT_EQ(date, 0.0);

}

TEST(HolidayEngine, RuleParametersAndClearing)
{
    DatefoldModel m;
    QString name;
    short type, style, month, day, weekday;
    EXPECT_TRUE(m.GetHolidayParam(ole(2024, 1, 8), name, type, style, month, day, weekday));
    EXPECT_EQ(name, QStringLiteral("成人の日"));
    EXPECT_EQ(style, DfdMonthAnyWeek);
    EXPECT_EQ(weekday, 2);
    EXPECT_FALSE(m.GetHolidayParam(ole(2024, 1, 9), name, type, style, month, day, weekday));

    EXPECT_TRUE(m.ClearHoliday(ole(2024, 1, 8)));
    EXPECT_FALSE(m.IsHoliday(ole(2024, 1, 8)));
    EXPECT_TRUE(m.IsHoliday(ole(1990, 1, 15))); // the fixed rule of that period stays
    EXPECT_FALSE(m.ClearHoliday(ole(2024, 1, 9)));

    m.SetHoliday(ole(2024, 6, 10), QStringLiteral("創立記念日"), DfdSpecialHoliday);
    EXPECT_TRUE(m.IsSpecialHoliday(ole(2025, 6, 10)));
    m.ClearAllSpecialHoliday();
    EXPECT_FALSE(m.IsHoliday(ole(2025, 6, 10)));
    EXPECT_TRUE(m.IsHoliday(ole(2024, 1, 1)));
}
