#include "chart/chartclock.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"

#include "automation/eventrelay.h"
#include "automation/variantconventions.h"
#include "platform/clock.h"
#include "testsupport.h"

#include <QProcess>
#include <QSet>
#include <gtest/gtest.h>

using namespace automation;
using chart::ChartModel;

TEST(Ganttline, EveryDispatchIdentifierNamesAMember)
{
    Ganttline g;
    const Dispatcher &d = g.dispatcher();
    EXPECT_TRUE(d.unresolvedMembers().isEmpty()) << d.unresolvedMembers().join(',').toStdString();
    EventRelay relay(g.eventSource(), d.table(), [](const DispatchMember &, QVariantList &) {});
    EXPECT_TRUE(relay.unconnected().isEmpty()) << relay.unconnected().join(',').toStdString();

    QSet<int> properties, methods, events;
    for (const DispatchMember &m : d.table()) {
        QSet<int> &ids = m.kind == MemberKind::Property ? properties : m.kind == MemberKind::Method ? methods : events;
        EXPECT_FALSE(ids.contains(m.id)) << m.name;
        ids.insert(m.id);
    }
    for (int id = 1; id <= 28; ++id)
        EXPECT_TRUE(properties.contains(id)) << id;
    for (int id : {dispid::BackColor, dispid::Caption, dispid::Enabled, dispid::Font, dispid::ForeColor,
                   dispid::BorderStyle, dispid::Appearance})
        EXPECT_TRUE(properties.contains(id)) << id;
    EXPECT_EQ(properties.size(), 35);
    for (int id = 29; id <= 54; ++id)
        EXPECT_TRUE(methods.contains(id)) << id;
    EXPECT_TRUE(methods.contains(dispid::AboutBox));
    EXPECT_EQ(methods.size(), 27);
    for (int id = 1; id <= 22; ++id)
        EXPECT_TRUE(events.contains(id)) << id;
    EXPECT_EQ(events.size(), 22);

    // A few identifiers that hosts hard-code.
    EXPECT_STREQ(d.member(19)->name, "PieceTextPosition");
    EXPECT_STREQ(d.member(36)->name, "SetPieceRange");
    EXPECT_STREQ(d.member(54)->name, "GetPieceRange2");
    EXPECT_STREQ(d.member(28)->name, "ScaleMinuteInterval");
}

TEST(Ganttline, MembersByNameAndByIdentifierWithVariantConventions)
{
    platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(12, 0)));
    Ganttline g;
    const Dispatcher &d = g.dispatcher();
    QVariantList add{QStringLiteral("Room"), QVariant::fromValue<qint16>(2)};
    EXPECT_EQ(d.call(29, add).value.toInt(), 0);
    QVariantList range{0, 5, 23, 30, 24, 0};
    const DispatchResult set = d.call(QStringLiteral("SetPieceRange"), range);
    ASSERT_TRUE(set.ok);
    EXPECT_EQ(set.value.typeId(), QMetaType::Short);
    EXPECT_EQ(set.value.toInt(), -1); // 16-bit true

    QVariantList dates{0, 5, QVariant(), QVariant()};
    ASSERT_TRUE(d.call(54, dates).ok);
    EXPECT_EQ(fromOleDate(dates[2].toDouble()), QDateTime(QDate(2026, 12, 8), QTime(23, 30)));
    EXPECT_EQ(fromOleDate(dates[3].toDouble()), QDateTime(QDate(2026, 12, 9), QTime(0, 0)));

    QVariantList all{0};
    EXPECT_EQ(displayText(d.call(QStringLiteral("GetAllPieceNo"), all).value), QStringLiteral("(5)"));
    QVariantList none{3};
    EXPECT_TRUE(isEmptyVariant(d.call(51, none).value));

    EXPECT_TRUE(d.put(13, 30).ok);
    EXPECT_EQ(d.get(QStringLiteral("ScaleRangeEnd")).value.toInt(), 24);
    EXPECT_TRUE(d.put(QStringLiteral("ShowCurTime"), -1).ok);
    EXPECT_TRUE(g.model()->ShowCurTime());
    EXPECT_TRUE(d.put(dispid::Enabled, 0).ok);
    EXPECT_FALSE(g.isEnabled()); // the stock property reaches the widget
    EXPECT_TRUE(d.put(dispid::BackColor, QVariant::fromValue<quint32>(0x80000005)).ok);
    EXPECT_EQ(d.get(dispid::BackColor).value.toUInt(), 0x80000005u);
    platform::clock::useSystemClock();
}

TEST(Ganttline, EventsReachTheHostWithOutArguments)
{
    platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(7, 59, 30)));
    Ganttline g;
    QStringList seen;
    EventRelay relay(g.eventSource(), g.dispatcher().table(), [&](const DispatchMember &e, QVariantList &args) {
        seen << QStringLiteral("%1 %2 %3").arg(e.id).arg(QLatin1String(e.name), displayText(QVariant(args)));
        if (QLatin1String(e.name) == QLatin1String("AddItemUI")) {
            args[0] = QStringLiteral("host name");
            args[1] = QVariant::fromValue<qint16>(0);
            args[2] = QVariant::fromValue<qint16>(0);
        }
    });
    g.model()->AddItem(QStringLiteral("A"), 2);
    g.model()->SetPieceRange(0, 3, 8, 0, 9, 0);
    platform::clock::setNow(QDateTime(QDate(2026, 12, 8), QTime(8, 0, 0, 20)));
    g.clock()->checkClock();

    QString name = QStringLiteral("新規ｱｲﾃﾑ 1");
    short type = 1;
    bool enable = true;
    emit g.model()->AddItemUI(name, type, enable);
    EXPECT_EQ(name, QStringLiteral("host name"));
    EXPECT_EQ(type, 0);
    EXPECT_FALSE(enable);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("1 PieceRangeStart (0, 3)"),
                                 QStringLiteral("5 AddItemUI (新規ｱｲﾃﾑ 1, 1, -1)")}));
    platform::clock::useSystemClock();
}

