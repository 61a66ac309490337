// Every date of 2000-2027 against the Cabinet Office list of holidays, with
// the later laws applied.  The list is test data only: the engine computes.
#include "calendar/datefoldmodel.h"
#include "calendar/oledate.h"
#include "testsupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

#include <gtest/gtest.h>

using namespace calendar;

namespace {

double ole(int y, int m, int d) { return toOleDate(QDate(y, m, d)); }

// The list kept beside this test (a copy of the Cabinet Office file, see
// data/jp_holidays.SOURCE.txt), else the shared data folder's.
QString holidayListPath()
{
    const QString name = QStringLiteral("data/jp_holidays.csv");
    const QString own = QDir(testsupport::sourceDir()).filePath(QStringLiteral("tests/calendar/") + name);
    if (QFileInfo::exists(own))
        return own;
    return QDir(testsupport::sharedDir()).filePath(name);
}

QHash<QDate, QString> readHolidayList()
{
    QHash<QDate, QString> list;
    QFile f(holidayListPath());
    if (!f.open(QIODevice::ReadOnly))
        return list;
    f.readLine(); // header "date,name"
    while (!f.atEnd()) {
        const QStringList fields = QString::fromUtf8(f.readLine()).trimmed().split(QLatin1Char(','));
        if (fields.size() >= 2)
            list.insert(QDate::fromString(fields[0], Qt::ISODate), fields[1]);
    }
    return list;
}

} // namespace

TEST(HolidayData, EveryDate2000To2027WithLaterLaws)
{
    const QHash<QDate, QString> list = readHolidayList();
    ASSERT_GT(list.size(), 1000) << "holiday list not found: " << holidayListPath().toStdString();

    DatefoldModel m;
    ASSERT_TRUE(m.AddHolidayLaws(QString()));
    int checked = 0;
    for (QDate d(2000, 1, 1); d <= QDate(2027, 12, 31); d = d.addDays(1)) {
        const double day = toOleDate(d);
        const auto it = list.constFind(d);
        const bool listed = it != list.constEnd();
        ASSERT_EQ(m.IsHoliday(day), listed) << d.toString(Qt::ISODate).toStdString() << " "
                                            << m.GetHolidayName(day).toStdString();
        EXPECT_EQ(m.IsLegalHoliday(day), listed) << d.toString(Qt::ISODate).toStdString();
        if (!listed)
            continue;
        const QString name = it.value();
        // "休日" stands for both substitute and citizens' holidays; bracketed
        // notes name the day differently from the law.
        if (name == QStringLiteral("休日") || name.contains(QStringLiteral("（")))
            continue;
        EXPECT_EQ(m.GetHolidayName(day), name) << d.toString(Qt::ISODate).toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 400);
}

TEST(HolidayData, EquinoxDaysOfEveryListedYear)
{
    const QHash<QDate, QString> list = readHolidayList();
    ASSERT_GT(list.size(), 1000);
    DatefoldModel m;
    int years = 0;
    for (auto it = list.constBegin(); it != list.constEnd(); ++it) {
        const int y = it.key().year();
        if (it.value() == QStringLiteral("春分の日")) {
            EXPECT_EQ(oleDateDay(m.GetVernalEquinoxDay(short(y))), it.key());
            ++years;
        } else if (it.value() == QStringLiteral("秋分の日")) {
            EXPECT_EQ(oleDateDay(m.GetAutumnalEquinoxDay(short(y))), it.key());
        }
    }
    EXPECT_GE(years, 70);
}

