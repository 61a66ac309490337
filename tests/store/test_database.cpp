#include "storefixture.h"

#include "store/backup.h"
#include "store/catalogue.h"
#include "store/groups.h"
#include "store/recordset.h"
#include "store/schema.h"
#include "store/updatablerecordset.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlQuery>
#include <QStandardPaths>

using namespace store;
using sql::Day;

namespace {

class DatabaseTest : public StoreFixture
{
protected:
    void addGroups()
    {
        run({QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (1, '空調A', True, False)"),
             QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (2, '照明B', False, False)"),
             QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (3, 'Pump', True, True)")});
    }
};

TEST_F(DatabaseTest, SchemaHasTheSixTablesWithIdenticalDayTables)
{
    Recordset rs = db.openRecordset(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' ORDER BY name"));
    QStringList names;
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        names << rs.text(QStringLiteral("name"));
    EXPECT_EQ(names, (QStringList{"GroupMaster", "KikiMaster", "KikiTable", "NextdayTable", "Schedule", "TodayTable"}));
    EXPECT_EQ(db.openRecordset(sql::selectDay(Day::Today)).fieldNames(),
              (QStringList{"GPno", "StartTime", "EndTime"}));
    EXPECT_EQ(db.openRecordset(sql::selectDay(Day::Nextday)).fieldNames(),
              (QStringList{"GPno", "StartTime", "EndTime"}));
}

TEST_F(DatabaseTest, GetGroupNoFindsOnlyValidGroupsByName)
{
    addGroups();
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("空調A")), 1);
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("pump")), 3); // names compare without case
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("照明B")), 0); // invalid group
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("無い")), 0);
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("x' OR '1'='1")), 0);
    // The runner's way: its own connection for the one look-up.
    EXPECT_EQ(GetGroupNo(dbPath(), QStringLiteral("空調A")), 1);
    EXPECT_EQ(GetGroupNo(dir.filePath(QStringLiteral("missing.accdb")), QStringLiteral("空調A")), 0);
}

TEST_F(DatabaseTest, QuotedNamesCannotBreakOrExtendStatements)
{
    addGroups();
    const QString evil = QStringLiteral("O'Neil'); DELETE FROM GroupMaster; --");
    run({sql::insertGroupDevice(QStringLiteral("T'1"), evil, 1, 1.5, 0)});
    Recordset rs = db.openRecordset(sql::selectGroupTags(1));
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.text(QStringLiteral("TAG")), QStringLiteral("T'1"));
    EXPECT_EQ(rs.text(QStringLiteral("KikiName")), evil);
    EXPECT_FLOAT_EQ(rs.single(QStringLiteral("StartValue")), 1.5f);
    EXPECT_EQ(db.openRecordset(sql::selectGroupByName(evil)).recordCount(), 0);
    EXPECT_EQ(db.openRecordset(sql::selectGroups()).recordCount(), 3);
    run({sql::deleteDeviceFromGroups(QStringLiteral("T'1"))});
    EXPECT_EQ(db.rowsAffected(), 1);
}

