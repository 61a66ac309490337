#include "calendar/calendarlayout.h"
#include "calendar/datearithmetic.h"
#include "calendar/dateformat.h"
#include "calendar/datefoldmodel.h"
#include "calendar/daycolor.h"
#include "calendar/monthgrid.h"
#include "calendar/oledate.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

using namespace calendar;

namespace {

double ole(int y, int m, int d) { return toOleDate(QDate(y, m, d)); }

// Records the model's events in order as texts.
struct EventLog
{
    explicit EventLog(DatefoldModel &m)
    {
        QObject::connect(&m, &DatefoldModel::NewYear, [this](short y) { events << QStringLiteral("NewYear(%1)").arg(y); });
        QObject::connect(&m, &DatefoldModel::NewMonth, [this](short mo) { events << QStringLiteral("NewMonth(%1)").arg(mo); });
        QObject::connect(&m, &DatefoldModel::DateClick, [this](double d) {
            events << QStringLiteral("DateClick(%1)").arg(oleDateDay(d).toString(Qt::ISODate));
        });
    }
    QStringList take() { return std::exchange(events, {}); }
    QStringList events;
};

// A model showing `date`, set without events.
std::unique_ptr<DatefoldModel> modelAt(const QDate &date)
{
    auto m = std::make_unique<DatefoldModel>();
    m->resetCurrentDate(date);
    return m;
}

} // namespace

TEST(MonthGrid, SixWeeksSundayFirst)
{
    // October 2023 starts on a Sunday: the previous week fills the first row.
    const QDate october(2023, 10, 1);
    EXPECT_EQ(monthgrid::firstCell(october), QDate(2023, 9, 24));
    EXPECT_EQ(monthgrid::dateForCell(october, 1, 0), october);
    // June 2024 starts on a Saturday.
    const QDate june(2024, 6, 1);
    EXPECT_EQ(monthgrid::firstCell(june), QDate(2024, 5, 26));
    EXPECT_EQ(monthgrid::dateForCell(june, 5, 6), QDate(2024, 7, 6));
    EXPECT_FALSE(monthgrid::dateForCell(june, 6, 0).isValid());

    int row = -1, column = -1;
    ASSERT_TRUE(monthgrid::cellForDate(june, QDate(2024, 6, 30), &row, &column));
    EXPECT_EQ(row, 5);
    EXPECT_EQ(column, 0);
    EXPECT_FALSE(monthgrid::cellForDate(june, QDate(2024, 7, 7), &row, &column));
    EXPECT_FALSE(monthgrid::cellForDate(june, QDate(2024, 5, 25), &row, &column));
    EXPECT_EQ(monthgrid::monthOffset(june, QDate(2024, 5, 31)), -1);
    EXPECT_EQ(monthgrid::monthOffset(june, QDate(2025, 1, 1)), 1);
}

TEST(DateArithmetic, OffsetsClampDayByStep)
{
    using namespace datearithmetic;
    EXPECT_EQ(offset(QDate(2001, 1, 31), 0, 1, 0, 0), QDate(2001, 2, 28));
    EXPECT_EQ(offset(QDate(2001, 1, 31), 0, 2, 0, 0), QDate(2001, 3, 28)); // clamped on the way
    EXPECT_EQ(offset(QDate(2000, 2, 29), 1, 0, 0, 0), QDate(2001, 2, 28));
    EXPECT_EQ(offset(QDate(2001, 3, 31), 0, -1, 0, 0), QDate(2001, 2, 28));
    EXPECT_EQ(offset(QDate(2001, 12, 15), 0, 1, 1, 1), QDate(2002, 1, 23));
    EXPECT_EQ(offset(QDate(2001, 1, 15), 0, -13, 0, 0), QDate(1999, 12, 15));
    EXPECT_EQ(offset(QDate(1902, 5, 5), -5, 0, 0, 0), QDate(1900, 5, 5)); // years stop at 1900
}