TEST(HolidayData, LaterLawDays)
{
    DatefoldModel m;
    // Without the later laws the built-in table still knows only 2003's holidays.
    EXPECT_EQ(m.GetHolidayName(ole(2019, 12, 23)), QStringLiteral("天皇誕生日"));
    EXPECT_FALSE(m.IsHoliday(ole(2016, 8, 11)));

    ASSERT_TRUE(m.AddHolidayLaws(QString()));
    const int rules = m.holidays().ruleCount();
    ASSERT_TRUE(m.AddHolidayLaws(QString())); // applying twice changes nothing
    EXPECT_EQ(m.holidays().ruleCount(), rules);

    // 5/3 on a Sunday: the substitute is the first day after the run of holidays.
    EXPECT_TRUE(m.IsFurikae(ole(2009, 5, 6)));
    EXPECT_EQ(m.GetHolidayName(ole(2009, 5, 6)), QStringLiteral("振替休日"));
    EXPECT_FALSE(m.IsFurikae(ole(2009, 5, 4)));
    EXPECT_EQ(m.GetHolidayName(ole(2009, 5, 4)), QStringLiteral("みどりの日"));
    EXPECT_FALSE(m.IsKokuminKyujitu(ole(2009, 5, 4)));
    // Before 2007 only the Monday.
    EXPECT_TRUE(m.IsFurikae(ole(1998, 5, 4)));
    EXPECT_FALSE(m.IsHoliday(ole(1998, 5, 6)));

    EXPECT_EQ(m.GetHolidayName(ole(2019, 4, 30)), QStringLiteral("休日"));
    EXPECT_EQ(m.GetHolidayName(ole(2019, 5, 1)), QStringLiteral("即位の日"));
    EXPECT_EQ(m.GetHolidayName(ole(2019, 5, 2)), QStringLiteral("休日"));
    EXPECT_EQ(m.GetHolidayName(ole(2019, 10, 22)), QStringLiteral("即位礼正殿の儀の行われる日"));
    EXPECT_FALSE(m.IsHoliday(ole(2019, 12, 23)));
    EXPECT_FALSE(m.IsHoliday(ole(2019, 2, 23)));
    EXPECT_EQ(m.GetHolidayName(ole(2020, 2, 23)), QStringLiteral("天皇誕生日"));

    EXPECT_EQ(m.GetHolidayName(ole(2020, 7, 23)), QStringLiteral("海の日"));
    EXPECT_EQ(m.GetHolidayName(ole(2020, 7, 24)), QStringLiteral("スポーツの日"));
    EXPECT_FALSE(m.IsHoliday(ole(2020, 7, 20)));  // third Monday of July 2020
    EXPECT_FALSE(m.IsHoliday(ole(2020, 10, 12))); // second Monday of October 2020
    EXPECT_FALSE(m.IsHoliday(ole(2021, 8, 11)));
    EXPECT_EQ(m.GetHolidayName(ole(2021, 8, 9)), QStringLiteral("振替休日"));

    EXPECT_TRUE(m.IsKokuminKyujitu(ole(2026, 9, 22)));
    EXPECT_EQ(m.GetHolidayName(ole(2026, 9, 22)), QStringLiteral("国民の休日"));
    QVariant names;
    EXPECT_EQ(m.GetHolidayName2(ole(2026, 9, 22), names), 1);
}

TEST(HolidayData, SiteFileAddsAFutureLaw)
{
    const QString path = QDir::temp().filePath(QStringLiteral("sch_laws_%1.csv").arg(QCoreApplication::applicationPid()));
    // A site's file: CP932 like the built-in table, ending 山の日 and adding a new day.
    QByteArray text = "名称,タイプ,施行日,有効期限,振替休日,パターン,月,日or週№,曜日\r\n"
                      "山の日,0,2022/1/1,2029/12/31,1,0,8,11,0\r\n"
                      "新しい日,0,2030/1/1,0,1,0,6,15,0\r\n";
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();

    DatefoldModel m;
    ASSERT_TRUE(m.AddHolidayLaws(QString()));
    EXPECT_TRUE(m.IsHoliday(ole(2030, 8, 12))); // 8/11 on Sunday, so far
    ASSERT_TRUE(m.AddHolidayLaws(path));
    EXPECT_TRUE(m.IsHoliday(ole(2029, 8, 11)));
    EXPECT_FALSE(m.IsHoliday(ole(2030, 8, 12)));
    EXPECT_FALSE(m.IsHoliday(ole(2030, 8, 11)));
    EXPECT_EQ(m.GetHolidayName(ole(2030, 6, 15)), QStringLiteral("新しい日"));
    QFile::remove(path);

    const int rules = m.holidays().ruleCount();
    EXPECT_FALSE(m.AddHolidayLaws(QStringLiteral("/nonexistent/laws.csv")));
    EXPECT_EQ(m.holidays().ruleCount(), rules);
}
