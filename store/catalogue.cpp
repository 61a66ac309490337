#include "store/catalogue.h"

#include <QLocale>

namespace store::sql {
namespace {

QString num(int n)
{
    return QString::number(n);
}

QString dayTable(Day day)
{
    return day == Day::Today ? QStringLiteral("TodayTable") : QStringLiteral("NextdayTable");
}

} // namespace

QString escaped(const QString &value)
{
    QString s = value;
    s.replace(QLatin1Char('\''), QStringLiteral("''"));
    return s;
}

QString quoted(const QString &value)
{
    return QLatin1Char('\'') + escaped(value) + QLatin1Char('\'');
}

QString number(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // also for -0
    return QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest); // never an exponent
}

// ---- Day tables and the weekly master ------------------------------------

QString deleteDay(Day day)
{
    return QStringLiteral("DELETE * FROM ") + dayTable(day);
}

QString deleteNextdayTerminated()
{
    return QStringLiteral("DELETE * FROM NextdayTable;");
}

QString rollNextdayIntoToday()
{
    return QStringLiteral("INSERT INTO TodayTable SELECT * FROM NextdayTable");
}

QString buildDayFromMaster(Day day, int dayCode)
{
    return QStringLiteral("INSERT INTO ") + dayTable(day) + QStringLiteral(" (GPno,StartTime,EndTime ) ")
           + QStringLiteral("SELECT Schedule.GPno,  Schedule.StartTime, Schedule.EndTime ")
           + QStringLiteral("From Schedule Where (((Schedule.lWeek) = ") + num(dayCode) + QStringLiteral(")) ")
           + QStringLiteral("ORDER BY Schedule.GPno, Schedule.StartTime;");
}

QString buildGroupDayFromMaster(Day day, int dayCode, int gpno)
{
    const QString head = day == Day::Today ? QStringLiteral("INSERT INTO TodayTable (GPno,StartTime,EndTime )  ")
                                           : QStringLiteral("INSERT INTO NextDayTable (GPno,StartTime,EndTime ) ");
    return head + QStringLiteral("SELECT Schedule.GPno,  Schedule.StartTime, Schedule.EndTime  ")
           + QStringLiteral("From Schedule Where (((Schedule.lWeek) = ") + num(dayCode)
           + QStringLiteral(") AND ((Schedule.GPno) = ") + num(gpno) + QStringLiteral("))  ");
}

QString deleteGroupDay(Day day, int gpno)
{
    return (day == Day::Today ? QStringLiteral("DELETE * FROM TodayTable WHERE GPno = ")
                              : QStringLiteral("DELETE * FROM NextDayTable WHERE GPno = "))
           + num(gpno);
}

QString deleteGroupDayTerminated(Day day, int gpno)
{
    return QStringLiteral("DELETE * FROM  ") + dayTable(day) + QStringLiteral(" WHERE (GPno = ") + num(gpno)
           + QStringLiteral(");");
}

QString selectGroupDay(Day day, int gpno)
{
    return QStringLiteral("SELECT * FROM ") + dayTable(day) + QStringLiteral(" WHERE GPno = ") + num(gpno);
}

QString selectDay(Day day, bool terminated)
{
    const QString t = dayTable(day);
    return QStringLiteral("SELECT ") + t + QStringLiteral(".* FROM ") + t
           + (terminated ? QStringLiteral("; ") : QString());
}

QString selectDayChart(Day day)
{
    const QString t = dayTable(day);
    return QStringLiteral("SELECT DISTINCTROW GroupMaster.GPno, GroupMaster.GPname, GroupMaster.YukoFlg, ")
           + t + QStringLiteral(".StartTime, ") + t + QStringLiteral(".EndTime ")
           + QStringLiteral("FROM GroupMaster INNER JOIN ") + t + QStringLiteral(" ON GroupMaster.GPno = ") + t
           + QStringLiteral(".GPno ") + QStringLiteral(" ORDER BY  GroupMaster.GPname, ") + t
           + QStringLiteral(".StartTime;");
}

