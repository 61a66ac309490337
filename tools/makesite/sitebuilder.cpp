#include "makesite/sitebuilder.h"

#include "platform/profile.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/daycode.h"
#include "store/schema.h"
#include "store/settings.h"
#include "store/sitepaths.h"
#include "store/timeofday.h"
#include "store/updatablerecordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace makesite {
namespace {

using store::sql::Day;

bool fail(QString *error, const QString &text)
{
    if (error)
        *error = text;
    return false;
}

bool fill(store::Database &db, const SiteData &data, QString *error)
{
    auto run = [&](const QString &statement) {
        if (db.execute(statement))
            return true;
        return fail(error, statement + QStringLiteral(": ") + db.lastError());
    };

    store::UpdatableRecordset groups = db.openUpdatable(store::sql::selectGroupsByNo());
    for (const Group &g : data.groups) {
        groups.addNew();
        groups.setField(QStringLiteral("GPno"), g.gpno);
        groups.setField(QStringLiteral("GPname"), g.name);
        groups.setField(QStringLiteral("YukoFlg"), g.valid);
        groups.setField(QStringLiteral("DelFlg"), false);
        QString e;
        if (!groups.update(&e))
            return fail(error, QStringLiteral("group %1: %2").arg(g.name, e));
    }

    store::UpdatableRecordset devices = db.openUpdatable(store::sql::selectDeviceMasterByTag());
    for (const Device &d : data.devices) {
        devices.addNew();
        devices.setField(QStringLiteral("TAG"), d.tag);
        devices.setField(QStringLiteral("KikiName"), d.name);
        devices.setField(QStringLiteral("StartValue"), d.startValue);
        devices.setField(QStringLiteral("EndValue"), d.endValue);
        QString e;
        if (!devices.update(&e))
            return fail(error, QStringLiteral("device %1: %2").arg(d.tag, e));
    }

    for (const Assignment &a : data.assignments) {
        const auto it = std::find_if(data.devices.begin(), data.devices.end(),
                                     [&](const Device &d) { return d.tag == a.tag; });
        if (it == data.devices.end())
            return fail(error, QStringLiteral("device %1 is not in the master").arg(a.tag));
        if (!run(store::sql::insertGroupDevice(it->tag, it->name, a.gpno, it->startValue, it->endValue)))
            return false;
    }

    store::UpdatableRecordset master = db.openUpdatable(store::sql::selectMaster());
    for (const MasterEntry &m : data.master) {
        master.addNew();
        master.setField(QStringLiteral("GPno"), m.gpno);
        master.setField(QStringLiteral("lWeek"), m.dayCode);
        master.setField(QStringLiteral("StartTime"), m.start);
        master.setField(QStringLiteral("EndTime"), m.end);
        QString e;
        if (!master.update(&e))
            return fail(error, QStringLiteral("master entry: %1").arg(e));
    }

    // The two day tables, built as the day change builds them.
    const int todayCode = store::weekdayCode(data.today);
    const int nextCode = store::weekdayCode(data.today.addDays(1));
    if (!run(store::sql::deleteDay(Day::Today)) || !run(store::sql::buildDayFromMaster(Day::Today, todayCode))
        || !run(store::sql::deleteDay(Day::Nextday)) || !run(store::sql::buildDayFromMaster(Day::Nextday, nextCode)))
        return false;
    for (const auto &[day, extras] : {std::pair{Day::Today, &data.extraToday}, std::pair{Day::Nextday, &data.extraNextday}}) {
        store::UpdatableRecordset table = db.openUpdatable(store::sql::selectDay(day));
        for (const DayEntry &e : *extras) {
            table.addNew();
            table.setField(QStringLiteral("GPno"), e.gpno);
            table.setField(QStringLiteral("StartTime"), e.start);
            table.setField(QStringLiteral("EndTime"), e.end);
            QString text;
            if (!table.update(&text))
                return fail(error, QStringLiteral("day entry: %1").arg(text));
        }
    }
    return true;
}

int countOf(store::Database &db, store::sql::Table table)
{
    return db.openRecordset(store::sql::selectWholeTable(table)).recordCount();
}

} // namespace

bool buildSite(const QString &folderArg, const SiteData &data, bool force, QStringList *report, QString *error)
{
    const QString folder = QDir(folderArg).absolutePath();
    const QString dbPath = store::paths::databasePath(folder);
    if (QFileInfo::exists(dbPath) && !force)
        return fail(error, QStringLiteral("%1 exists; use --force to replace it").arg(dbPath));
    if (!QDir().mkpath(store::paths::databaseFolderOf(dbPath)))
        return fail(error, QStringLiteral("cannot make %1").arg(store::paths::databaseFolderOf(dbPath)));

    // Build beside the target and rename it over, so that a failure keeps
    // whatever was there.
    const QString temp = dbPath + QStringLiteral(".new");
    QFile::remove(temp);
    QString e;
    if (!store::createDatabase(temp, &e))
        return fail(error, e);
    bool ok;
    {
        store::Database db(temp);
        ok = db.open() && db.transaction() && fill(db, data, &e) && db.commit();
        if (!ok && e.isEmpty())
            e = db.lastError();
    }
    if (!ok) {
        QFile::remove(temp);
        return fail(error, e);
    }
    QFile::remove(dbPath);
    if (!QFile::rename(temp, dbPath)) {
        QFile::remove(temp);
        return fail(error, QStringLiteral("cannot replace %1").arg(dbPath));
    }

    QList<platform::profile::Entry> entries;
    for (const IniEntry &i : data.settings) {
        QString value = i.value;
        value.replace(QStringLiteral("<site>"), folder);
        entries.append({i.section, i.key, value});
    }
    const QString ini = store::paths::settingsPath(folder);
    if (!platform::profile::writeStrings(ini, entries))
        return fail(error, QStringLiteral("cannot write %1").arg(ini));

    const store::Settings settings(folder);
    if (settings.opLogEnabled() && !settings.opLogFolder().isEmpty())
        QDir().mkpath(settings.opLogFolder());

    if (report) {
        store::Database db(dbPath);
        db.open();
        using store::sql::Table;
        *report << QStringLiteral("site        %1").arg(folder)
                << QStringLiteral("settings    %1").arg(ini)
                << QStringLiteral("database    %1").arg(dbPath)
                << QStringLiteral("  GroupMaster  %1 groups").arg(countOf(db, Table::GroupMaster))
                << QStringLiteral("  KikiMaster   %1 devices").arg(countOf(db, Table::KikiMaster))
                << QStringLiteral("  KikiTable    %1 group devices").arg(countOf(db, Table::KikiTable))
                << QStringLiteral("  Schedule     %1 master reservations").arg(countOf(db, Table::Schedule))
                << QStringLiteral("  TodayTable   %1 reservations for %2 (%3)")
                       .arg(countOf(db, Table::TodayTable))
                       .arg(data.today.toString(Qt::ISODate), store::dayName(store::weekdayCode(data.today)))
                << QStringLiteral("  NextdayTable %1 reservations for %2 (%3)")
                       .arg(countOf(db, Table::NextdayTable))
                       .arg(data.today.addDays(1).toString(Qt::ISODate),
                            store::dayName(store::weekdayCode(data.today.addDays(1))));
        if (settings.opLogEnabled())
            *report << QStringLiteral("oplog       %1").arg(settings.opLogFolder());
    }
    return true;
}

} // namespace makesite