TEST_F(DatabaseTest, DayChangeStatementsRunOnSqlite)
{
    addGroups();
    run({QStringLiteral("INSERT INTO Schedule (GPno, lWeek, StartTime, EndTime) VALUES (1, 2, '08:00:00', '12:00:00')"),
         QStringLiteral("INSERT INTO Schedule (GPno, lWeek, StartTime, EndTime) VALUES (1, 2, '07:30:00', '07:45:00')"),
         QStringLiteral("INSERT INTO Schedule (GPno, lWeek, StartTime, EndTime) VALUES (2, 2, '13:00:00', '14:00:00')"),
         QStringLiteral("INSERT INTO Schedule (GPno, lWeek, StartTime, EndTime) VALUES (2, 9, '00:00:00', '23:59:00')"),
         QStringLiteral("INSERT INTO NextdayTable (GPno, StartTime, EndTime) VALUES (1, '09:00:00', '10:00:00')")});
    run({sql::deleteDay(Day::Today), sql::rollNextdayIntoToday(), sql::deleteNextdayTerminated(),
         sql::buildDayFromMaster(Day::Nextday, 2)});
    EXPECT_EQ(db.openRecordset(sql::selectDay(Day::Today)).recordCount(), 1);
    Recordset next = db.openRecordset(sql::selectDayChart(Day::Nextday));
    ASSERT_EQ(next.recordCount(), 3);
    // Ordered by group name, then start: 照明B sorts after 空調A in code order.
    next.moveFirst();
    EXPECT_EQ(next.text(QStringLiteral("GPname")), QStringLiteral("照明B"));
    EXPECT_FALSE(next.yes(QStringLiteral("YukoFlg")));
    next.moveNext();
    EXPECT_EQ(next.time(QStringLiteral("StartTime")), QTime(7, 30));
    EXPECT_TRUE(next.yes(QStringLiteral("YukoFlg")));

    // One group's day rebuilt.
    run({sql::deleteGroupDay(Day::Nextday, 2), sql::buildGroupDayFromMaster(Day::Nextday, 9, 2)});
    Recordset g2 = db.openRecordset(sql::selectGroupDay(Day::Nextday, 2));
    ASSERT_EQ(g2.recordCount(), 1);
    EXPECT_EQ(g2.text(QStringLiteral("EndTime")), QStringLiteral("23:59:00"));
    EXPECT_EQ(db.openRecordset(sql::selectMasterChart(2)).recordCount(), 3);
    EXPECT_EQ(db.scalar(sql::selectMaxGroupNo()).toInt(), 3);

    // The purge of groups marked for deletion.
    run({sql::deleteGroupDay(Day::Today, 3), sql::deleteGroupDay(Day::Nextday, 3), sql::deleteGroupMaster(3),
         sql::deleteGroupDevicesForPurge(3), sql::deleteMarkedGroups()});
    EXPECT_EQ(db.openRecordset(sql::selectLiveGroups()).recordCount(), 2);
    EXPECT_EQ(db.openRecordset(sql::selectMarkedGroups()).recordCount(), 0);
}

TEST_F(DatabaseTest, EveryCatalogueStatementRunsOnSqlite)
{
    addGroups();
    const QString n = QStringLiteral("空調A");
    const QStringList statements = {
        sql::deleteDay(Day::Today), sql::deleteDay(Day::Nextday), sql::deleteNextdayTerminated(),
        sql::rollNextdayIntoToday(), sql::buildDayFromMaster(Day::Today, 1), sql::buildDayFromMaster(Day::Nextday, 8),
        sql::buildGroupDayFromMaster(Day::Today, 2, 1), sql::buildGroupDayFromMaster(Day::Nextday, 2, 1),
        sql::deleteGroupDay(Day::Today, 1), sql::deleteGroupDay(Day::Nextday, 1),
        sql::deleteGroupDayTerminated(Day::Today, 1), sql::deleteGroupDayTerminated(Day::Nextday, 1),
        sql::selectGroupDay(Day::Today, 1), sql::selectGroupDay(Day::Nextday, 1), sql::selectDay(Day::Today, true),
        sql::selectDay(Day::Nextday), sql::selectDayChart(Day::Today), sql::selectDayChart(Day::Nextday),
        sql::selectMasterChart(3), sql::selectGroupMaster(1), sql::selectGroupMasterDay(1, 2), sql::selectMaster(),
        sql::deleteGroupMasterForCopy(1), sql::selectGroupsByName(), sql::selectGroupsByNameLower(),
        sql::selectGroupsByNameMixed(), sql::selectGroups(), sql::selectGroupsLower(), sql::selectGroupByName(n),
        sql::selectGroupByNameQualified(n), sql::selectGroupByNamePlain(n), sql::selectGroupByNo(1),
        sql::selectMaxGroupNo(), sql::selectLiveGroups(), sql::selectMarkedGroups(), sql::deleteGroupMaster(1),
        sql::deleteGroupDevicesForPurge(1), sql::selectGroupTags(1), sql::selectGroupDevices(1),
        sql::selectGroupDeviceNames(1), sql::deleteGroupDevices(1), sql::insertGroupDevice("T", "D", 1, 1, 0),
        sql::selectDeviceMaster(), sql::selectDeviceMasterNames(), sql::selectDeviceMasterBracketed(),
        sql::selectDeviceByName(n), sql::selectDeviceByNamePlain(n), sql::deleteDeviceFromMaster("T"),
        sql::deleteDeviceFromGroups("T"), sql::selectGroupsByNo(), sql::selectDeviceMasterByTag(),
        sql::selectWholeTable(sql::Table::GroupMaster), sql::selectWholeTable(sql::Table::KikiMaster),
        sql::selectWholeTable(sql::Table::KikiTable), sql::selectWholeTable(sql::Table::Schedule),
        sql::selectWholeTable(sql::Table::NextdayTable), sql::selectWholeTable(sql::Table::TodayTable),
        sql::deleteMarkedGroups(), sql::clearDeviceMaster(), sql::clearGroupMaster(),
    };
    for (const QString &s : statements)
        EXPECT_TRUE(db.execute(s)) << s.toStdString() << ": " << db.lastError().toStdString();
}

