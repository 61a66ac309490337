#include "csvtext.h"
#include "protocol.h"
#include "tagstore.h"

#include "platform/textcodec.h"

#include <gtest/gtest.h>

#include <cstring>

using vantor::TagStore;
namespace protocol = vantor::protocol;

namespace {

QByteArray number(double v)
{
    return QByteArray(reinterpret_cast<const char *>(&v), 8);
}

double toNumber(const QByteArray &b)
{
    double v = 0;
    std::memcpy(&v, b.constData(), 8);
    return v;
}

TagStore sample()
{
    TagStore store;
    store.parseCsv("name,type,value,comment\r\n"
                   "AC1,number,1.5,\"Hall, east\"\r\n"
                   "MSG,text,hello,\r\n",
                   QStringLiteral("tags.csv"), nullptr);
    return store;
}

} // namespace

TEST(TagStore, MalformedLinesAreReportedWithTheirLineNumberAndSkipped)
{
    TagStore store;
    QStringList problems;
    store.parseCsv("name,type,value,comment\n"
                   "A,number,1,ok\n"
                   "B,colour,1,\n"   // 3: unknown type
                   ",number,1,\n"    // 4: no name
                   "C,number,abc,\n" // 5: not a number
                   "A,number,2,\n"   // 6: duplicate
                   "\n"
                   "D\n"             // 8: too few fields
                   "E,text,\"open\n" // 9: unterminated quote
                   "F$X,number,1,\n" // 10: '$' in the name
                   "G,TEXT,,\n",
                   QStringLiteral("tags.csv"), &problems);
    ASSERT_EQ(store.size(), 2);
    EXPECT_EQ(store.tag(0).name, QStringLiteral("A"));
    EXPECT_EQ(store.tag(1).name, QStringLiteral("G"));
    EXPECT_TRUE(store.tag(1).isText);
    QStringList lines;
    for (const QString &p : problems)
        lines << p.section(QLatin1Char(':'), 1, 1);
    EXPECT_EQ(lines, (QStringList{"3", "4", "5", "6", "8", "9", "10"})) << problems.join('\n').toStdString();
    EXPECT_TRUE(problems.first().startsWith(QStringLiteral("tags.csv:3: ")));
}

TEST(TagStore, ReadsCp932FilesWithAnyLineEnds)
{
    TagStore store;
    QStringList problems;
    // CR LF, LF and CR alone, mixed in one file.
    EXPECT_TRUE(store.parseCsv(platform::toCp932(QStringLiteral("name,type,value,comment\r\n空調1,number,3,東館\r"
                                                                "AC2,number,4,\n\rAC3,text,x,")),
                               QStringLiteral("tags.csv"), &problems));
    EXPECT_TRUE(problems.isEmpty()) << problems.join('\n').toStdString();
    ASSERT_EQ(store.size(), 3);
    EXPECT_EQ(store.tag(0).name, QStringLiteral("空調1"));
    EXPECT_EQ(store.tag(0).comment, QStringLiteral("東館"));
    EXPECT_EQ(store.tag(2).name, QStringLiteral("AC3"));
    quint8 type = 0;
    EXPECT_GE(store.resolve(platform::toCp932(QStringLiteral("空調1$VALUE")), &type), 0);
}

