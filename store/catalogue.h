#pragma once

#include <QString>

// Every SQL statement the programs send, one builder per statement.  Each
// builder returns the statement in the dialect of the original engine, exactly
// as the programs have always spelt it (the blanks included); Database
// translates it to SQLite when it runs it (dialect.h).  Values are pasted by
// the builders only: numbers as decimal text, names between single quotes with
// every single quote inside doubled, so that no name can break or extend the
// statement.  No other code pastes SQL by hand.
namespace store::sql {

// Which of the two day tables a statement works on.
enum class Day { Today, Nextday };

// A text value between single quotes, quotes inside doubled: O'Neil → 'O''Neil'.
QString quoted(const QString &value);
// A text value with its single quotes doubled, without the surrounding quotes.
QString escaped(const QString &value);
// A number as SQL text: shortest decimal form ("1.5", "20", "-3").
QString number(double value);

// ---- Day tables and the weekly master ------------------------------------

// "DELETE * FROM TodayTable" / "DELETE * FROM NextdayTable"
QString deleteDay(Day day);
// "DELETE * FROM NextdayTable;"
QString deleteNextdayTerminated();
// "INSERT INTO TodayTable SELECT * FROM NextdayTable"
QString rollNextdayIntoToday();
// "INSERT INTO <Day>Table (GPno,StartTime,EndTime ) SELECT Schedule.GPno,  Schedule.StartTime,
//  Schedule.EndTime From Schedule Where (((Schedule.lWeek) = <code>)) ORDER BY Schedule.GPno, Schedule.StartTime;"
QString buildDayFromMaster(Day day, int dayCode);
// One group's day rebuilt from its master for a day code.
QString buildGroupDayFromMaster(Day day, int dayCode, int gpno);
// "DELETE * FROM TodayTable WHERE GPno = <n>" / "DELETE * FROM NextDayTable WHERE GPno = <n>"
QString deleteGroupDay(Day day, int gpno);
// "DELETE * FROM  TodayTable WHERE (GPno = <n>);" / "DELETE * FROM  NextdayTable WHERE (GPno = <n>);"
QString deleteGroupDayTerminated(Day day, int gpno);
// "SELECT * FROM TodayTable WHERE GPno = <n>" / "SELECT * FROM NextdayTable WHERE GPno = <n>"
QString selectGroupDay(Day day, int gpno);
// "SELECT TodayTable.* FROM TodayTable" / "SELECT NextdayTable.* FROM NextdayTable";
// terminated adds "; ".
QString selectDay(Day day, bool terminated = false);
// A day's reservations with group name and validity, ordered by group name and start (the charts).
QString selectDayChart(Day day);
// One day code of the master for all groups (the weekly editor's chart).
QString selectMasterChart(int dayCode);
// "SELECT Schedule.* FROM Schedule WHERE GPno = <n>  ORDER BY lWeek,StartTime "
QString selectGroupMaster(int gpno);
// "SELECT * FROM Schedule WHERE GPno = <n> AND lWeek = <code>"
QString selectGroupMasterDay(int gpno, int dayCode);
// "SELECT * FROM Schedule"
QString selectMaster();
// "DELETE * FROM Schedule WHERE (GPno = <n>)"
QString deleteGroupMasterForCopy(int gpno);

// ---- Groups --------------------------------------------------------------

// "SELECT * FROM GroupMaster ORDER BY GPname"
QString selectGroupsByName();
// "SELECT * FROM GroupMaster ORDER BY gpname"
QString selectGroupsByNameLower();
// "select * from GroupMaster Order by GPname"
QString selectGroupsByNameMixed();
// "SELECT * FROM GroupMaster"
QString selectGroups();
// "select * from GroupMaster"
QString selectGroupsLower();
// "SELECT  * FROM GroupMaster Where (GPname = '<name>') ORDER BY GPname"
QString selectGroupByName(const QString &name);
// "SELECT  * FROM GroupMaster    Where (GroupMaster.GPname = '<name>') ORDER BY   GroupMaster.GPname"
QString selectGroupByNameQualified(const QString &name);
// "SELECT * FROM GroupMaster WHERE GPname = '<name>'"
QString selectGroupByNamePlain(const QString &name);
// "SELECT * FROM GroupMaster WHERE GPNO = <n>"
QString selectGroupByNo(int gpno);
// "SELECT MAX(GPNO) AS MAXP FROM GroupMaster"
QString selectMaxGroupNo();
// "select * from GroupMaster WHERE DelFlg = False Order by GPname"
QString selectLiveGroups();
// "select * from GroupMaster WHERE DelFlg = True"
QString selectMarkedGroups();
// "DELETE * FROM Schedule WHERE GPno = <n>" (purge of a marked group)
QString deleteGroupMaster(int gpno);
// "DELETE * FROM KiKiTable  WHERE GPno = <n>" (purge of a marked group)
QString deleteGroupDevicesForPurge(int gpno);
// "DELETE * FROM GroupMaster WHERE DelFlg = True"
QString deleteMarkedGroups();

// The criterion of a recordset find: "GPname = '<name>'".
QString groupNameCriterion(const QString &name);

// ---- Devices -------------------------------------------------------------

// "SELECT * From KikiTable  WHERE (((KikiTable.GPno)= <n>))" (the runner's output)
QString selectGroupTags(int gpno);
// "select * from KikiTable WHERE GPno = <n>"
QString selectGroupDevices(int gpno);
// "select Kikiname from KikiTable WHERE (((KikiTable.GPno)=<n>))  Order by [kikiname]"
QString selectGroupDeviceNames(int gpno);
// "DELETE * FROM KikiTable WHERE GPno = <n>"
QString deleteGroupDevices(int gpno);
// "INSERT INTO KikiTable (TAG, KikiName, GPno, StartValue, EndValue) VALUES ('<tag>', '<name>', <n>, <start>, <end>)"
// Pass the values as read from KikiMaster (field(...).toDouble()), not through a
// float, so that 0.1 stays 0.1 and does not become 0.10000000149011612.
QString insertGroupDevice(const QString &tag, const QString &kikiName, int gpno, double startValue,
                          double endValue);
// "select * from KiKiMaster Order by KikiName"
QString selectDeviceMaster();
// "select KikiMaster.kikiname from [KikiMaster]  Order by [kikiname]"
QString selectDeviceMasterNames();
// "select * from [KiKiMaster]"
QString selectDeviceMasterBracketed();
// "select * from KikiMaster WHERE (((KikiMaster.KikiName) = '<name>'))"
QString selectDeviceByName(const QString &kikiName);
// "select * from KiKiMaster where KikiName = '<name>'"
QString selectDeviceByNamePlain(const QString &kikiName);
// "DELETE * FROM KiKiMaster WHERE TAG = '<tag>'"
QString deleteDeviceFromMaster(const QString &tag);
// "DELETE * FROM KiKiTable WHERE TAG = '<tag>'"
QString deleteDeviceFromGroups(const QString &tag);

// ---- Whole tables (Masterio, Upgrader) -------------------------------------

// "DELETE FROM GroupMaster"
QString clearGroupMaster();
// "SELECT * FROM GroupMaster ORDER BY GPno"
QString selectGroupsByNo();
// "DELETE FROM KikiMaster"
QString clearDeviceMaster();
// "SELECT * FROM KikiMaster ORDER BY TAG"
QString selectDeviceMasterByTag();

// The six tables as the upgrader spells them.
enum class Table { GroupMaster, KikiMaster, KikiTable, Schedule, NextdayTable, TodayTable };
// "SELECT * FROM GroupMaster", "SELECT * FROM KikiMaster", "SELECT * FROM KikiTable",
// "SELECT * FROM Schedule", "SELECT * FROM NextDayTable", "SELECT * FROM ToDayTable"
QString selectWholeTable(Table table);
// The table's name as the schema spells it ("NextdayTable", "TodayTable", ...).
QString tableName(Table table);

} // namespace store::sql
