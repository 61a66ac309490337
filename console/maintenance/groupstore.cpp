#include "console/maintenance/groupstore.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/recordset.h"
#include "store/transaction.h"
#include "store/updatablerecordset.h"

namespace console {

namespace {

GroupRow groupOf(const store::Recordset &rs)
{
    return {rs.integer(QStringLiteral("GPno")), rs.text(QStringLiteral("GPname")), rs.yes(QStringLiteral("YukoFlg")),
            rs.yes(QStringLiteral("DelFlg"))};
}

} // namespace

GroupStore::GroupStore(store::Database &db)
    : m_db(db)
{
}

bool GroupStore::fail(const QString &error)
{
    m_error = error;
    return false;
}

QList<GroupRow> GroupStore::groups(const QString &sql)
{
    QList<GroupRow> out;
    store::Recordset rs = m_db.openRecordset(sql);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << groupOf(rs);
    return out;
}

QList<GroupRow> GroupStore::liveGroups()
{
    return groups(store::sql::selectLiveGroups());
}

QList<GroupRow> GroupStore::allGroups()
{
    return groups(store::sql::selectGroupsByName());
}

std::optional<GroupRow> GroupStore::findByName(const QString &name)
{
    store::Recordset rs = m_db.openRecordset(store::sql::selectGroupsLower());
    rs.moveFirst();
    if (!rs.findValue(QStringLiteral("GPname"), name))
        return std::nullopt;
    return groupOf(rs);
}

std::optional<GroupRow> GroupStore::findByNo(int gpno)
{
    store::Recordset rs = m_db.openRecordset(store::sql::selectGroupByNo(gpno));
    rs.moveFirst();
    if (rs.eof())
        return std::nullopt;
    return groupOf(rs);
}

std::optional<int> GroupStore::nextGroupNo()
{
    store::Recordset rs = m_db.openRecordset(store::sql::selectMaxGroupNo());
    if (!rs.isOpen()) {
        m_error = m_db.lastError();
        return std::nullopt;
    }
    rs.moveFirst();
    const QVariant max = rs.field(QStringLiteral("MAXP"));
    return max.isNull() ? 1 : max.toInt() + 1;
}

bool GroupStore::addGroup(const GroupRow &group)
{
    return store::inTransaction(m_db, &m_error, [&] {
        store::UpdatableRecordset rs;
        QString error;
        if (!rs.open(m_db.handle(), store::sql::selectGroupsLower(), &error))
            return fail(error);
        rs.addNew();
        rs.setField(QStringLiteral("gpno"), group.gpno);
        rs.setField(QStringLiteral("gpname"), group.name);
        rs.setField(QStringLiteral("YukoFlg"), group.valid);
        rs.setField(QStringLiteral("DelFlg"), false);
        return rs.update(&error) || fail(error);
    });
}

bool GroupStore::openGroupRow(store::UpdatableRecordset &rs, int gpno)
{
    QString error;
    if (!rs.open(m_db.handle(), store::sql::selectGroupByNo(gpno), &error))
        return fail(error);
    rs.moveFirst();
    return !rs.eof() || fail(QStringLiteral("グループ番号 %1 がありません。").arg(gpno));
}

bool GroupStore::overwrite(int gpno, const QString &name, bool valid)
{
    return store::inTransaction(m_db, &m_error, [&] {
        store::UpdatableRecordset rs;
        if (!openGroupRow(rs, gpno))
            return false;
        QString error;
        rs.setField(QStringLiteral("gpname"), name);
        rs.setField(QStringLiteral("YukoFlg"), valid);
        if (rs.yes(QStringLiteral("DelFlg")))
            rs.setField(QStringLiteral("DelFlg"), false);
        return rs.update(&error) || fail(error);
    });
}

bool GroupStore::markForDeletion(int gpno)
{
    return store::inTransaction(m_db, &m_error, [&] {
        store::UpdatableRecordset rs;
        if (!openGroupRow(rs, gpno))
            return false;
        QString error;
        rs.setField(QStringLiteral("DelFlg"), true);
        return rs.update(&error) || fail(error);
    });
}

bool GroupStore::purgeMarked()
{
    return store::inTransaction(m_db, &m_error, [&] {
        store::Recordset marked = m_db.openRecordset(store::sql::selectMarkedGroups());
        if (!marked.isOpen())
            return false;
        for (marked.moveFirst(); !marked.eof(); marked.moveNext()) {
            const int n = marked.integer(QStringLiteral("gpno"));
            for (const QString &sql :
                 {store::sql::deleteGroupDay(store::sql::Day::Today, n),
                  store::sql::deleteGroupDay(store::sql::Day::Nextday, n), store::sql::deleteGroupMaster(n),
                  store::sql::deleteGroupDevicesForPurge(n)}) {
                if (!m_db.execute(sql))
                    return false;
            }
        }
        return m_db.execute(store::sql::deleteMarkedGroups());
    });
}

bool GroupStore::copyMaster(int source, int destination)
{
    return store::inTransaction(m_db, &m_error, [&] {
        if (!m_db.execute(store::sql::deleteGroupMasterForCopy(destination)))
            return false;
        store::Recordset from = m_db.openRecordset(store::sql::selectGroupMaster(source));
        if (!from.isOpen())
            return false;
        store::UpdatableRecordset to;
        QString error;
        if (!to.open(m_db.handle(), store::sql::selectMaster(), &error))
            return fail(error);
        for (from.moveFirst(); !from.eof(); from.moveNext()) {
            to.addNew();
            to.setField(QStringLiteral("gpno"), destination);
            to.setField(QStringLiteral("lWeek"), from.field(QStringLiteral("lWeek")));
            to.setField(QStringLiteral("StartTime"), from.field(QStringLiteral("StartTime")));
            to.setField(QStringLiteral("EndTime"), from.field(QStringLiteral("EndTime")));
            if (!to.update(&error))
                return fail(error);
        }
        return true;
    });
}

} // namespace console