TEST(TagStore, AFileWithoutItsHeaderIsRefusedWithTheLineEscaped)
{
    struct Case
    {
        const char *name;
        QByteArray csv;
        QString expected;
    };
    const Case cases[] = {
        {"no header", "AC1,number,1,\nAC2,number,2,\n", QStringLiteral("tags.csv:1: the header is \"AC1,number,1,\"")},
        {"tab separated", "name\ttype\tvalue\tcomment\nAC1\tnumber\t1\t\n",
         QStringLiteral("tags.csv:1: the header is \"name\\ttype\\tvalue\\tcomment\"")},
        {"control character", QByteArray("\x1aname,type,value,comment\n"),
         QStringLiteral("tags.csv:1: the header is \"\\x1aname,type,value,comment\"")},
    };
    for (const Case &c : cases) {
        TagStore store;
        QStringList problems;
        EXPECT_FALSE(store.parseCsv(c.csv, QStringLiteral("tags.csv"), &problems)) << c.name;
        EXPECT_EQ(store.size(), 0) << c.name;
        ASSERT_EQ(problems.size(), 1) << c.name;
        EXPECT_TRUE(problems.first().startsWith(c.expected)) << c.name << ": " << problems.first().toStdString();
        EXPECT_FALSE(problems.first().contains(QLatin1Char('\t')) || problems.first().contains(QChar(0x1a)))
            << "no raw control characters: " << c.name;
    }
    TagStore store;
    EXPECT_TRUE(store.parseCsv("\xEF\xBB\xBF NAME , Type,value,\"comment\"\n\nA,number,1,\n", QStringLiteral("tags.csv"),
                               nullptr))
        << "a byte-order mark, blanks, case and quotes around the header's names are fine";
    EXPECT_EQ(store.size(), 1);
    EXPECT_TRUE(store.parseCsv("\r\n\r\n", QStringLiteral("tags.csv"), nullptr)) << "an empty file has no tags";
}

TEST(CsvText, MessagesShowControlCharactersEscapedAndLongTextsCut)
{
    using vantor::csvtext::quoted;
    EXPECT_EQ(quoted(QStringLiteral("a\rb\nc\td\"e\\f")), QStringLiteral("\"a\\rb\\nc\\td\\\"e\\\\f\""));
    EXPECT_EQ(quoted(QString(QChar(0)) + QChar(0x7f) + QChar(0x85) + QChar(0x2028) + QStringLiteral("空調")),
              QStringLiteral("\"\\x00\\x7f\\x85\\u2028空調\""));
    EXPECT_EQ(quoted(QStringLiteral("abcdef"), 3), QStringLiteral("\"abc...\""));
    EXPECT_EQ(vantor::csvtext::lines(QStringLiteral("a\r\r\nb\n\nc")), (QStringList{"a", "", "b", "", "c"}));
}

TEST(TagStore, ResolvesValueAndCommentItems)
{
    const TagStore store = sample();
    quint8 type = 0;
    const qint32 value = store.resolve("AC1$VALUE", &type);
    EXPECT_GE(value, 0);
    EXPECT_EQ(type, protocol::TypeNumber);
    EXPECT_EQ(store.resolve("AC1", nullptr), value) << "a bare name is the value item";
    const qint32 comment = store.resolve("AC1$CMT", &type);
    EXPECT_GE(comment, 0);
    EXPECT_NE(comment, value);
    EXPECT_EQ(type, protocol::TypeText);
    EXPECT_EQ(TagStore::fromText16(store.read(comment)), QStringLiteral("Hall, east"));
    EXPECT_EQ(store.resolve("MSG$VALUE", &type) >= 0 && type == protocol::TypeText, true);
    EXPECT_LT(store.resolve("NOPE$VALUE", nullptr), 0);
    EXPECT_LT(store.resolve("AC1$OTHER", nullptr), 0);
    EXPECT_LT(store.resolve("", nullptr), 0);
}

TEST(TagStore, WritesCheckTheItemAndTheValueWidth)
{
    TagStore store = sample();
    const qint32 ac1 = store.resolve("AC1", nullptr);
    const qint32 msg = store.resolve("MSG", nullptr);
    bool changed = false;
    EXPECT_FALSE(store.write(ac1, QByteArray(16, 'x'), &changed)) << "a number takes 8 bytes";
    EXPECT_FALSE(store.write(msg, number(1), &changed)) << "a text takes 16 bytes";
    EXPECT_FALSE(store.write(9999, number(1), &changed));
    EXPECT_FALSE(store.write(ac1 ^ 1, number(1), &changed)) << "an id with the wrong type bit is refused";
    ASSERT_TRUE(store.write(ac1, number(1.5), &changed));
    EXPECT_FALSE(changed) << "same value as before";
    ASSERT_TRUE(store.write(ac1, number(7), &changed));
    EXPECT_TRUE(changed);
    EXPECT_EQ(toNumber(store.read(ac1)), 7.0);
    ASSERT_TRUE(store.write(msg, TagStore::toText16(QStringLiteral("運転")), &changed));
    EXPECT_EQ(store.valueText(msg, store.read(msg)), QStringLiteral("運転"));
}