QString selectMasterChart(int dayCode)
{
    return QStringLiteral("SELECT DISTINCTROW GroupMaster.GPno, GroupMaster.GPname, GroupMaster.YukoFlg, ")
           + QStringLiteral("Schedule.lWeek, Schedule.StartTime, Schedule.EndTime ")
           + QStringLiteral("FROM GroupMaster INNER JOIN Schedule ON GroupMaster.GPno = Schedule.GPno ")
           + QStringLiteral("Where (((Schedule.lWeek) = ") + num(dayCode) + QStringLiteral(")) ")
           + QStringLiteral("ORDER BY  GroupMaster.GPname, Schedule.StartTime;");
}

QString selectGroupMaster(int gpno)
{
    return QStringLiteral("SELECT Schedule.* FROM Schedule WHERE GPno = ") + num(gpno)
           + QStringLiteral("  ORDER BY lWeek,StartTime ");
}

QString selectGroupMasterDay(int gpno, int dayCode)
{
    return QStringLiteral("SELECT * FROM Schedule WHERE GPno = ") + num(gpno) + QStringLiteral(" AND lWeek = ")
           + num(dayCode);
}

QString selectMaster()
{
    return QStringLiteral("SELECT * FROM Schedule");
}

QString deleteGroupMasterForCopy(int gpno)
{
    return QStringLiteral("DELETE * FROM Schedule WHERE (GPno = ") + num(gpno) + QStringLiteral(")");
}

// ---- Groups --------------------------------------------------------------

QString selectGroupsByName() { return QStringLiteral("SELECT * FROM GroupMaster ORDER BY GPname"); }
QString selectGroupsByNameLower() { return QStringLiteral("SELECT * FROM GroupMaster ORDER BY gpname"); }
QString selectGroupsByNameMixed() { return QStringLiteral("select * from GroupMaster Order by GPname"); }
QString selectGroups() { return QStringLiteral("SELECT * FROM GroupMaster"); }
QString selectGroupsLower() { return QStringLiteral("select * from GroupMaster"); }

QString selectGroupByName(const QString &name)
{
    return QStringLiteral("SELECT  * FROM GroupMaster Where (GPname = '") + escaped(name)
           + QStringLiteral("') ORDER BY GPname");
}

QString selectGroupByNameQualified(const QString &name)
{
    return QStringLiteral("SELECT  * FROM GroupMaster   ") + QStringLiteral(" Where (GroupMaster.GPname = '")
           + escaped(name) + QStringLiteral("') ORDER BY   GroupMaster.GPname");
}

QString selectGroupByNamePlain(const QString &name)
{
    return QStringLiteral("SELECT * FROM GroupMaster WHERE GPname = ") + quoted(name);
}

QString selectGroupByNo(int gpno)
{
    return QStringLiteral("SELECT * FROM GroupMaster WHERE GPNO = ") + num(gpno);
}

QString selectMaxGroupNo() { return QStringLiteral("SELECT MAX(GPNO) AS MAXP FROM GroupMaster"); }
QString selectLiveGroups() { return QStringLiteral("select * from GroupMaster WHERE DelFlg = False Order by GPname"); }
QString selectMarkedGroups() { return QStringLiteral("select * from GroupMaster WHERE DelFlg = True"); }

QString deleteGroupMaster(int gpno)
{
    return QStringLiteral("DELETE * FROM Schedule WHERE GPno = ") + num(gpno);
}

QString deleteGroupDevicesForPurge(int gpno)
{
    return QStringLiteral("DELETE * FROM KiKiTable  WHERE GPno = ") + num(gpno);
}

QString deleteMarkedGroups() { return QStringLiteral("DELETE * FROM GroupMaster WHERE DelFlg = True"); }

QString groupNameCriterion(const QString &name)
{
    return QStringLiteral("GPname = ") + quoted(name);
}

// ---- Devices -------------------------------------------------------------