TEST_F(DatabaseTest, MaxGroupNoOfAnEmptyTableIsNull)
{
    EXPECT_TRUE(db.scalar(sql::selectMaxGroupNo()).isNull());
}

TEST_F(DatabaseTest, RecordsetNavigationAndFind)
{
    addGroups();
    Recordset rs = db.openRecordset(sql::selectGroupsByName());
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_FALSE(rs.eof());
    EXPECT_EQ(rs.text(QStringLiteral("gpname")), QStringLiteral("Pump"));
    rs.moveLast();
    EXPECT_EQ(rs.integer(QStringLiteral("GPNO")), 1); // 空調A sorts last in code order
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(rs.field(QStringLiteral("GPno")).isValid());
    rs.moveFirst();
    rs.movePrevious();
    EXPECT_TRUE(rs.bof());
    rs.moveFirst();
    EXPECT_TRUE(rs.find(QStringLiteral("GPname = '照明B'")));
    EXPECT_EQ(rs.integer(QStringLiteral("GPno")), 2);
    // Find goes on from the current row.
    EXPECT_TRUE(rs.find(QStringLiteral("GPname = '照明B'")));
    rs.moveNext();
    EXPECT_FALSE(rs.find(QStringLiteral("GPname = '照明B'")));
    EXPECT_TRUE(rs.eof());
    rs.moveFirst();
    EXPECT_TRUE(rs.find(QStringLiteral("GPno = 1")));
    EXPECT_EQ(rs.text(QStringLiteral("GPname")), QStringLiteral("空調A"));
    rs.moveFirst();
    EXPECT_FALSE(rs.find(QStringLiteral("nonsense")));

    Recordset empty = db.openRecordset(sql::selectGroupDay(Day::Today, 1));
    EXPECT_TRUE(empty.isOpen());
    EXPECT_TRUE(empty.bof());
    EXPECT_TRUE(empty.eof());
    EXPECT_EQ(empty.recordCount(), 0);

    Recordset bad = db.openRecordset(QStringLiteral("SELECT * FROM NoSuchTable"));
    EXPECT_FALSE(bad.isOpen());
    EXPECT_TRUE(bad.eof());
    EXPECT_FALSE(db.lastError().isEmpty());
}

TEST_F(DatabaseTest, UpdatableRecordsetAddsChangesAndDeletes)
{
    addGroups();
    UpdatableRecordset rs = db.openUpdatable(sql::selectGroupsByNo());
    ASSERT_TRUE(rs.isOpen()) << db.lastError().toStdString();
    rs.addNew();
    rs.setField(QStringLiteral("gpno"), 4);
    rs.setField(QStringLiteral("GPname"), QStringLiteral("It's new"));
    rs.setField(QStringLiteral("YukoFlg"), true);
    ASSERT_TRUE(rs.update());
    EXPECT_EQ(rs.integer(QStringLiteral("DelFlg")), 0); // the table's default read back
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("it's new")), 4);
    EXPECT_EQ(db.openRecordset(sql::selectGroupByNo(4)).integer(QStringLiteral("YukoFlg")), -1);

    rs.moveFirst();
    ASSERT_TRUE(rs.find(sql::groupNameCriterion(QStringLiteral("照明B"))));
    rs.setField(QStringLiteral("YukoFlg"), true);
    ASSERT_TRUE(rs.update());
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("照明B")), 2);

    // Deleting in the classic loop removes every row.
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        ASSERT_TRUE(rs.deleteRow());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_EQ(db.openRecordset(sql::selectGroups()).recordCount(), 0);

    // A time goes in as "HH:MM:SS".
    UpdatableRecordset today = db.openUpdatable(sql::selectDay(Day::Today));
    ASSERT_TRUE(today.isOpen()) << db.lastError().toStdString();
    today.addNew();
    today.setField(QStringLiteral("GPno"), 1);
    today.setField(QStringLiteral("StartTime"), QTime(18, 0));
    today.setField(QStringLiteral("EndTime"), QTime(20, 0));
    ASSERT_TRUE(today.update());
    EXPECT_EQ(db.openRecordset(sql::selectGroupDay(Day::Today, 1)).text(QStringLiteral("StartTime")),
              QStringLiteral("18:00:00"));

    // Only "SELECT * FROM <table>" forms can be updated.
    EXPECT_FALSE(db.openUpdatable(sql::selectDayChart(Day::Today)).isOpen());
}

