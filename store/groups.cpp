#include "store/groups.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/grouprange.h"
#include "store/recordset.h"

namespace store {

int GetGroupNo(Database &db, const QString &groupName)
{
    Recordset rs = db.openRecordset(sql::selectGroups());
    if (!rs.isOpen())
        return NoGroup;
    rs.moveFirst();
    if (!rs.find(sql::groupNameCriterion(groupName)))
        return NoGroup;
    if (!rs.yes(QStringLiteral("YukoFlg")))
        return NoGroup;
    const int gpno = rs.integer(QStringLiteral("gpno"));
    return isGroupNo(gpno) ? gpno : NoGroup;
}

int GetGroupNo(const QString &databasePath, const QString &groupName)
{
    Database db(databasePath);
    if (!db.open())
        return NoGroup;
    return GetGroupNo(db, groupName);
}

} // namespace store
