#include "makesite/sitedata.h"

#include <gtest/gtest.h>

TEST(MakesiteDemo, AReservationSoonStartsAtTheNextMinuteAndStaysInTheDay)
{
    makesite::SiteData data = makesite::demonstrationData(QDate(2026, 12, 8));
    makesite::addReservationSoon(data, QTime(10, 41, 12), 3, {3, 4});
    ASSERT_EQ(data.extraToday.size(), 2);
    EXPECT_EQ(data.extraToday.at(0).gpno, 3);
    EXPECT_EQ(data.extraToday.at(0).start, QTime(10, 42));
    EXPECT_EQ(data.extraToday.at(0).end, QTime(10, 45));

    data.extraToday.clear();
    makesite::addReservationSoon(data, QTime(23, 57, 30), 5, {3});
    ASSERT_EQ(data.extraToday.size(), 1);
    EXPECT_EQ(data.extraToday.at(0).end, QTime(23, 59));

    data.extraToday.clear();
    makesite::addReservationSoon(data, QTime(23, 59, 10), 5, {3});
    EXPECT_TRUE(data.extraToday.isEmpty());
}

TEST(MakesiteDemo, PlantTagsCoverEveryDevice)
{
    const makesite::SiteData data = makesite::demonstrationData(QDate(2026, 12, 8));
    const QList<QByteArray> lines = makesite::plantTags(data).trimmed().split('\n');
    ASSERT_EQ(lines.size(), data.devices.size() + 1);
    EXPECT_EQ(lines.first(), QByteArray("name,type,value,comment"));
    EXPECT_TRUE(lines.at(1).startsWith(data.devices.first().tag.toUtf8() + ",number,0,"));
}
