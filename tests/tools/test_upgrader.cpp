// Upgrader on the previous release's real Access files: every table and value
// of Sch.mdb as the release's expectation lists it, the reader cross-checked
// with mdbtools' own command-line export, refusals that change nothing, and
// the runner at work on a converted site.
#include "../runner/processes.h"
#include "../runner/runnersite.h"
#include "recordingmessageboxes.h"
#include "testsupport.h"
#include "toolsupport.h"

#include "tools/Upgrader/accessdatabase.h"
#include "tools/Upgrader/conversion.h"
#include "tools/Upgrader/upgrader.h"

#include "store/database.h"
#include "store/schema.h"
#include "store/sitepaths.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using toolsupport::dataFile;
using toolsupport::rows;

namespace {

// The tables of old-release-expected.txt: name → rows, values joined by TAB.
QMap<QString, QStringList> expectedTables()
{
    QMap<QString, QStringList> tables;
    QString current;
    bool header = false;
    const QStringList lines = QString::fromUtf8(testsupport::readAll(dataFile(QStringLiteral("old-release-expected.txt"))))
                                  .split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        if (line.startsWith(QLatin1Char('#')) || line.isEmpty())
            continue;
        if (line.startsWith(QLatin1Char('['))) {
            current = line.mid(1, line.size() - 2);
            tables[current]; // an empty table is listed too
            header = true;
        } else if (header) {
            header = false; // the column names
        } else {
            tables[current] << line;
        }
    }
    return tables;
}

// A table of the new database in the mapping's column order and row order.
QStringList convertedRows(const QString &database, const upgrader::TableMapping &m)
{
    QStringList out;
    for (const QString &row :
         rows(database, QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid")
                            .arg(m.newColumns.join(QLatin1String(", ")), store::sql::tableName(m.table))))
        out << QString(row).replace(QLatin1Char('|'), QLatin1Char('\t'));
    return out;
}

class UpgraderTest : public ::testing::Test
{
protected:
    QString database() const { return store::paths::databasePath(home.path()); }
    QStringList allRows() const
    {
        QStringList out;
        for (const upgrader::TableMapping &m : upgrader::tableMappings())
            out << convertedRows(database(), m);
        return out;
    }

    QTemporaryDir home;
    RecordingMessageBoxes boxes;
    upgrader::Upgrader upgrader{boxes, home.path()};
};

} // namespace

TEST_F(UpgraderTest, ConvertsThePreviousReleasesDatabaseExactly)
{
    // No database yet: Upgrader makes it from the schema.
    ASSERT_TRUE(upgrader.convert(dataFile(QStringLiteral("Sch.mdb")))) << boxes.lastText().toStdString();
    EXPECT_EQ(boxes.texts(), (QStringList{upgrader::text::Confirm, upgrader::text::Done}));

    const QMap<QString, QStringList> expected = expectedTables();
    ASSERT_EQ(expected.size(), 6);
    for (const upgrader::TableMapping &m : upgrader::tableMappings()) {
        SCOPED_TRACE(m.oldName.toStdString());
        ASSERT_TRUE(expected.contains(m.oldName));
        EXPECT_EQ(convertedRows(database(), m), expected.value(m.oldName));
    }
    // Stored as the programs read them: times as text, Booleans -1/0, values as REAL.
    EXPECT_EQ(rows(database(), QStringLiteral("SELECT DISTINCT typeof(StartTime) || typeof(EndTime) FROM Schedule")),
              QStringList{"texttext"});
    EXPECT_EQ(rows(database(), QStringLiteral("SELECT typeof(StartValue), StartValue FROM KikiMaster WHERE TAG = 'ahu1_sp'")),
              QStringList{"real|22.5"});
}

TEST_F(UpgraderTest, EmptyOldTablesCopyNothingAndComplete)
{
    ASSERT_TRUE(upgrader.convert(dataFile(QStringLiteral("Sch_empty.mdb"))));
    EXPECT_EQ(boxes.lastText(), upgrader::text::Done);
    EXPECT_TRUE(allRows().isEmpty());
    // An empty database asks no question on the next run either.
    boxes.clear();
    ASSERT_TRUE(upgrader.convert(dataFile(QStringLiteral("Sch.mdb"))));
    EXPECT_EQ(boxes.texts(), (QStringList{upgrader::text::Confirm, upgrader::text::Done}));
}