TEST(DateArithmetic, KeyboardTable)
{
    using namespace datearithmetic;
    const QDate wed(2024, 5, 15); // a Wednesday
    EXPECT_EQ(keyTarget(wed, Qt::Key_Left, false), QDate(2024, 5, 14));
    EXPECT_EQ(keyTarget(wed, Qt::Key_Right, true), QDate(2024, 5, 16));
    EXPECT_EQ(keyTarget(wed, Qt::Key_Up, false), QDate(2024, 5, 8));
    EXPECT_EQ(keyTarget(wed, Qt::Key_Down, false), QDate(2024, 5, 22));
    EXPECT_EQ(keyTarget(QDate(2024, 3, 31), Qt::Key_PageUp, false), QDate(2024, 2, 29));
    EXPECT_EQ(keyTarget(QDate(2024, 2, 29), Qt::Key_PageUp, true), QDate(2023, 2, 28));
    EXPECT_EQ(keyTarget(QDate(2024, 1, 31), Qt::Key_PageDown, false), QDate(2024, 2, 29));
    EXPECT_EQ(keyTarget(wed, Qt::Key_PageDown, true), QDate(2025, 5, 15));
    EXPECT_EQ(keyTarget(wed, Qt::Key_Home, false), QDate(2024, 5, 12));
    EXPECT_EQ(keyTarget(QDate(2024, 5, 2), Qt::Key_Home, false), QDate(2024, 5, 1)); // not before the 1st
    EXPECT_EQ(keyTarget(wed, Qt::Key_Home, true), QDate(2024, 5, 1));
    EXPECT_EQ(keyTarget(wed, Qt::Key_End, false), QDate(2024, 5, 18));
    EXPECT_EQ(keyTarget(QDate(2024, 5, 30), Qt::Key_End, false), QDate(2024, 5, 31)); // not past the last
    EXPECT_EQ(keyTarget(wed, Qt::Key_End, true), QDate(2024, 5, 31));
    EXPECT_FALSE(keyTarget(wed, Qt::Key_A, false).isValid());
}

TEST(CalendarNavigation, SettingTheDateFiresEventsInOrder)
{
    auto m = modelAt(QDate(2001, 1, 31));
    EventLog log(*m);
    EXPECT_EQ(oleDateDay(m->OffsetDatePosition(0, 1, 0, 0)), QDate(2001, 2, 28));
    EXPECT_EQ(log.take(), (QStringList{"NewMonth(2)", "DateClick(2001-02-28)"}));
    EXPECT_EQ(m->displayedMonth(), QDate(2001, 2, 1));

    EXPECT_EQ(oleDateDay(m->OffsetDatePosition(0, 0, 0, 0)), QDate(2001, 2, 28));
    EXPECT_TRUE(log.take().isEmpty());

    m->setDatePosition(ole(2001, 12, 31));
    log.take();
    m->OffsetDatePosition(0, 0, 0, 1);
    EXPECT_EQ(log.take(), (QStringList{"NewYear(2002)", "NewMonth(1)", "DateClick(2002-01-01)"}));
    m->setDatePosition(ole(2002, 1, 15)); // same month: only DateClick
    EXPECT_EQ(log.take(), (QStringList{"DateClick(2002-01-15)"}));
    m->setDatePosition(0); // ignored
    m->setDatePosition(ole(2002, 1, 15));
    EXPECT_TRUE(log.take().isEmpty());

    platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
    EXPECT_EQ(oleDateDay(m->GoToday()), QDate(2026, 12, 8));
    EXPECT_EQ(log.take(), (QStringList{"NewYear(2026)", "NewMonth(12)", "DateClick(2026-12-08)"}));
    platform::clock::useSystemClock();
}

TEST(CalendarNavigation, ClicksAndMonthSteps)
{
    auto m = modelAt(QDate(2024, 12, 10));
    EventLog log(*m);
    m->clickDay(QDate(2024, 12, 10)); // the current date: DateClick only
    EXPECT_EQ(log.take(), (QStringList{"DateClick(2024-12-10)"}));
    m->clickDay(QDate(2025, 1, 2)); // next month's day in the grid: the month steps
    EXPECT_EQ(log.take(), (QStringList{"NewYear(2025)", "NewMonth(1)"}));
    EXPECT_EQ(m->currentDate(), QDate(2024, 12, 10));
    EXPECT_EQ(m->displayedMonth(), QDate(2025, 1, 1));
    // A day of the displayed month: the shown year and month stay, so only DateClick.
    m->clickDay(QDate(2025, 1, 20));
    EXPECT_EQ(log.take(), (QStringList{"DateClick(2025-01-20)"}));
    m->stepMonth(-1);
    EXPECT_EQ(log.take(), (QStringList{"NewYear(2024)", "NewMonth(12)"}));

    m->setOnlyThisMonth(true);
    m->clickDay(QDate(2025, 1, 2));
    EXPECT_TRUE(log.take().isEmpty());
    EXPECT_EQ(m->displayedMonth(), QDate(2024, 12, 1));
}

