#include "calendar/datefoldmodel.h"
#include "calendar/daymemofile.h"
#include "calendar/oledate.h"
#include "platform/textcodec.h"
#include "filesizelimit.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>


#include <gtest/gtest.h>

using namespace calendar;

namespace {

double ole(int y, int m, int d) { return toOleDate(QDate(y, m, d)); }

using testsupport::FileSizeLimit;

} // namespace

TEST(DayMemoStore, BucketsAndWalkingOrder)
{
    // Runs of 16 days share one of 17 buckets; new dates go to the head.
    EXPECT_EQ(DayMemoStore::bucketOf(0.0), 0);
    EXPECT_EQ(DayMemoStore::bucketOf(15.9), 0);
    EXPECT_EQ(DayMemoStore::bucketOf(16.0), 1);
    EXPECT_EQ(DayMemoStore::bucketOf(16.0 * 17), 0);

    DayMemoStore s;
    const double a = 16 * 17 * 100 + 1; // bucket 0
    const double b = a + 2;             // bucket 0, added later: walked first
    const double c = a + 16;            // bucket 1
    s.set(c, {QStringLiteral("c")});
    s.set(a, {QStringLiteral("a")});
    s.set(b, {QStringLiteral("b")});
    s.set(a, {QStringLiteral("a2")}); // replacing keeps the place
    const QList<DayMemoStore::Entry> all = s.entries();
    ASSERT_EQ(all.size(), 3);
    EXPECT_EQ(all[0].date, b);
    EXPECT_EQ(all[1].memo.text, QStringLiteral("a2"));
    EXPECT_EQ(all[2].date, c);
}

TEST(DayMemoStore, KeysAreExactAndFindMatchesTextAndColours)
{
    DatefoldModel m;
    const double noon = ole(2024, 1, 5) + 0.5;
    EXPECT_TRUE(m.SetDayMemo(noon, QStringLiteral("特日１"), 0xff, NoColor));
    QString text;
    quint32 fg = 1, bg = 1;
    EXPECT_FALSE(m.GetDayMemo(ole(2024, 1, 5), text, fg, bg));
    EXPECT_EQ(fg, 1u); // outputs untouched
    EXPECT_TRUE(m.GetDayMemo(noon, text, fg, bg));
    EXPECT_EQ(bg, NoColor);

    m.SetDayMemo(ole(2024, 2, 1), QStringLiteral("特日２"), 0xff0000, 0xffff00);
    m.SetDayMemo(ole(2024, 3, 1), QStringLiteral("meeting"), 0xff, NoColor);
    EXPECT_EQ(m.FindDayMemo(QString(), NoColor, NoColor, 0).toList().size(), 3);
    EXPECT_EQ(m.FindDayMemo(QStringLiteral("特日"), NoColor, NoColor, 0).toList().size(), 2);
    EXPECT_EQ(m.FindDayMemo(QStringLiteral("特日"), NoColor, NoColor, DfdWholeWord).isValid(), false);
    EXPECT_EQ(m.FindDayMemo(QStringLiteral("MEET"), NoColor, NoColor, 0).toList().size(), 1);
    EXPECT_FALSE(m.FindDayMemo(QStringLiteral("MEET"), NoColor, NoColor, DfdMatchCase).isValid());
    const QVariantList red = m.FindDayMemo(QString(), 0xff, NoColor, 0).toList();
    ASSERT_EQ(red.size(), 2);
    const QVariantList yellow = m.FindDayMemo(QString(), NoColor, 0xffff00, 0).toList();
    ASSERT_EQ(yellow.size(), 1);
    EXPECT_EQ(yellow[0].toDouble(), ole(2024, 2, 1));

    QVariant vt, vfg, vbg;
    EXPECT_TRUE(m.GetDayMemoV(ole(2024, 2, 1), vt, vfg, vbg));
    EXPECT_EQ(vt.toString(), QStringLiteral("特日２"));
    EXPECT_EQ(vbg.toInt(), 0xffff00);
    EXPECT_TRUE(m.GetDayMemoV(noon, vt, vfg, vbg));
    EXPECT_EQ(vbg.toInt(), -1);

    EXPECT_TRUE(m.ClearDayMemo(noon));
    EXPECT_FALSE(m.ClearDayMemo(noon));
    m.ClearAllDayMemo();
    EXPECT_TRUE(m.memos().isEmpty());
}

TEST(DayMemoFile, LineShapesQuotesAndLineBreaks)
{
    DayMemoStore s;
    s.set(ole(2024, 1, 5), {QStringLiteral("特日１"), 0xff, NoColor});
    EXPECT_EQ(daymemofile::format(s), QStringLiteral("2024/01/05,\"特日１\",0xff\r\n"));
    s.set(ole(2024, 1, 5), {QStringLiteral("特日１"), 0xff, 0xffff00});
    EXPECT_EQ(daymemofile::format(s), QStringLiteral("2024/01/05,\"特日１\",0xff,0xffff00\r\n"));
    s.set(ole(2024, 1, 5), {QStringLiteral("特日１"), NoColor, 0xffff00});
    EXPECT_EQ(daymemofile::format(s), QStringLiteral("2024/01/05,\"特日１\",,0xffff00\r\n"));
    s.set(ole(2024, 1, 5), {QStringLiteral("say \"hi\", then\r\nleave"), NoColor, NoColor});
    EXPECT_EQ(daymemofile::format(s), QStringLiteral("2024/01/05,\"say \"\"hi\"\", then\r\nleave\",\r\n"));
    s.set(ole(2024, 1, 5) + 0.75, {QStringLiteral(""), 0, NoColor}); // time of day not written
    EXPECT_TRUE(daymemofile::format(s).startsWith(QStringLiteral("2024/01/05,\"\",0x0\r\n")));

    // Everything written comes back, at midnight.
    DayMemoStore back;
    daymemofile::parse(daymemofile::format(s), back);
    ASSERT_EQ(back.count(), 1); // both lines name the same day: the later one wins
    s.remove(ole(2024, 1, 5) + 0.75);
    daymemofile::parse(daymemofile::format(s), back);
    ASSERT_TRUE(back.get(ole(2024, 1, 5)).has_value());
    EXPECT_EQ(back.get(ole(2024, 1, 5))->text, QStringLiteral("say \"hi\", then\r\nleave"));

    DayMemoStore empty;
    daymemofile::parse(QStringLiteral("2024/01/06,\"\",\r\n"), empty);
    EXPECT_EQ(empty.get(ole(2024, 1, 6))->text, QString());
}