TEST_F(UpgraderTest, ASecondRunAsksBeforeReplacingAndNeverDuplicates)
{
    ASSERT_TRUE(upgrader.convert(dataFile(QStringLiteral("Sch.mdb"))));
    const QStringList first = allRows();
    ASSERT_EQ(first.size(), 7 + 14 + 13 + 47 + 3 + 6);

    boxes.clear();
    boxes.answers << console::MessageAnswer::Yes << console::MessageAnswer::No;
    EXPECT_FALSE(upgrader.convert(dataFile(QStringLiteral("Sch.mdb"))));
    ASSERT_EQ(boxes.shown.size(), 2);
    const QString question = boxes.shown.at(1).text;
    EXPECT_EQ(boxes.shown.at(1).buttons, console::MessageButtons::YesNo);
    EXPECT_TRUE(boxes.shown.at(1).defaultNo); // Enter alone keeps the data
    EXPECT_TRUE(question.contains(QStringLiteral(
        "GroupMaster 7 件、KikiMaster 14 件、KikiTable 13 件、Schedule 47 件、NextdayTable 3 件、TodayTable 6 件")))
        << question.toStdString();
    EXPECT_EQ(allRows(), first);

    // Yes replaces: the tables hold the old database once, not twice.
    ASSERT_TRUE(toolsupport::exec(database(), {QStringLiteral("INSERT INTO Schedule VALUES (99, 1, '01:00:00', '02:00:00')")}));
    boxes.clear();
    ASSERT_TRUE(upgrader.convert(dataFile(QStringLiteral("Sch.mdb"))));
    EXPECT_EQ(boxes.lastText(), upgrader::text::Done);
    EXPECT_EQ(allRows(), first);
}

TEST_F(UpgraderTest, RefusalsLeaveEverythingAsItWas)
{
    struct Case
    {
        const char *name;
        QString oldPath;
        QString expected;
    };
    QFile text(home.filePath(QStringLiteral("text.mdb")));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray(4096, 'x'));
    text.close();
    const QList<Case> cases = {
        {"an unrelated Access 2010 database", dataFile(QStringLiteral("testV2010.accdb")),
         QStringLiteral("旧データベースにテーブル「GroupMaster」がありません。")},
        {"an unrelated Access 2003 database", dataFile(QStringLiteral("testUnicodeCompV2003.mdb")),
         QStringLiteral("旧データベースにテーブル「GroupMaster」がありません。")},
        {"no Access file", text.fileName(), QStringLiteral("%1 は Access のデータベースではありません。").arg(text.fileName())},
        {"no file", home.filePath(QStringLiteral("none.mdb")),
         QStringLiteral("%1 が見つかりません。").arg(home.filePath(QStringLiteral("none.mdb")))},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        boxes.clear();
        EXPECT_FALSE(upgrader.convert(c.oldPath));
        EXPECT_EQ(boxes.lastText(), upgrader::text::Error + c.expected + QLatin1Char('\n') + upgrader::text::Unchanged);
        EXPECT_FALSE(QFile::exists(database())); // no half-made database is left behind
    }

    // An Access file where the new database belongs is kept for the operator.
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("SC_DataBase")));
    ASSERT_TRUE(QFile::copy(dataFile(QStringLiteral("Sch_empty.mdb")), database()));
    const QByteArray accessBytes = testsupport::readAll(database());
    boxes.clear();
    EXPECT_FALSE(upgrader.convert(dataFile(QStringLiteral("Sch.mdb"))));
    EXPECT_TRUE(boxes.lastText().contains(QStringLiteral("はこのシステムのデータベース (SQLite) ではありません。")));
    EXPECT_EQ(testsupport::readAll(database()), accessBytes);

    boxes.clear();
    EXPECT_FALSE(upgrader.convert(QStringLiteral("  ")));
    EXPECT_EQ(boxes.texts(), QStringList{upgrader::text::NoOldDatabase});
}

