#include "console/maintenance/daymemos.h"

#include "calendar/daymemofile.h"
#include "calendar/daymemostore.h"
#include "calendar/oledate.h"
#include "store/sitepaths.h"


#include <cmath>

namespace console {

DayMemos::DayMemos(const QString &databaseFolder)
{
    calendar::DayMemoStore store;
    if (!calendar::daymemofile::load(store, store::paths::dayInfoPathIn(databaseFolder)))
        return;
    for (const calendar::DayMemoStore::Entry &entry : store.entries())
        m_memos.insert(qint64(std::floor(entry.date)), entry.memo.text.trimmed());
}

QString DayMemos::memoOf(const QDate &date) const
{
    return m_memos.value(qint64(calendar::toOleDate(date)));
}

} // namespace console