TEST(CalendarNavigation, KeysRespectOnlyThisMonth)
{
    auto m = modelAt(QDate(2024, 5, 31));
    EventLog log(*m);
    EXPECT_TRUE(m->moveByKey(Qt::Key_Right, false));
    EXPECT_EQ(log.take(), (QStringList{"NewMonth(6)", "DateClick(2024-06-01)"}));
    m->setOnlyThisMonth(true);
    EXPECT_FALSE(m->moveByKey(Qt::Key_Left, false));
    EXPECT_EQ(m->currentDate(), QDate(2024, 6, 1));
    EXPECT_TRUE(m->moveByKey(Qt::Key_End, true));
    EXPECT_EQ(m->currentDate(), QDate(2024, 6, 30));
    EXPECT_FALSE(m->moveByKey(Qt::Key_PageDown, false));
    EXPECT_FALSE(m->moveByKey(Qt::Key_Escape, false));
}

TEST(CalendarLayout, HitCodes)
{
    CalendarLayoutInput in;
    in.size = QSize(280, 240);
    in.yearMonthHeight = 20;
    in.yearTextWidth = 60;
    in.monthTextWidth = 20;
    in.headingHeight = 16;
    in.captionHeight = 20;
    const CalendarLayout plain(in);
    EXPECT_EQ(plain.hitTest(QPoint(110, 10)).code, DfdHitYear);
    EXPECT_EQ(plain.hitTest(QPoint(165, 10)).code, DfdHitMonth);
    EXPECT_EQ(plain.hitTest(QPoint(5, 10)).code, DfdHitUnknown);
    EXPECT_EQ(plain.hitTest(QPoint(100, 28)).code, DfdHitUnknown); // weekday headings
    const HitResult first = plain.hitTest(QPoint(1, 37));
    EXPECT_EQ(first.code, DfdHitDay);
    EXPECT_EQ(first.row, 0);
    EXPECT_EQ(first.column, 0);
    const HitResult last = plain.hitTest(QPoint(279, 239));
    EXPECT_EQ(last.row, 5);
    EXPECT_EQ(last.column, 6);

    in.hasCaption = true;
    const CalendarLayout captioned(in);
    EXPECT_EQ(captioned.hitTest(QPoint(100, 230)).code, DfdHitCaption);
    EXPECT_EQ(captioned.hitTest(QPoint(100, 210)).code, DfdHitDay);

    in.showYearMonth = false;
    EXPECT_EQ(CalendarLayout(in).hitTest(QPoint(110, 10)).code, DfdHitUnknown);
    // Cells lie inside their slots, apart by the grid space.
    EXPECT_EQ(captioned.cellRect(0, 1).left() - captioned.cellRect(0, 0).right() - 1, 2);
}

TEST(DayColor, RulesInOrder)
{
    DatefoldModel m;
    const HolidayEngine &h = m.holidays();
    const QDate today(2024, 6, 12);
    m.SetHoliday(ole(2024, 6, 15), QStringLiteral("創立記念日"), DfdSpecialHoliday); // a Saturday
    EXPECT_EQ(dayColorRole(h, QDate(2024, 6, 15), today, false), DayColorRole::SpecialHoliday);
    EXPECT_EQ(dayColorRole(h, QDate(2024, 11, 23), today, false), DayColorRole::Holiday); // Saturday 勤労感謝の日
    EXPECT_EQ(dayColorRole(h, QDate(2024, 2, 12), today, false), DayColorRole::Holiday);  // substitute
    EXPECT_EQ(dayColorRole(h, QDate(2024, 6, 16), today, false), DayColorRole::Sunday);
    EXPECT_EQ(dayColorRole(h, QDate(2024, 6, 22), today, false), DayColorRole::Saturday);
    EXPECT_EQ(dayColorRole(h, today, today, false), DayColorRole::Weekday);
    EXPECT_EQ(dayColorRole(h, today, today, true), DayColorRole::Today);
}

TEST(DateFormat, PicturesInJapanese)
{
    const QDate sunday(2024, 1, 7);
    EXPECT_EQ(formatDatePicture(sunday, QStringLiteral("ddd")), QStringLiteral("日"));
    EXPECT_EQ(formatDatePicture(sunday.addDays(6), QStringLiteral("ddd")), QStringLiteral("土"));
    EXPECT_EQ(formatDatePicture(sunday, QStringLiteral("yyyy  -  ")), QStringLiteral("2024  -  "));
    EXPECT_EQ(formatDatePicture(sunday, QStringLiteral("M")), QStringLiteral("1"));
    EXPECT_EQ(formatDatePicture(sunday, QStringLiteral("d")), QStringLiteral("7"));
    EXPECT_EQ(formatDatePicture(sunday, QStringLiteral("yyyy  年")), QStringLiteral("2024  年"));
}
