#include "store/catalogue.h"
#include "store/dialect.h"

#include <gtest/gtest.h>

#include "qtprint.h"

using namespace store;
using sql::Day;

namespace {

struct Case {
    const char *name;
    QString built;
    const char *expected;
};

// Every statement against its text, blanks included.
TEST(Catalogue, BuildersGiveTheExactTexts)
{
    const Case cases[] = {
        {"deleteToday", sql::deleteDay(Day::Today), "DELETE * FROM TodayTable"},
        {"deleteNextday", sql::deleteDay(Day::Nextday), "DELETE * FROM NextdayTable"},
        {"deleteNextday;", sql::deleteNextdayTerminated(), "DELETE * FROM NextdayTable;"},
        {"roll", sql::rollNextdayIntoToday(), "INSERT INTO TodayTable SELECT * FROM NextdayTable"},
        {"buildNextday", sql::buildDayFromMaster(Day::Nextday, 8),
         "INSERT INTO NextdayTable (GPno,StartTime,EndTime ) SELECT Schedule.GPno,  Schedule.StartTime, "
         "Schedule.EndTime From Schedule Where (((Schedule.lWeek) = 8)) ORDER BY Schedule.GPno, Schedule.StartTime;"},
        {"buildToday", sql::buildDayFromMaster(Day::Today, 1),
         "INSERT INTO TodayTable (GPno,StartTime,EndTime ) SELECT Schedule.GPno,  Schedule.StartTime, "
         "Schedule.EndTime From Schedule Where (((Schedule.lWeek) = 1)) ORDER BY Schedule.GPno, Schedule.StartTime;"},
        {"buildGroupToday", sql::buildGroupDayFromMaster(Day::Today, 3, 12),
         "INSERT INTO TodayTable (GPno,StartTime,EndTime )  SELECT Schedule.GPno,  Schedule.StartTime, "
         "Schedule.EndTime  From Schedule Where (((Schedule.lWeek) = 3) AND ((Schedule.GPno) = 12))  "},
        {"buildGroupNextday", sql::buildGroupDayFromMaster(Day::Nextday, 11, 501),
         "INSERT INTO NextDayTable (GPno,StartTime,EndTime ) SELECT Schedule.GPno,  Schedule.StartTime, "
         "Schedule.EndTime  From Schedule Where (((Schedule.lWeek) = 11) AND ((Schedule.GPno) = 501))  "},
        {"deleteGroupToday", sql::deleteGroupDay(Day::Today, 4), "DELETE * FROM TodayTable WHERE GPno = 4"},
        {"deleteGroupNextday", sql::deleteGroupDay(Day::Nextday, 4), "DELETE * FROM NextDayTable WHERE GPno = 4"},
        {"deleteGroupToday;", sql::deleteGroupDayTerminated(Day::Today, 5),
         "DELETE * FROM  TodayTable WHERE (GPno = 5);"},
        {"deleteGroupNextday;", sql::deleteGroupDayTerminated(Day::Nextday, 5),
         "DELETE * FROM  NextdayTable WHERE (GPno = 5);"},
        {"selectGroupToday", sql::selectGroupDay(Day::Today, 6), "SELECT * FROM TodayTable WHERE GPno = 6"},
        {"selectGroupNextday", sql::selectGroupDay(Day::Nextday, 6), "SELECT * FROM NextdayTable WHERE GPno = 6"},
        {"selectToday", sql::selectDay(Day::Today), "SELECT TodayTable.* FROM TodayTable"},
        {"selectNextday;", sql::selectDay(Day::Nextday, true), "SELECT NextdayTable.* FROM NextdayTable; "},
        {"chartToday", sql::selectDayChart(Day::Today),
         "SELECT DISTINCTROW GroupMaster.GPno, GroupMaster.GPname, GroupMaster.YukoFlg, TodayTable.StartTime, "
         "TodayTable.EndTime FROM GroupMaster INNER JOIN TodayTable ON GroupMaster.GPno = TodayTable.GPno  ORDER BY  "
         "GroupMaster.GPname, TodayTable.StartTime;"},
        {"chartNextday", sql::selectDayChart(Day::Nextday),
         "SELECT DISTINCTROW GroupMaster.GPno, GroupMaster.GPname, GroupMaster.YukoFlg, NextdayTable.StartTime, "
         "NextdayTable.EndTime FROM GroupMaster INNER JOIN NextdayTable ON GroupMaster.GPno = NextdayTable.GPno  "
         "ORDER BY  GroupMaster.GPname, NextdayTable.StartTime;"},
        {"masterChart", sql::selectMasterChart(7),
         "SELECT DISTINCTROW GroupMaster.GPno, GroupMaster.GPname, GroupMaster.YukoFlg, Schedule.lWeek, "
         "Schedule.StartTime, Schedule.EndTime FROM GroupMaster INNER JOIN Schedule ON GroupMaster.GPno = "
         "Schedule.GPno Where (((Schedule.lWeek) = 7)) ORDER BY  GroupMaster.GPname, Schedule.StartTime;"},
        {"groupMaster", sql::selectGroupMaster(9), "SELECT Schedule.* FROM Schedule WHERE GPno = 9  ORDER BY lWeek,StartTime "},
        {"groupMasterDay", sql::selectGroupMasterDay(9, 10), "SELECT * FROM Schedule WHERE GPno = 9 AND lWeek = 10"},
        {"master", sql::selectMaster(), "SELECT * FROM Schedule"},
        {"deleteMasterCopy", sql::deleteGroupMasterForCopy(9), "DELETE * FROM Schedule WHERE (GPno = 9)"},
        {"groupsByName", sql::selectGroupsByName(), "SELECT * FROM GroupMaster ORDER BY GPname"},
        {"groupsByNameLower", sql::selectGroupsByNameLower(), "SELECT * FROM GroupMaster ORDER BY gpname"},
        {"groupsByNameMixed", sql::selectGroupsByNameMixed(), "select * from GroupMaster Order by GPname"},
        {"groups", sql::selectGroups(), "SELECT * FROM GroupMaster"},
        {"groupsLower", sql::selectGroupsLower(), "select * from GroupMaster"},
        {"groupByName", sql::selectGroupByName(QStringLiteral("空調")),
         "SELECT  * FROM GroupMaster Where (GPname = '空調') ORDER BY GPname"},
        {"groupByNameQualified", sql::selectGroupByNameQualified(QStringLiteral("空調")),
         "SELECT  * FROM GroupMaster    Where (GroupMaster.GPname = '空調') ORDER BY   GroupMaster.GPname"},
        {"groupByNamePlain", sql::selectGroupByNamePlain(QStringLiteral("空調")),
         "SELECT * FROM GroupMaster WHERE GPname = '空調'"},
        {"groupByNo", sql::selectGroupByNo(3), "SELECT * FROM GroupMaster WHERE GPNO = 3"},
        {"maxGroup", sql::selectMaxGroupNo(), "SELECT MAX(GPNO) AS MAXP FROM GroupMaster"},
        {"liveGroups", sql::selectLiveGroups(), "select * from GroupMaster WHERE DelFlg = False Order by GPname"},
        {"markedGroups", sql::selectMarkedGroups(), "select * from GroupMaster WHERE DelFlg = True"},
        {"purgeMaster", sql::deleteGroupMaster(3), "DELETE * FROM Schedule WHERE GPno = 3"},
        {"purgeDevices", sql::deleteGroupDevicesForPurge(3), "DELETE * FROM KiKiTable  WHERE GPno = 3"},
        {"purgeGroups", sql::deleteMarkedGroups(), "DELETE * FROM GroupMaster WHERE DelFlg = True"},
        {"criterion", sql::groupNameCriterion(QStringLiteral("A")), "GPname = 'A'"},
        {"groupTags", sql::selectGroupTags(2), "SELECT * From KikiTable  WHERE (((KikiTable.GPno)= 2))"},
        {"groupDevices", sql::selectGroupDevices(2), "select * from KikiTable WHERE GPno = 2"},
        {"groupDeviceNames", sql::selectGroupDeviceNames(2),
         "select Kikiname from KikiTable WHERE (((KikiTable.GPno)=2))  Order by [kikiname]"},
        {"deleteGroupDevices", sql::deleteGroupDevices(2), "DELETE * FROM KikiTable WHERE GPno = 2"},
        {"insertDevice", sql::insertGroupDevice(QStringLiteral("AHU1_RUN"), QStringLiteral("空調機1"), 2, 1, 22.5),
         "INSERT INTO KikiTable (TAG, KikiName, GPno, StartValue, EndValue) VALUES ('AHU1_RUN', '空調機1', 2, 1, 22.5)"},
        {"deviceMaster", sql::selectDeviceMaster(), "select * from KiKiMaster Order by KikiName"},
        {"deviceMasterNames", sql::selectDeviceMasterNames(),
         "select KikiMaster.kikiname from [KikiMaster]  Order by [kikiname]"},
        {"deviceMasterBracketed", sql::selectDeviceMasterBracketed(), "select * from [KiKiMaster]"},
        {"deviceByName", sql::selectDeviceByName(QStringLiteral("D1")),
         "select * from KikiMaster WHERE (((KikiMaster.KikiName) = 'D1'))"},
        {"deviceByNamePlain", sql::selectDeviceByNamePlain(QStringLiteral("D1")),
         "select * from KiKiMaster where KikiName = 'D1'"},
        {"deleteDeviceMaster", sql::deleteDeviceFromMaster(QStringLiteral("T1")), "DELETE * FROM KiKiMaster WHERE TAG = 'T1'"},
        {"deleteDeviceGroups", sql::deleteDeviceFromGroups(QStringLiteral("T1")), "DELETE * FROM KiKiTable WHERE TAG = 'T1'"},
        {"clearGroups", sql::clearGroupMaster(), "DELETE FROM GroupMaster"},
        {"groupsByNo", sql::selectGroupsByNo(), "SELECT * FROM GroupMaster ORDER BY GPno"},
        {"clearDevices", sql::clearDeviceMaster(), "DELETE FROM KikiMaster"},
        {"devicesByTag", sql::selectDeviceMasterByTag(), "SELECT * FROM KikiMaster ORDER BY TAG"},
        {"wholeGroup", sql::selectWholeTable(sql::Table::GroupMaster), "SELECT * FROM GroupMaster"},
        {"wholeKikiMaster", sql::selectWholeTable(sql::Table::KikiMaster), "SELECT * FROM KikiMaster"},
        {"wholeKikiTable", sql::selectWholeTable(sql::Table::KikiTable), "SELECT * FROM KikiTable"},
        {"wholeSchedule", sql::selectWholeTable(sql::Table::Schedule), "SELECT * FROM Schedule"},
        {"wholeNextday", sql::selectWholeTable(sql::Table::NextdayTable), "SELECT * FROM NextDayTable"},
        {"wholeToday", sql::selectWholeTable(sql::Table::TodayTable), "SELECT * FROM ToDayTable"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(c.built.toStdString(), QString::fromUtf8(c.expected).toStdString()) << c.name;
}

TEST(Catalogue, NamesAreQuotedWithTheirQuotesDoubled)
{
    EXPECT_EQ(sql::quoted(QStringLiteral("O'Neil")), QStringLiteral("'O''Neil'"));
    EXPECT_EQ(sql::quoted(QStringLiteral("''")), QStringLiteral("''''''"));
    EXPECT_EQ(sql::selectGroupByNamePlain(QStringLiteral("a' OR 'x'='x")),
              QStringLiteral("SELECT * FROM GroupMaster WHERE GPname = 'a'' OR ''x''=''x'"));
    EXPECT_EQ(sql::selectGroupByName(QStringLiteral("it's")),
              QStringLiteral("SELECT  * FROM GroupMaster Where (GPname = 'it''s') ORDER BY GPname"));
    EXPECT_EQ(sql::selectDeviceByName(QStringLiteral("'")),
              QStringLiteral("select * from KikiMaster WHERE (((KikiMaster.KikiName) = ''''))"));
    EXPECT_EQ(sql::deleteDeviceFromMaster(QStringLiteral("T'")), QStringLiteral("DELETE * FROM KiKiMaster WHERE TAG = 'T'''"));
    EXPECT_EQ(sql::groupNameCriterion(QStringLiteral("a'b")), QStringLiteral("GPname = 'a''b'"));
    EXPECT_EQ(sql::insertGroupDevice(QStringLiteral("T'1"), QStringLiteral("D'1"), 1, -0.0, 1e6),
              QStringLiteral("INSERT INTO KikiTable (TAG, KikiName, GPno, StartValue, EndValue) VALUES "
                             "('T''1', 'D''1', 1, 0, 1000000)"));
}

TEST(Dialect, TranslatesTheAccessForms)
{
    EXPECT_EQ(toSqlite(QStringLiteral("DELETE * FROM TodayTable")), QStringLiteral("DELETE FROM TodayTable"));
    EXPECT_EQ(toSqlite(QStringLiteral("DELETE * FROM  NextdayTable WHERE (GPno = 5);")),
              QStringLiteral("DELETE FROM  NextdayTable WHERE (GPno = 5)"));
    EXPECT_EQ(toSqlite(QStringLiteral("delete *from KiKiTable  WHERE GPno = 3")),
              QStringLiteral("DELETE FROM KiKiTable  WHERE GPno = 3"));
    EXPECT_EQ(toSqlite(QStringLiteral("SELECT DISTINCTROW a.b FROM a; ")), QStringLiteral("SELECT a.b FROM a"));
    EXPECT_EQ(toSqlite(QStringLiteral("select * from GroupMaster WHERE DelFlg = False Order by GPname")),
              QStringLiteral("select * from GroupMaster WHERE DelFlg = 0 Order by GPname"));
    EXPECT_EQ(toSqlite(QStringLiteral("UPDATE g SET YukoFlg=TRUE,DelFlg=false")),
              QStringLiteral("UPDATE g SET YukoFlg=-1,DelFlg=0"));
    EXPECT_EQ(toSqlite(QStringLiteral("select KikiMaster.kikiname from [KikiMaster]  Order by [kikiname]")),
              QStringLiteral("select KikiMaster.kikiname from [KikiMaster]  Order by [kikiname]"));
    // Untouched: words that only contain the keywords, quoted text, bracketed names, qualified columns.
    EXPECT_EQ(toSqlite(QStringLiteral("SELECT TrueValue, x.False FROM [True] WHERE n = 'True' AND m = 'It''s False'")),
              QStringLiteral("SELECT TrueValue, x.False FROM [True] WHERE n = 'True' AND m = 'It''s False'"));
    EXPECT_EQ(toSqlite(QStringLiteral("SELECT * FROM t WHERE n = 'DELETE * FROM x DISTINCTROW'")),
              QStringLiteral("SELECT * FROM t WHERE n = 'DELETE * FROM x DISTINCTROW'"));
    EXPECT_EQ(toSqlite(QStringLiteral("SELECT * FROM t WHERE n = 'a;'")), QStringLiteral("SELECT * FROM t WHERE n = 'a;'"));
}

} // namespace