QString selectGroupTags(int gpno)
{
    return QStringLiteral("SELECT * From KikiTable  WHERE (((KikiTable.GPno)= ") + num(gpno) + QStringLiteral("))");
}

QString selectGroupDevices(int gpno)
{
    return QStringLiteral("select * from KikiTable WHERE GPno = ") + num(gpno);
}

QString selectGroupDeviceNames(int gpno)
{
    return QStringLiteral("select Kikiname from KikiTable WHERE (((KikiTable.GPno)=") + num(gpno)
           + QStringLiteral("))  Order by [kikiname]");
}

QString deleteGroupDevices(int gpno)
{
    return QStringLiteral("DELETE * FROM KikiTable WHERE GPno = ") + num(gpno);
}

QString insertGroupDevice(const QString &tag, const QString &kikiName, int gpno, double startValue,
                          double endValue)
{
    return QStringLiteral("INSERT INTO KikiTable (TAG, KikiName, GPno, StartValue, EndValue) VALUES ")
           + QStringLiteral("('") + escaped(tag) + QStringLiteral("', '") + escaped(kikiName)
           + QStringLiteral("', ") + num(gpno) + QStringLiteral(", ") + number(startValue) + QStringLiteral(", ")
           + number(endValue) + QStringLiteral(")");
}

QString selectDeviceMaster() { return QStringLiteral("select * from KiKiMaster Order by KikiName"); }
QString selectDeviceMasterNames()
{
    return QStringLiteral("select KikiMaster.kikiname from [KikiMaster]  Order by [kikiname]");
}
QString selectDeviceMasterBracketed() { return QStringLiteral("select * from [KiKiMaster]"); }

QString selectDeviceByName(const QString &kikiName)
{
    return QStringLiteral("select * from KikiMaster WHERE (((KikiMaster.KikiName) = '") + escaped(kikiName)
           + QStringLiteral("'))");
}

QString selectDeviceByNamePlain(const QString &kikiName)
{
    return QStringLiteral("select * from KiKiMaster where KikiName = ") + quoted(kikiName);
}

QString deleteDeviceFromMaster(const QString &tag)
{
    return QStringLiteral("DELETE * FROM KiKiMaster WHERE TAG = ") + quoted(tag);
}

QString deleteDeviceFromGroups(const QString &tag)
{
    return QStringLiteral("DELETE * FROM KiKiTable WHERE TAG = ") + quoted(tag);
}

// ---- Whole tables ----------------------------------------------------------

QString clearGroupMaster() { return QStringLiteral("DELETE FROM GroupMaster"); }
QString selectGroupsByNo() { return QStringLiteral("SELECT * FROM GroupMaster ORDER BY GPno"); }
QString clearDeviceMaster() { return QStringLiteral("DELETE FROM KikiMaster"); }
QString selectDeviceMasterByTag() { return QStringLiteral("SELECT * FROM KikiMaster ORDER BY TAG"); }

QString selectWholeTable(Table table)
{
    switch (table) {
    case Table::GroupMaster: return QStringLiteral("SELECT * FROM GroupMaster");
    case Table::KikiMaster: return QStringLiteral("SELECT * FROM KikiMaster");
    case Table::KikiTable: return QStringLiteral("SELECT * FROM KikiTable");
    case Table::Schedule: return QStringLiteral("SELECT * FROM Schedule");
    case Table::NextdayTable: return QStringLiteral("SELECT * FROM NextDayTable");
    case Table::TodayTable: return QStringLiteral("SELECT * FROM ToDayTable");
    }
    return {};
}

QString tableName(Table table)
{
    switch (table) {
    case Table::GroupMaster: return QStringLiteral("GroupMaster");
    case Table::KikiMaster: return QStringLiteral("KikiMaster");
    case Table::KikiTable: return QStringLiteral("KikiTable");
    case Table::Schedule: return QStringLiteral("Schedule");
    case Table::NextdayTable: return QStringLiteral("NextdayTable");
    case Table::TodayTable: return QStringLiteral("TodayTable");
    }
    return {};
}

} // namespace store::sql