TEST(TagStore, TextsAreCutToSixteenBytesAtACharacterBoundary)
{
    // 9 double-byte characters are 18 bytes: the ninth does not fit, and half of it is never kept.
    const QByteArray bytes = TagStore::toText16(QStringLiteral("あいうえおかきくけ"));
    ASSERT_EQ(bytes.size(), 16);
    EXPECT_EQ(TagStore::fromText16(bytes), QStringLiteral("あいうえおかきく"));
    const QByteArray odd = TagStore::toText16(QStringLiteral("Aあいうえおかきく"));
    EXPECT_EQ(TagStore::fromText16(odd), QStringLiteral("Aあいうえおかき"));
    EXPECT_EQ(odd.at(15), '\0');
}

TEST(TagStore, JournalShowsNumbersInTheirShortestForm)
{
    const TagStore store = sample();
    const qint32 ac1 = store.resolve("AC1", nullptr);
    EXPECT_EQ(store.valueText(ac1, number(double(0.1f))), QStringLiteral("0.1")) << "a single-precision value";
    EXPECT_EQ(store.valueText(ac1, number(0.1)), QStringLiteral("0.1"));
    EXPECT_EQ(store.valueText(ac1, number(26)), QStringLiteral("26"));
    EXPECT_EQ(store.valueText(ac1, number(-1.25)), QStringLiteral("-1.25"));
}

TEST(TagStore, StateKeepsValuesByNameAndIgnoresChangedTypes)
{
    TagStore store = sample();
    bool changed = false;
    store.write(store.resolve("AC1", nullptr), number(42), &changed);
    store.write(store.resolve("MSG", nullptr), TagStore::toText16(QStringLiteral("停止")), &changed);
    const QByteArray state = store.saveState();

    TagStore reordered;
    reordered.parseCsv("name,type,value,comment\nMSG,number,5,\nNEW,number,1,\nAC1,number,0,\n", QStringLiteral("tags.csv"), nullptr);
    ASSERT_TRUE(reordered.loadState(state));
    EXPECT_EQ(toNumber(reordered.read(reordered.resolve("AC1", nullptr))), 42.0);
    EXPECT_EQ(toNumber(reordered.read(reordered.resolve("MSG", nullptr))), 5.0) << "MSG is a number now";
    EXPECT_EQ(toNumber(reordered.read(reordered.resolve("NEW", nullptr))), 1.0);
    EXPECT_FALSE(reordered.loadState("not json"));
}

TEST(Protocol, FramesSurviveBeingCutAnywhere)
{
    const QByteArray a = protocol::encode({protocol::Write, 7, {QStringLiteral("t"), QVariantList{1, 2}}});
    const QByteArray b = protocol::encode({protocol::Reply, 8, {0}});
    const QByteArray stream = a + b;
    for (int cut = 0; cut <= stream.size(); ++cut) {
        protocol::FrameReader reader;
        reader.append(stream.left(cut));
        QList<protocol::Message> got;
        protocol::Message m;
        bool broken = false;
        while (reader.next(&m, &broken))
            got.append(m);
        reader.append(stream.mid(cut));
        while (reader.next(&m, &broken))
            got.append(m);
        ASSERT_FALSE(broken);
        ASSERT_EQ(got.size(), 2) << "cut at " << cut;
        EXPECT_EQ(got.at(0).seq, 7u);
        EXPECT_EQ(got.at(0).args.value(1).toList().size(), 2);
        EXPECT_EQ(got.at(1).op, protocol::Reply);
    }
}

TEST(Protocol, AnOversizedFrameIsBroken)
{
    protocol::FrameReader reader;
    reader.append(QByteArray("\x7f\xff\xff\xff", 4));
    protocol::Message m;
    bool broken = false;
    EXPECT_FALSE(reader.next(&m, &broken));
    EXPECT_TRUE(broken);
}