TEST(Ganttline, ClockRunsWhileTheControlItselfIsNotHidden)
{
    QWidget form; // never shown, as the runner's form
    auto *g = new Ganttline(&form);
    EXPECT_FALSE(g->isVisible());
    EXPECT_TRUE(g->clock()->isRunning());
    g->hide();
    EXPECT_FALSE(g->clock()->isRunning());
    g->show();
    EXPECT_FALSE(g->isVisible());
    EXPECT_TRUE(g->clock()->isRunning());

    Ganttline alone; // a top-level control runs once shown
    EXPECT_FALSE(alone.clock()->isRunning());
    alone.show();
    EXPECT_TRUE(alone.clock()->isRunning());
    alone.hide();
    EXPECT_FALSE(alone.clock()->isRunning());
}

TEST(Ganttline, TheViewKeepsTheCurrentItemInsideTheList)
{
    Ganttline g;
    g.model()->AddItem(QStringLiteral("a"), 1); // the first item becomes current
    EXPECT_EQ(g.model()->GetCurItem(), 0);
    g.model()->AddItem(QStringLiteral("b"), 1);
    g.model()->SetCurItem(1);
    g.model()->RemoveItem(1);
    EXPECT_EQ(g.model()->GetCurItem(), 0);
    g.model()->Clear();
    EXPECT_EQ(g.model()->GetCurItem(), -1);
}

TEST(Ganttline, PropertiesPersistThroughTheControlInterface)
{
    Ganttline a;
    a.dispatcher().put(QStringLiteral("Caption"), QStringLiteral("明日"));
    a.dispatcher().put(19, 2);
    PropertyBag bag;
    a.saveProperties(bag);
    Ganttline b;
    ASSERT_TRUE(b.loadProperties(bag));
    EXPECT_EQ(b.dispatcher().get(dispid::Caption).value.toString(), QStringLiteral("明日"));
    EXPECT_EQ(b.dispatcher().get(QStringLiteral("PieceTextPosition")).value.toInt(), 2);
}

TEST(Ganttline, ScriptThroughTheTestHostPrintsRangeEvents)
{
    const QString script = testsupport::sourceDir() + QStringLiteral("/tests/chart/scripts/rangeevents.ctl");
    const QString expected = QString::fromUtf8(
        testsupport::readAll(testsupport::sourceDir() + QStringLiteral("/tests/chart/scripts/rangeevents.expected")));
    ASSERT_FALSE(expected.isEmpty());
    QProcess host;
    host.setProcessChannelMode(QProcess::SeparateChannels);
    host.start(testsupport::binDir() + QStringLiteral("/ctlhost"), {script});
    ASSERT_TRUE(host.waitForFinished(30000));
    EXPECT_EQ(host.exitCode(), 0) << host.readAllStandardError().toStdString();
    const QString output = QString::fromUtf8(host.readAllStandardOutput());
    EXPECT_EQ(output.split(QLatin1Char('\n')), expected.split(QLatin1Char('\n'))) << output.toStdString();
}

TEST(Ganttline, TestHostRefusesEventsWhereAPropertyOrMethodIsAsked)
{
    // Events are numbered apart from properties and methods: PieceRangeStart
    // and ScaleForeColor both have the identifier 1.
    QProcess host;
    host.setProcessChannelMode(QProcess::SeparateChannels);
    host.start(testsupport::binDir() + QStringLiteral("/ctlhost"), QStringList{});
    ASSERT_TRUE(host.waitForStarted(10000));
    host.write("create Ganttline\n"
               "set ScaleForeColor 0x00123456\n"
               "get PieceRangeStart\n"
               "set pieceRangeStart 5\n"
               "call PieceClick 0 0\n"
               "get #1\n"
               "call #29 \"Room\" 1\n"
               "get ScaleForeColor\n"
               "quit\n");
    host.closeWriteChannel();
    ASSERT_TRUE(host.waitForFinished(30000));
    EXPECT_EQ(host.exitCode(), 1) << "a script with errors fails";
    const QStringList lines = QString::fromUtf8(host.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("created Ganttline"), QStringLiteral("set ScaleForeColor"),
                                  QStringLiteral("error PieceRangeStart is an event"),
                                  QStringLiteral("error PieceRangeStart is an event"),
                                  QStringLiteral("error PieceClick is an event"),
                                  QStringLiteral("result ScaleForeColor = 1193046"),
                                  QStringLiteral("result AddItem = 0"),
                                  QStringLiteral("result ScaleForeColor = 1193046")}))
        << lines.join('\n').toStdString();
}
