// The calendar control as hosts see it: its dispatch table, calls by name and
// identifier, and a test-host script over a special-day file.
#include "automation/eventrelay.h"
#include "automation/variantconventions.h"
#include "calendar/datefold.h"
#include "calendar/datefolddispatch.h"
#include "calendar/oledate.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace calendar;

namespace {
double ole(int y, int m, int d) { return toOleDate(QDate(y, m, d)); }
}

TEST(DatefoldAutomation, EveryIdentifierResolves)
{
    Datefold control;
    EXPECT_TRUE(control.dispatcher().unresolvedMembers().isEmpty())
        << control.dispatcher().unresolvedMembers().join(QLatin1Char(',')).toStdString();
    automation::EventRelay relay(control.eventSource(), control.dispatcher().table(),
                                 [](const automation::DispatchMember &, QVariantList &) {});
    EXPECT_TRUE(relay.unconnected().isEmpty()) << relay.unconnected().join(QLatin1Char(',')).toStdString();
    EXPECT_EQ(control.size(), QSize(156, 120));
}

TEST(DatefoldAutomation, MembersByIdentifierWithAutomationConventions)
{
    Datefold control;
    const automation::Dispatcher &d = control.dispatcher();
    QVariantList args{ole(2001, 2, 12)};
    EXPECT_EQ(d.call(33, args).value.toString(), QStringLiteral("振替休日"));
    args = {ole(2001, 2, 12)};
    const automation::DispatchResult legal = d.call(35, args);
    EXPECT_EQ(legal.value.typeId(), QMetaType::Short);
    EXPECT_EQ(legal.value.toInt(), -1);

    // A special holiday with Substitute exactly 1 is refused through the boundary too.
    QVariantList rule{QStringLiteral("創立記念日"), 1, QVariant(), QVariant(), 1, 0, 6, 10, 0};
    EXPECT_EQ(d.call(59, rule).value.toInt(), 0);
    rule = {QStringLiteral("創立記念日"), 1, QStringLiteral("2020/1/1"), QVariant(), -1, 0, 6, 10, 0};
    EXPECT_EQ(d.call(59, rule).value.toInt(), -1);
    args = {ole(2024, 6, 10)};
    EXPECT_EQ(d.call(QStringLiteral("IsSpecialHoliday"), args).value.toInt(), -1);

    // Memos with -1 for "no colour", out-arguments written back.
    QVariantList set{ole(2024, 1, 5), QStringLiteral("特日１"), 0xff, -1};
    EXPECT_EQ(d.call(38, set).value.toInt(), -1);
    QVariantList get{ole(2024, 1, 5), QVariant(), QVariant(), QVariant()};
    EXPECT_EQ(d.call(39, get).value.toInt(), -1);
    EXPECT_EQ(get[1].toString(), QStringLiteral("特日１"));
    EXPECT_EQ(get[2].toUInt(), 0xffu);
    EXPECT_EQ(get[3].toUInt(), NoColor);
    QVariantList find{QString(), -1, -1, 0};
    EXPECT_EQ(automation::arrayElements(d.call(54, find).value).size(), 1);

    // Names of all matching rules, then 振替休日.
    QVariantList names{ole(2024, 2, 12), QVariant()};
    EXPECT_EQ(d.call(62, names).value.toInt(), 1);
    EXPECT_EQ(automation::arrayElements(names[1]).value(0).toString(), QStringLiteral("振替休日"));

    // The later laws through their own identifier.
    QVariantList laws{QString()};
    EXPECT_EQ(d.call(AddHolidayLawsId, laws).value.toInt(), -1);
    args = {ole(2024, 8, 11)};
    EXPECT_EQ(d.call(33, args).value.toString(), QStringLiteral("山の日"));

    EXPECT_TRUE(d.put(QStringLiteral("SundayColor"), 0x00112233u).ok);
    EXPECT_EQ(control.SundayColor(), 0x00112233u);
    EXPECT_TRUE(d.put(24, ole(1996, 3, 20) + 0.5).ok);
    EXPECT_DOUBLE_EQ(d.get(QStringLiteral("VernalEquinox")).value.toDouble(), ole(1996, 3, 20) + 0.5);
}

TEST(DatefoldAutomation, TestHostScriptReadsSpecialDayFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString data = QStringLiteral(CALENDAR_TEST_DATA "/");
    ASSERT_TRUE(QFile::copy(data + QStringLiteral("dayinfor.csv"), dir.filePath(QStringLiteral("dayinfor.csv"))));

    QProcess host;
    host.setWorkingDirectory(dir.path());
    host.start(testsupport::binDir() + QStringLiteral("/ctlhost"), {data + QStringLiteral("datefold_memos.ctlhost")});
    ASSERT_TRUE(host.waitForFinished(30000));
    const QString out = QString::fromUtf8(host.readAllStandardOutput());
    EXPECT_EQ(host.exitCode(), 0) << out.toStdString() << host.readAllStandardError().toStdString();

    for (const char *line : {
             "result LoadDayMemo = -1",
             "out GetDayMemo[1] = \"特日１\"",
             "out GetDayMemo[2] = 255",
             "out GetDayMemo[1] = \"点検, \"A\" 系統\"",
             "out GetDayMemoV[1] = \"特日３\r\n午後のみ\"",
             "out GetDayMemoV[2] = 32768",
             "out GetDayMemoV[3] = -1",
             "result GetHolidayName = \"成人の日\"",
             "result GetHolidayName = \"即位の日\"",
             "result GetHolidayName = \"振替休日\"",
             "out GetHolidayName2[1] = (振替休日)",
             "result IsHoliday = 0",
         }) {
        EXPECT_TRUE(out.contains(QString::fromUtf8(line))) << line << "\n" << out.toStdString();
    }
    // Four special days among five memos.
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("result FindDayMemo = \\((\\d+, ){4}\\d+\\)"))));
    EXPECT_TRUE(out.contains(QRegularExpression(QStringLiteral("result FindDayMemo = \\((\\d+, ){3}\\d+\\)"))));

    // Saved back, the file is the same memos (in the table's order).
    const QByteArray saved = testsupport::readAll(dir.filePath(QStringLiteral("saved.csv")));
    const QByteArray original = testsupport::readAll(dir.filePath(QStringLiteral("dayinfor.csv")));
    EXPECT_EQ(saved.size(), original.size());
    for (const QByteArray &line : original.split('\n'))
        EXPECT_TRUE(saved.contains(line)) << line.toStdString();
}
