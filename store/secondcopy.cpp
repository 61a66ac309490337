#include "store/secondcopy.h"

#include "platform/atomicfile.h"
#include "platform/textfile.h"
#include "store/backup.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/sitepaths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace store::secondcopy {
namespace {

// A path with its folder resolved (links followed) where the folder exists,
// so that two spellings of one place compare equal.
QString placeOf(const QString &path)
{
    const QFileInfo info(QDir::cleanPath(path));
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}

// The file a path names when it exists (device and inode, links followed).
bool identity(const QString &path, dev_t *dev, ino_t *ino)
{
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return false;
    *dev = st.st_dev;
    *ino = st.st_ino;
    return true;
}

bool isSiteFile(const QString &target, const QStringList &siteFiles)
{
    const QString place = placeOf(target);
    dev_t dev = 0;
    ino_t ino = 0;
    const bool exists = identity(target, &dev, &ino);
    for (const QString &own : siteFiles) {
        if (placeOf(own) == place)
            return true;
        dev_t ownDev = 0;
        ino_t ownIno = 0;
        if (exists && identity(own, &ownDev, &ownIno) && ownDev == dev && ownIno == ino)
            return true;
    }
    return false;
}

// Refusals every destination shares: a full path, an existing folder, not one
// of the site's files, and, when something is there, a regular file.
QString placeRefusal(const QString &destination, const QStringList &siteFiles)
{
    if (!QDir::isAbsolutePath(destination))
        return QStringLiteral("二重化先が絶対パスではありません。二重化しませんでした。");
    if (!QFileInfo(QFileInfo(destination).absolutePath()).isDir())
        return QStringLiteral("二重化先のフォルダがありません。二重化しませんでした。");
    if (isSiteFile(destination, siteFiles))
        return QStringLiteral("二重化先がこのサイト自身のファイルです。二重化しませんでした。");
    struct stat st {};
    const QByteArray native = QFile::encodeName(destination);
    if (::lstat(native.constData(), &st) == 0 && (::stat(native.constData(), &st) != 0 || !S_ISREG(st.st_mode)))
        return QStringLiteral("二重化先が通常のファイルではありません。二重化しませんでした。");
    return {};
}

Outcome skip(const QString &reason, const QString &path, qint16 index, QString *why)
{
    WriteTraceLog(reason, path, index);
    if (why)
        *why = reason;
    return Outcome::Skipped;
}

} // namespace

QStringList siteFiles(const QString &programFolder, const QString &databasePath)
{
    return {databasePath,
            paths::databasePath(programFolder),
            paths::backupPath(programFolder),
            paths::dayInfoPath(programFolder),
            paths::passwordPath(programFolder),
            paths::settingsPath(programFolder),
            paths::sharedSettingsPathFor(databasePath),
            paths::dayInfoPathIn(paths::databaseFolderOf(databasePath)),
            paths::passwordPathIn(paths::databaseFolderOf(databasePath))};
}

QString refusal(const QString &target, const QStringList &siteFiles)
{
    const QString why = placeRefusal(target, siteFiles);
    if (!why.isEmpty())
        return why;
    if (QFileInfo::exists(target) && !Database::isSqliteFile(target))
        return QStringLiteral("二重化先がデータベースではありません。二重化しませんでした。");
    return {};
}

Outcome copyDatabase(const QString &databasePath, const QString &target, const QStringList &siteFiles, qint16 index,
                     QString *why)
{
    const QString refused = refusal(target, siteFiles);
    if (!refused.isEmpty())
        return skip(refused, target, index, why);
    return backupDatabase(databasePath, target, why, MissingFolder::Fail) ? Outcome::Copied : Outcome::Failed;
}

Outcome copyBeside(const QString &file, const QString &target, const QStringList &siteFiles, qint16 index,
                   QString *why)
{
    const QString destination =
        QDir::isAbsolutePath(target) ? QFileInfo(target).absoluteDir().filePath(QFileInfo(file).fileName()) : target;
    const QString refused = placeRefusal(destination, siteFiles);
    if (!refused.isEmpty())
        return skip(refused, destination, index, why);
    QByteArray bytes;
    if (platform::readFileBytes(file, &bytes) != platform::ReadStatus::Read) {
        if (why)
            *why = QStringLiteral("%1 を読めません。").arg(QDir::toNativeSeparators(file));
        return Outcome::Failed;
    }
    return platform::writeFileAtomically(destination, bytes, why) ? Outcome::Copied : Outcome::Failed;
}

} // namespace store::secondcopy
