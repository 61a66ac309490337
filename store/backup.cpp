#include "store/backup.h"

#include "store/catalogue.h"
#include "store/database.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace store {

bool backupDatabase(const QString &sourcePath, const QString &targetPath, QString *error, MissingFolder folder)
{
    const QFileInfo target(targetPath);
    if (folder == MissingFolder::Fail && !QFileInfo(target.absolutePath()).isDir()) {
        if (error)
            *error = QStringLiteral("フォルダ %1 がありません。").arg(target.absolutePath());
        return false;
    }
    if (!QDir().mkpath(target.absolutePath())) {
        if (error)
            *error = QStringLiteral("フォルダ %1 を作れません。").arg(target.absolutePath());
        return false;
    }
    const QString temp = target.absoluteFilePath() + QStringLiteral(".tmp-%1").arg(QCoreApplication::applicationPid());
    QFile::remove(temp);

    bool ok = false;
    {
        Database db(sourcePath);
        if (!db.open()) {
            if (error)
                *error = db.lastError();
            return false;
        }
        QSqlQuery q(db.handle());
        ok = q.exec(QStringLiteral("VACUUM INTO ") + sql::quoted(temp));
        if (!ok && error)
            *error = q.lastError().text();
    }
    if (!ok) {
        QFile::remove(temp);
        return false;
    }
    // rename(2) replaces the target in one step.
    if (std::rename(QFile::encodeName(temp).constData(), QFile::encodeName(target.absoluteFilePath()).constData())
        != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temp);
        return false;
    }
    return true;
}

} // namespace store