TEST_F(UpgraderTest, AFailingRowRollsTheWholeConversionBack)
{
    QList<upgrader::AccessTable> tables;
    QString error;
    ASSERT_TRUE(upgrader::readOldDatabase(dataFile(QStringLiteral("Sch.mdb")), &tables, &error));
    ASSERT_TRUE(store::createDatabase(database()));
    // A group number the new database already holds, met half-way through the groups.
    ASSERT_TRUE(toolsupport::exec(database(), {QStringLiteral("INSERT INTO GroupMaster VALUES (4, '既存', -1, 0)")}));
    store::Database db(database());
    ASSERT_TRUE(db.open());
    EXPECT_FALSE(upgrader::convertTables(db, tables, false, &error));
    EXPECT_EQ(error, QStringLiteral("テーブル「GroupMaster」の 4 行目 (4, 2F 照明, -1, 0) をコンバート出来ません: "
                                    "同じキーの行があります (UNIQUE constraint failed: GroupMaster.GPno)"))
        << error.toStdString();
    db.close();
    EXPECT_EQ(allRows(), QStringList{"4\t既存\t-1\t0"});

    // A column the old table lacks is named with its table.
    upgrader::AccessDatabase old;
    ASSERT_TRUE(old.open(dataFile(QStringLiteral("Sch.mdb")), &error));
    upgrader::AccessTable table;
    QString culprit;
    EXPECT_EQ(old.readTable(QStringLiteral("schedule"), {QStringLiteral("GPno"), QStringLiteral("曜")}, &table, &culprit),
              upgrader::AccessDatabase::Result::NoColumn);
    EXPECT_EQ(culprit, QStringLiteral("曜"));
}

TEST(AccessReader, AgreesWithMdbtoolsExport)
{
    // mdb-export (mdbtools' command line) and the CSV reader of Python give
    // the reference; the reader must give the same values for every column
    // kind: text with control characters and non-Latin scripts, integers,
    // reals, money, date/time, Yes/No.
    struct Case
    {
        QString file, table;
        QStringList columns;
    };
    const QList<Case> cases = {
        {QStringLiteral("testUnicodeCompV2003.mdb"), QStringLiteral("Table"), {"ID", "Unicode"}},
        {QStringLiteral("testV2010.accdb"), QStringLiteral("Table1"), {"A", "B", "C", "D", "E", "F", "G", "H", "I"}},
        {QStringLiteral("Sch.mdb"), QStringLiteral("KikiTable"), {"タグ名", "機器名称", "GPno", "開始操作値", "終了操作値"}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.file.toStdString());
        const toolsupport::Run reference = toolsupport::python(QStringLiteral(R"PY(
import csv, io, json, subprocess, sys
out = subprocess.run(["mdb-export", "-T", "%H:%M:%S", sys.argv[1], sys.argv[2]], capture_output=True, check=True).stdout
rows = list(csv.reader(io.StringIO(out.decode("utf-8"), newline="")))
print(json.dumps({"header": rows[0], "rows": rows[1:]}))
)PY"),
                                                               {dataFile(c.file), c.table});
        ASSERT_EQ(reference.exitCode, 0) << reference.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(reference.out.toUtf8()).object();
        const QJsonArray header = json.value(QLatin1String("header")).toArray();
        const QJsonArray expected = json.value(QLatin1String("rows")).toArray();

        upgrader::AccessDatabase db;
        QString error, culprit;
        ASSERT_TRUE(db.open(dataFile(c.file), &error)) << error.toStdString();
        upgrader::AccessTable table;
        ASSERT_EQ(db.readTable(c.table, c.columns, &table, &culprit), upgrader::AccessDatabase::Result::Ok);
        ASSERT_EQ(table.rows.size(), expected.size());
        ASSERT_EQ(header.size(), c.columns.size());
        for (int r = 0; r < table.rows.size(); ++r) {
            for (int col = 0; col < c.columns.size(); ++col) {
                const QVariant ours = table.rows.at(r).at(col);
                const QString theirs = expected.at(r).toArray().at(col).toString();
                SCOPED_TRACE(QStringLiteral("row %1 column %2").arg(r).arg(c.columns.at(col)).toStdString());
                if (ours.typeId() == QMetaType::Int) // Yes/No: -1 here, 1 in mdb-export
                    EXPECT_EQ(ours.toInt() == 0 ? QStringLiteral("0") : QStringLiteral("1"), theirs);
                else if (ours.typeId() == QMetaType::Double || ours.typeId() == QMetaType::LongLong)
                    EXPECT_DOUBLE_EQ(ours.toDouble(), theirs.toDouble());
                else
                    EXPECT_EQ(ours.toString(), theirs);
            }
        }
    }
}