TEST_F(DatabaseTest, UpdatableRecordsetSavesPendingEditsOnAMove)
{
    addGroups();
    UpdatableRecordset rs = db.openUpdatable(sql::selectGroupsByNo());
    ASSERT_TRUE(rs.isOpen());
    // Edit row 1, move on without update(): the edit is stored by the move.
    rs.moveFirst();
    rs.setField(QStringLiteral("GPname"), QStringLiteral("空調A改"));
    rs.moveNext();
    EXPECT_FALSE(rs.isEditing());
    EXPECT_EQ(rs.integer(QStringLiteral("GPno")), 2);
    // A cancel now concerns row 2 only and puts row 2's own values back.
    rs.setField(QStringLiteral("GPname"), QStringLiteral("捨てる"));
    rs.cancelUpdate();
    EXPECT_EQ(rs.text(QStringLiteral("GPname")), QStringLiteral("照明B"));
    ASSERT_TRUE(rs.update());
    rs.moveFirst();
    EXPECT_EQ(rs.text(QStringLiteral("GPname")), QStringLiteral("空調A改"));
    EXPECT_EQ(db.openRecordset(sql::selectGroupByNo(1)).text(QStringLiteral("GPname")), QStringLiteral("空調A改"));
    EXPECT_EQ(db.openRecordset(sql::selectGroupByNo(2)).text(QStringLiteral("GPname")), QStringLiteral("照明B"));

    // A pending new row is stored by a move as well.
    rs.addNew();
    rs.setField(QStringLiteral("GPno"), 7);
    rs.setField(QStringLiteral("GPname"), QStringLiteral("新規"));
    rs.moveFirst();
    EXPECT_FALSE(rs.isAdding());
    EXPECT_EQ(GetGroupNo(db, QStringLiteral("新規")), 0); // stored, invalid (YukoFlg empty)
    EXPECT_EQ(db.openRecordset(sql::selectGroupByNo(7)).recordCount(), 1);

    // An edit the table refuses keeps the row current with its edit pending,
    // so nothing is lost without a word; a find is refused the same way.
    rs.moveFirst();
    rs.setField(QStringLiteral("GPname"), QStringLiteral("pump")); // duplicate of group 3
    rs.moveNext();
    EXPECT_EQ(rs.integer(QStringLiteral("GPno")), 1);
    EXPECT_TRUE(rs.isEditing());
    EXPECT_FALSE(rs.lastError().isEmpty());
    EXPECT_FALSE(rs.find(QStringLiteral("GPno = 3")));
    EXPECT_EQ(rs.integer(QStringLiteral("GPno")), 1);
    rs.cancelUpdate();
    EXPECT_EQ(rs.text(QStringLiteral("GPname")), QStringLiteral("空調A改"));
    rs.moveNext();
    EXPECT_EQ(rs.integer(QStringLiteral("GPno")), 2);
}

TEST_F(DatabaseTest, UpdateFailureKeepsTheTable)
{
    addGroups();
    UpdatableRecordset rs = db.openUpdatable(sql::selectGroups());
    rs.addNew();
    rs.setField(QStringLiteral("GPno"), 5);
    rs.setField(QStringLiteral("GPname"), QStringLiteral("PUMP")); // duplicate without regard to case
    QString error;
    EXPECT_FALSE(rs.update(&error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(db.openRecordset(sql::selectGroups()).recordCount(), 3);
}

TEST(DatabaseOpen, RefusesMissingAndForeignFiles)
{
    QTemporaryDir dir;
    Database db;
    EXPECT_FALSE(db.open(dir.filePath(QStringLiteral("none.accdb"))));
    EXPECT_EQ(db.lastErrorNumber(), Database::NotFound);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("none.accdb")))); // never created by opening

    const QString empty = dir.filePath(QStringLiteral("empty.accdb"));
    ASSERT_TRUE(testsupport::writeAll(empty, QByteArray()));
    EXPECT_FALSE(db.open(empty));
    EXPECT_EQ(db.lastErrorNumber(), Database::NotADatabase);

    // A real Access file copied over the database.
    const QString access = testsupport::sharedDir() + QStringLiteral("/data/access/testV2010.accdb");
    if (QFile::exists(access)) {
        const QString copy = dir.filePath(QStringLiteral("Sch.accdb"));
        ASSERT_TRUE(QFile::copy(access, copy));
        const QByteArray before = testsupport::readAll(copy);
        EXPECT_FALSE(db.open(copy));
        EXPECT_EQ(db.lastErrorNumber(), Database::NotADatabase);
        EXPECT_TRUE(db.lastError().contains(QStringLiteral("Upgrader")));
        EXPECT_EQ(testsupport::readAll(copy), before); // left as it was
    }
    EXPECT_FALSE(db.isOpen());
    EXPECT_FALSE(db.execute(sql::selectGroups()));
}

