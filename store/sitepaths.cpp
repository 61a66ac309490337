#include "store/sitepaths.h"

#include "platform/programfolder.h"

#include <QDir>
#include <QFileInfo>

namespace store::paths {

QString inProgramFolder(const char *relative, const QString &programFolder)
{
    const QString folder = programFolder.isEmpty() ? platform::programFolder() : programFolder;
    return QDir(folder).filePath(QString::fromLatin1(relative));
}

QString databasePath(const QString &programFolder) { return inProgramFolder(Database, programFolder); }
QString backupPath(const QString &programFolder) { return inProgramFolder(Backup, programFolder); }
QString dayInfoPath(const QString &programFolder) { return inProgramFolder(DayInfo, programFolder); }
QString passwordPath(const QString &programFolder) { return inProgramFolder(Password, programFolder); }
QString settingsPath(const QString &programFolder) { return inProgramFolder(Settings, programFolder); }
QString traceFolder(const QString &programFolder) { return inProgramFolder(TraceFolder, programFolder); }

QString databaseFolderOf(const QString &databasePath)
{
    return QFileInfo(QDir::cleanPath(databasePath)).absolutePath();
}

QString dayInfoPathIn(const QString &databaseFolder)
{
    return QDir(databaseFolder).filePath(QFileInfo(QString::fromLatin1(DayInfo)).fileName());
}

QString passwordPathIn(const QString &databaseFolder)
{
    return QDir(databaseFolder).filePath(QFileInfo(QString::fromLatin1(Password)).fileName());
}

QString sharedSettingsPathFor(const QString &databasePath)
{
    // The folders need not exist here (a server share not yet mounted).
    const QString parent = QFileInfo(databaseFolderOf(databasePath)).absolutePath();
    return QDir::cleanPath(parent + QLatin1Char('/') + QString::fromLatin1(Settings));
}

} // namespace store::paths
