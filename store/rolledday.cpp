#include "store/rolledday.h"

#include "store/database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace store::rolledday {

int stampOf(const QDate &day)
{
    return day.isValid() ? day.year() * 10000 + day.month() * 100 + day.day() : 0;
}

QDate dayOfStamp(qint64 stamp)
{
    if (stamp <= 0)
        return {};
    return QDate(int(stamp / 10000), int(stamp / 100 % 100), int(stamp % 100));
}

bool read(Database &db, QDate *day, QString *error)
{
    QSqlQuery q(db.handle());
    if (!q.exec(QStringLiteral("PRAGMA user_version"))) {
        if (error)
            *error = q.lastError().text();
        return false;
    }
    *day = dayOfStamp(q.next() ? q.value(0).toLongLong() : 0);
    return true;
}

} // namespace store::rolledday