TEST(UpgraderCommandLine, ConvertsThenRefusesASecondRunWithoutYes)
{
    QTemporaryDir home;
    const QString sch = dataFile(QStringLiteral("Sch.mdb"));
    toolsupport::Run run = toolsupport::tool(QStringLiteral("Upgrader"), {sch}, home.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err.trimmed(), upgrader::text::Done);

    run = toolsupport::tool(QStringLiteral("Upgrader"), {sch}, home.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.contains(QStringLiteral("GroupMaster 7 件"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QStringLiteral("--yes"))) << run.err.toStdString();
    const QString database = store::paths::databasePath(home.path());
    EXPECT_EQ(rows(database, QStringLiteral("SELECT COUNT(*) FROM Schedule")), QStringList{"47"});

    run = toolsupport::tool(QStringLiteral("Upgrader"), {sch, QStringLiteral("--yes")}, home.path());
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(rows(database, QStringLiteral("SELECT COUNT(*) FROM Schedule")), QStringList{"47"});

    run = toolsupport::tool(QStringLiteral("Upgrader"), {dataFile(QStringLiteral("testV2010.accdb"))}, home.path());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(upgrader::text::Error)) << run.err.toStdString();
}

TEST(UpgradedSite, TheRunnerRunsTheConvertedTimetable)
{
    // A site moved from the previous release: the program folder set up,
    // Upgrader run, then Schedule started on a Friday morning.
    RunnerSite site;
    ASSERT_TRUE(site.isValid());
    const toolsupport::Run run = toolsupport::tool(QStringLiteral("Upgrader"), {dataFile(QStringLiteral("Sch.mdb"))}, site.home());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    site.setIni("Higawari", "LastDate", QStringLiteral("2026/12/11"));

    Plant plant({"AHU1_RUN", "AHU1_SP", "AHU2_RUN", "AHU2_SP", "FCU1_RUN", "L1F_EAST", "L1F_WEST", "L2F_ALL", "EF_P1",
                 "EF_P2", "SF_P1", "SIGN_L1", "AHU3_RUN", "AHU3_SP"});
    ASSERT_TRUE(plant.start());
    site.makeCurrent();
    Runner runner(site, &plant);
    runner.start(QStringLiteral("2026-12-11 10:00:00"));
    ASSERT_TRUE(runner.waitReady());
    // Groups 1..5 run at 10:00 on the converted today's table; group 6 is invalid.
    const QStringList running = {"AHU1_RUN=1", "AHU1_SP=22.5", "AHU2_RUN=1", "AHU2_SP=24", "L1F_EAST=1",
                                 "L1F_WEST=1", "L2F_ALL=1",     "EF_P1=1",    "EF_P2=1",    "SF_P1=1"};
    EXPECT_TRUE(waitUntil(
        [&] {
            const QStringList journal = plant.journal();
            return std::all_of(running.begin(), running.end(), [&](const QString &w) { return journal.contains(w); });
        },
        15000))
        << plant.journal().join(' ').toStdString();
    EXPECT_TRUE(runner.stop());
    qunsetenv("SCH_HOME");
    for (const QString &write : plant.journal())
        EXPECT_FALSE(write.startsWith(QLatin1String("SIGN_L1"))) << write.toStdString();
}
