// The CSV master list into M_TAG of the reporting database, made from the
// shipped schema with the sqlite3 shell as a site would make it.
#include "recordingmessageboxes.h"
#include "testsupport.h"
#include "toolsupport.h"

#include "tools/Masterio/masterio.h"
#include "tools/Masterio/repbook.h"
#include "tools/Masterio/tagcsv.h"

#include "platform/textcodec.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

// A record of the master list: the fields given, the rest of the 26 empty.
QString record(const QStringList &fields)
{
    QStringList all = fields;
    while (all.size() < masterio::TagCsvFields)
        all << QString();
    return all.join(QLatin1Char(',')) + QStringLiteral("\r\n");
}

class TagCsvTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("ER_Database")));
        QProcess shell;
        shell.setStandardInputFile(testsupport::binDir() + QStringLiteral("/repbook.sql"));
        shell.start(QStringLiteral("sqlite3"), {repbook()});
        ASSERT_TRUE(shell.waitForFinished(10000));
        ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        // A tag the reporting product already knows.
        ASSERT_TRUE(toolsupport::exec(repbook(), {QStringLiteral(
            "INSERT INTO M_TAG VALUES ('AHU1_RUN', '旧名称', '0.0', 50, 1, 9, 9, 9, 9, 9, 'FALSE', 'FALSE', 'FALSE', "
            "'FALSE', 9, 9, '100', 2, 'a', 'b', 'c', 'd', 'e', 'f', 'calc')")}));
        before = tags();
    }

    QString repbook() const { return masterio::repbookPath(home.path()); }
    QStringList tags() const { return toolsupport::rows(repbook(), QStringLiteral("SELECT * FROM M_TAG ORDER BY TAG")); }
    QString writeCsv(const QString &text, bool cp932 = true)
    {
        const QString file = home.filePath(QStringLiteral("ﾏｽﾀｰ情報.csv"));
        testsupport::writeAll(file, cp932 ? platform::toCp932(text) : text.toUtf8());
        return file;
    }

    QTemporaryDir home;
    RecordingMessageBoxes boxes;
    masterio::Masterio masterio{boxes, home.path()};
    QStringList before;
};

} // namespace

TEST(TagCsv, RecordsAndFields)
{
    QList<int> lines;
    const QList<QStringList> records = masterio::parseCsv(
        QStringLiteral("TAG_ID,名称\r\n\r\n a , \"b, c\" ,\"say \"\"hi\"\"\"\n,,,\n\"two\nlines\",x\r\nlast,\"\""), &lines);
    ASSERT_EQ(records.size(), 4);
    EXPECT_EQ(records.at(0), (QStringList{"TAG_ID", "名称"}));
    EXPECT_EQ(records.at(1), (QStringList{"a", "b, c", "say \"hi\""}));
    EXPECT_EQ(records.at(2), (QStringList{"two\nlines", "x"}));
    EXPECT_EQ(records.at(3), (QStringList{"last", ""}));
    EXPECT_EQ(lines, (QList<int>{1, 3, 5, 7}));

    for (const auto &[field, pattern] : {std::pair{"X", "0"}, {"X.0", "0.0"}, {"X.00", "0.00"}, {"X.000", "0.000"},
                                         {"X.0000", "0.0000"}, {"", "0"}, {"X.00000", "0"}, {"#,##0", "0"}})
        EXPECT_EQ(masterio::displayPattern(QString::fromUtf8(field)), QString::fromUtf8(pattern)) << field;
}

TEST_F(TagCsvTest, MasterListIntoMTag)
{
    const QString csv = record({"TAG_ID", "TAG", "tag名称", "Yukoflg桁", "最大値"})
                        + record({"1", "AHU1_RUN", "1F 空調機1 発停", "X.00", "", "-10", "1", "2", "3", "4", "5",
                                  "FALSE", "", "TRUE", "", "6", "7", "", "0.5", "A1", "", "", "", "", "F1", "calc1"})
                        + record({"2", "EF_P1"});
    ASSERT_TRUE(masterio.importTagCsv(writeCsv(csv)));
    // The completion shows no message of its own: only the question was asked.
    EXPECT_EQ(boxes.texts(), QStringList{masterio::text::ConfirmCsv});
    EXPECT_EQ(tags(),
              (QStringList{"AHU1_RUN|1F 空調機1 発停|0.00|999|-10|1|2|3|4|5|FALSE|TRUE|TRUE|TRUE|6|7||0.5|A1|||||F1|calc1",
                           "EF_P1||0|999|0|0|0|0|0|0|TRUE|TRUE|TRUE|TRUE|0|0||1|||||||"}));
}

TEST_F(TagCsvTest, ABadRecordChangesNothing)
{
    struct Case
    {
        const char *name;
        QString csv;
        QString expected;
    };
    const QList<Case> cases = {
        {"number column with a text",
         record({"1", "NEW1"}) + record({"2", "AHU1_RUN", "x", "X", "abc"}),
         QStringLiteral("ｴﾗｰ番号 13:2 行目: 最大値「abc」は数値ではありません。")},
        {"a field too few", record({"1", "NEW1"}) + QStringLiteral("2,NEW2,a,b\r\n"),
         QStringLiteral("ｴﾗｰ番号 13:2 行目: 項目が 4 個あります (26 個の項目が必要です)。")},
        {"no tag", record({"1", ""}), QStringLiteral("ｴﾗｰ番号 13:1 行目: タグ名 (2 番目の項目) が空です。")},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        EXPECT_FALSE(masterio.importTagCsv(writeCsv(c.csv)));
        EXPECT_EQ(boxes.lastText(), QStringLiteral("ﾏｽﾀｰ情報の展開エラー ") + c.expected);
        EXPECT_EQ(tags(), before);
    }

    // Without the reporting database nothing is made up.
    boxes.clear();
    ASSERT_TRUE(QFile::remove(repbook()));
    EXPECT_FALSE(masterio.importTagCsv(writeCsv(record({"1", "NEW1"}), false)));
    EXPECT_EQ(boxes.lastText(),
              QStringLiteral("ﾏｽﾀｰ情報の展開エラー ｴﾗｰ番号 3024:%1 が見つかりません。").arg(repbook()));
    EXPECT_FALSE(QFile::exists(repbook()));

    boxes.clear();
    EXPECT_FALSE(masterio.importTagCsv(QString()));
    EXPECT_EQ(boxes.texts(), QStringList{masterio::text::NoCsv});
}

// A named pipe in place of the list is refused at once instead of waiting
// for a writer forever.
TEST_F(TagCsvTest, APipeInPlaceOfTheListIsRefusedAtOnce)
{
    const QString pipe = home.filePath(QStringLiteral("ﾏｽﾀｰ情報.csv"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(masterio.importTagCsv(pipe));
    EXPECT_TRUE(boxes.lastText().startsWith(QStringLiteral("ﾏｽﾀｰ情報の展開エラー ｴﾗｰ番号 1004:")))
        << boxes.lastText().toStdString();
    EXPECT_EQ(tags(), before);
}
