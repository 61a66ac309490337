#include "automation/automationerror.h"
#include "automation/dispatcher.h"
#include "automation/eventrelay.h"
#include "automation/variantconventions.h"
#include "sampleobject.h"

#include <gtest/gtest.h>

using namespace automation;

namespace {

const DispatchTable sampleTable = {
    {1, "Interval", MemberKind::Property},
    {2, "ShowTime", MemberKind::Property},
    {3, "TagName", MemberKind::Property},
    {10, "Add", MemberKind::Method},
    {11, "Range", MemberKind::Method},
    {12, "Names", MemberKind::Method},
    {13, "Nothing", MemberKind::Method},
    {14, "Fire", MemberKind::Method},
    {dispid::Caption, "Caption", MemberKind::Property},
    {1, "AskUI", MemberKind::Event},
    {2, "Done", MemberKind::Event},
};

} // namespace

TEST(Dispatcher, PropertiesByNameAndIdWithConversions)
{
    SampleObject o;
    Dispatcher d({&o}, sampleTable);
    EXPECT_TRUE(d.unresolvedMembers().isEmpty()) << d.unresolvedMembers().join(',').toStdString();

    EXPECT_EQ(d.get(QStringLiteral("interval")).value.toInt(), 3);
    EXPECT_TRUE(d.put(1, QStringLiteral("13")).ok); // text converted to 16-bit
    EXPECT_EQ(o.Interval(), 24);

    // Booleans cross the boundary as 16-bit values: true = -1.
    const DispatchResult show = d.get(2);
    EXPECT_EQ(show.value.typeId(), QMetaType::Short);
    EXPECT_EQ(show.value.toInt(), -1);
    EXPECT_TRUE(d.put(QStringLiteral("ShowTime"), 0).ok);
    EXPECT_FALSE(o.ShowTime());
    EXPECT_TRUE(d.put(QStringLiteral("ShowTime"), -1).ok);
    EXPECT_TRUE(o.ShowTime());

    EXPECT_TRUE(d.put(dispid::Caption, QStringLiteral("予定")).ok);
    EXPECT_EQ(d.get(QStringLiteral("Caption")).value.toString(), QStringLiteral("予定"));

    EXPECT_FALSE(d.get(QStringLiteral("NoSuch")).ok);
    EXPECT_FALSE(d.get(99).ok);
}

TEST(Dispatcher, IndexedPropertyUsesGetterAndSetter)
{
    SampleObject o;
    Dispatcher d({&o}, sampleTable);
    EXPECT_TRUE(d.put(QStringLiteral("TagName"), QStringLiteral("T1"), {2}).ok);
    EXPECT_EQ(d.get(3, {2}).value.toString(), QStringLiteral("T1"));
    EXPECT_EQ(d.get(3, {0}).value.toString(), QString());
}

TEST(Dispatcher, MethodsWithOutArgumentsAndEmptyResults)
{
    SampleObject o;
    Dispatcher d({&o}, sampleTable);
    QVariantList args{QStringLiteral("2"), 40};
    EXPECT_EQ(d.call(10, args).value.toInt(), 42);

    QVariantList range{0, QVariant(), QVariant()};
    const DispatchResult r = d.call(QStringLiteral("Range"), range);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(r.value.toInt(), -1);
    EXPECT_DOUBLE_EQ(range[1].toDouble(), 1.5);
    EXPECT_DOUBLE_EQ(range[2].toDouble(), 2.25);

    QVariantList bad{-1, 0.0, 0.0};
    EXPECT_EQ(d.call(11, bad).value.toInt(), 0);
    EXPECT_DOUBLE_EQ(bad[1].toDouble(), 0.0);

    QVariantList names{QVariant()};
    EXPECT_EQ(d.call(12, names).value.toInt(), 2);
    EXPECT_EQ(arrayElements(names[0]).size(), 2);

    QVariantList none;
    const DispatchResult empty = d.call(13, none);
    EXPECT_TRUE(empty.ok);
    EXPECT_TRUE(isEmptyVariant(empty.value));

    QVariantList wrongCount{1};
    EXPECT_FALSE(d.call(10, wrongCount).ok);
}

TEST(EventRelay, DeliversEventsAndWritesOutArgumentsBack)
{
    SampleObject o;
    QStringList seen;
    EventRelay relay(&o, sampleTable, [&](const DispatchMember &e, QVariantList &args) {
        seen << QStringLiteral("%1:%2(%3)").arg(e.id).arg(QLatin1String(e.name), displayText(args.value(0)));
        if (QLatin1String(e.name) == QLatin1String("AskUI")) {
            EXPECT_EQ(args.value(1).toInt(), -1); // bEnable arrives as a 16-bit true
            args[1] = 0;                          // the host refuses
        }
    });
    EXPECT_TRUE(relay.unconnected().isEmpty());
    Dispatcher d({&o}, sampleTable);
    QVariantList args{7};
    d.call(QStringLiteral("Fire"), args);
    EXPECT_EQ(seen, (QStringList{QStringLiteral("1:AskUI(7)"), QStringLiteral("2:Done(7)")}));
    EXPECT_FALSE(o.lastEnable);
}

namespace {
// A property whose setter refuses values out of range the automation way.
class RangedObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(short Mode READ Mode WRITE setMode)
public:
    short Mode() const { return m_mode; }
    void setMode(short v)
    {
        if (v < 0 || v > 2) {
            automation::raiseError(automation::errnum::InvalidPropertyValue, QStringLiteral("Invalid property value"));
            return;
        }
        m_mode = v;
    }
    Q_INVOKABLE short Check(short v)
    {
        setMode(v);
        return m_mode;
    }

private:
    short m_mode = 0;
};
} // namespace

TEST(Dispatcher, ErrorsRaisedByMembersFailTheCall)
{
    RangedObject o;
    automation::Dispatcher d({&o}, {{1, "Mode", automation::MemberKind::Property},
                                    {2, "Check", automation::MemberKind::Method}});
    automation::DispatchResult r = d.put(1, short(5));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorNumber, 380);
    EXPECT_EQ(r.error, QStringLiteral("Invalid property value"));
    EXPECT_EQ(o.Mode(), 0);
    // The error does not stick to the next call.
    r = d.put(1, short(2));
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.errorNumber, 0);
    // Nor does one raised outside a dispatched call leak into it.
    automation::raiseError(5, QStringLiteral("stale"));
    EXPECT_TRUE(d.get(1).ok);
    QVariantList args{short(9)};
    r = d.call(QStringLiteral("Check"), args);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.errorNumber, 380);
}

#include "test_dispatcher.moc"
