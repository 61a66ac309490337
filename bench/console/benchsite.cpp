#include "benchsite.h"

#include "platform/profile.h"
#include "store/schema.h"
#include "store/sitepaths.h"

#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>

BenchSite::BenchSite(int groups, int perDay)
{
    QDir(home()).mkpath(QStringLiteral("SC_DataBase"));
    store::createDatabase(store::paths::databasePath(home()));
    platform::profile::writeString(ini(), QStringLiteral("Size"), QStringLiteral("Flg"), QStringLiteral("1"));
    platform::profile::writeString(ini(), QStringLiteral("Size"), QStringLiteral("Width"), QStringLiteral("19200"));
    platform::profile::writeString(ini(), QStringLiteral("Size"), QStringLiteral("Height"), QStringLiteral("12000"));
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-site"));
        db.setDatabaseName(store::paths::databasePath(home()));
        db.open();
        db.transaction();
        QSqlQuery group(db);
        group.prepare(QStringLiteral("INSERT INTO GroupMaster (GPno, GPname, YukoFlg, DelFlg) VALUES (?, ?, ?, 0)"));
        QSqlQuery today(db);
        today.prepare(QStringLiteral("INSERT INTO TodayTable (GPno, StartTime, EndTime) VALUES (?, ?, ?)"));
        QSqlQuery nextday(db);
        nextday.prepare(QStringLiteral("INSERT INTO NextdayTable (GPno, StartTime, EndTime) VALUES (?, ?, ?)"));
        for (int g = 1; g <= groups; ++g) {
            group.addBindValue(g);
            group.addBindValue(QStringLiteral("系統%1").arg(g, 3, 10, QLatin1Char('0')));
            group.addBindValue(g % 7 == 0 ? 0 : -1);
            group.exec();
            for (int r = 0; r < perDay; ++r) {
                const int start = r * 30 % (24 * 60);
                const QString s = QStringLiteral("%1:%2:00").arg(start / 60, 2, 10, QLatin1Char('0')).arg(start % 60, 2, 10, QLatin1Char('0'));
                const QString e = QStringLiteral("%1:%2:00").arg(start / 60, 2, 10, QLatin1Char('0')).arg(start % 60 + 20, 2, 10, QLatin1Char('0'));
                for (QSqlQuery *q : {&today, &nextday}) {
                    q->addBindValue(g);
                    q->addBindValue(s);
                    q->addBindValue(e);
                    q->exec();
                }
            }
        }
        db.commit();
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-site"));
}

QString BenchSite::ini() const
{
    return store::paths::settingsPath(home());
}