// A named pipe where a database is looked for is no database, and is found
// to be none at once (reading its header would wait for a writer forever).
TEST(DatabaseOpen, APipeIsNoDatabase)
{
    QTemporaryDir dir;
    const QString pipe = dir.filePath(QStringLiteral("Sch.accdb"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    EXPECT_FALSE(Database::isSqliteFile(pipe));
    Database db;
    EXPECT_FALSE(db.open(pipe));
}

// A database another program holds locked is a healthy database that cannot
// be read just now: it is never reported as a foreign file to be converted
// with Upgrader.  A file with the SQLite header and nothing readable behind
// it still is.
TEST_F(DatabaseTest, LockedDatabaseIsNoForeignFile)
{
    Database holder;
    ASSERT_TRUE(holder.open(dbPath()));
    QSqlQuery lock(holder.handle());
    ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));

    Database locked;
    locked.setBusyTimeoutMs(50);
    EXPECT_FALSE(locked.open(dbPath()));
    EXPECT_EQ(locked.lastErrorNumber(), Database::EngineError);
    EXPECT_FALSE(locked.lastError().contains(QStringLiteral("Upgrader"))) << locked.lastError().toStdString();

    ASSERT_TRUE(lock.exec(QStringLiteral("ROLLBACK")));
    EXPECT_TRUE(locked.open(dbPath()));

    const QString garbage = dir.filePath(QStringLiteral("garbage.accdb"));
    ASSERT_TRUE(testsupport::writeAll(garbage, QByteArray("SQLite format 3", 16) + QByteArray(4096, '\x5a')));
    Database foreign;
    EXPECT_FALSE(foreign.open(garbage));
    EXPECT_EQ(foreign.lastErrorNumber(), Database::NotADatabase);
}

TEST(DatabaseCreate, RefusesAnExistingFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Sch.accdb"));
    ASSERT_TRUE(testsupport::writeAll(path, "keep me"));
    QString error;
    EXPECT_FALSE(createDatabase(path, &error));
    EXPECT_EQ(testsupport::readAll(path), QByteArray("keep me"));
}

TEST_F(DatabaseTest, BackupIsAConsistentCopyAndAFailureKeepsTheOldOne)
{
    addGroups();
    const QString target = dir.filePath(QStringLiteral("copy/Sch_BackUp.accdb"));
    QString error;
    ASSERT_TRUE(backupDatabase(dbPath(), target, &error)) << error.toStdString();
    {
        Database copy(target);
        ASSERT_TRUE(copy.open());
        EXPECT_EQ(GetGroupNo(copy, QStringLiteral("空調A")), 1);
    }
    // Replacing works while the source is open and changed.
    run({QStringLiteral("DELETE FROM GroupMaster WHERE GPno = 1")});
    ASSERT_TRUE(backupDatabase(dbPath(), target, &error)) << error.toStdString();
    EXPECT_EQ(GetGroupNo(target, QStringLiteral("空調A")), 0);

    // A source that is not a database leaves the previous copy.
    const QByteArray before = testsupport::readAll(target);
    const QString bogus = dir.filePath(QStringLiteral("bogus.accdb"));
    testsupport::writeAll(bogus, "not a database at all, really not");
    EXPECT_FALSE(backupDatabase(bogus, target, &error));
    EXPECT_EQ(testsupport::readAll(target), before);
    EXPECT_EQ(QDir(dir.filePath(QStringLiteral("copy"))).entryList(QDir::Files | QDir::Hidden), QStringList{"Sch_BackUp.accdb"});
}

TEST_F(DatabaseTest, SchemaOpensWithTheSqliteShell)
{
    const QString shell = QStandardPaths::findExecutable(QStringLiteral("sqlite3"));
    if (shell.isEmpty())
        GTEST_SKIP() << "no sqlite3 shell";
    addGroups();
    db.close();
    QProcess p;
    p.start(shell, {dbPath(), QStringLiteral("SELECT GPname FROM GroupMaster WHERE GPname = 'pump';")});
    ASSERT_TRUE(p.waitForFinished(10000));
    EXPECT_EQ(p.readAllStandardOutput().trimmed(), QByteArray("Pump"));
}

} // namespace