TEST(DayMemoFile, ReadingIsLenient)
{
    DayMemoStore s;
    s.set(ole(1999, 1, 1), {QStringLiteral("old")}); // loading replaces everything
    daymemofile::parse(QStringLiteral("2024/01/05, \"特日 １\" , 0xff , 0xFFFF00\r\n"
                                      "2024/1/6,\"two\",ff\n"
                                      "not a date,\"skipped\",0xff\r\n"
                                      "2024/13/01,\"skipped\"\r\n"
                                      "\r\n"
                                      "2024/01/07,\"a\",,0x10,extra,\"fields\"\r\n"
                                      "2024/01/08,\"no colour\""),
                       s);
    EXPECT_EQ(s.count(), 4);
    EXPECT_EQ(*s.get(ole(2024, 1, 5)), (DayMemo{QStringLiteral("特日 １"), 0xff, 0xffff00}));
    EXPECT_EQ(*s.get(ole(2024, 1, 6)), (DayMemo{QStringLiteral("two"), 0xff, NoColor}));
    EXPECT_EQ(*s.get(ole(2024, 1, 7)), (DayMemo{QStringLiteral("a"), NoColor, 0x10}));
    EXPECT_EQ(*s.get(ole(2024, 1, 8)), (DayMemo{QStringLiteral("no colour"), NoColor, NoColor}));
}

TEST(DayMemoFile, SaveAndLoadThroughFiles)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("dayinfor.csv"));

    DatefoldModel m;
    m.SetDayMemo(ole(2024, 1, 5), QStringLiteral("特日１"), 0xff, NoColor);
    m.SetDayMemo(ole(2024, 1, 6), QStringLiteral("特日２"), NoColor, 0xffff00);
    ASSERT_TRUE(m.SaveDayMemo(path));
    // CP932 on disk.
    EXPECT_TRUE(testsupport::readAll(path).contains(platform::toCp932(QStringLiteral("\"特日１\",0xff\r\n"))));
    EXPECT_FALSE(platform::isValidUtf8(testsupport::readAll(path)));

    DatefoldModel other;
    ASSERT_TRUE(other.LoadDayMemo(path));
    EXPECT_EQ(other.memos().entries().size(), 2);
    EXPECT_EQ(*other.memos().get(ole(2024, 1, 6)), (DayMemo{QStringLiteral("特日２"), NoColor, 0xffff00}));

    // A file that cannot be read keeps the memos.
    EXPECT_FALSE(other.LoadDayMemo(dir.filePath(QStringLiteral("missing.csv"))));
    EXPECT_EQ(other.memos().count(), 2);

    // UTF-8 files of other tools are read too.
    const QString utf8 = dir.filePath(QStringLiteral("utf8.csv"));
    testsupport::writeAll(utf8, QStringLiteral("2024/02/01,\"特日３\",0xff00\r\n").toUtf8());
    ASSERT_TRUE(other.LoadDayMemo(utf8));
    EXPECT_EQ(other.memos().get(ole(2024, 2, 1))->text, QStringLiteral("特日３"));
}

TEST(DayMemoFile, EmptyTableWritesEmptyFileAndFailedSaveKeepsOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("dayinfor.csv"));
    DatefoldModel m;
    m.SetDayMemo(ole(2024, 1, 5), QStringLiteral("特日１"), 0xff, NoColor);
    ASSERT_TRUE(m.SaveDayMemo(path));

    // Clearing every special day and saving must not bring the old marks back.
    m.ClearAllDayMemo();
    EXPECT_TRUE(m.SaveDayMemo(path));
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_EQ(QFileInfo(path).size(), 0);
    DatefoldModel reader;
    reader.SetDayMemo(ole(2000, 1, 1), QStringLiteral("x"), NoColor, NoColor);
    EXPECT_TRUE(reader.LoadDayMemo(path));
    EXPECT_TRUE(reader.memos().isEmpty());

    // A save that cannot finish (the disk takes no more than 64 bytes; this
    // holds for root too) reports false and leaves the previous file as it was.
    m.SetDayMemo(ole(2024, 1, 5), QStringLiteral("特日１"), 0xff, NoColor);
    ASSERT_TRUE(m.SaveDayMemo(path));
    const QByteArray before = testsupport::readAll(path);
    for (int day = 1; day <= 28; ++day)
        m.SetDayMemo(ole(2024, 2, day), QStringLiteral("特日２"), 0xff, NoColor);
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(m.SaveDayMemo(path));
    }
    EXPECT_EQ(testsupport::readAll(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("dayinfor.csv")});
    EXPECT_FALSE(m.SaveDayMemo(dir.filePath(QStringLiteral("no/such/folder/dayinfor.csv"))));
}
