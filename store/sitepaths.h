#pragma once

#include <QString>

// The canonical names of the files of a site, all relative to the program
// folder, and the paths derived from them.  Other code never spells these
// names itself.
namespace store::paths {

inline constexpr char DatabaseFolder[] = "SC_DataBase";
inline constexpr char Database[] = "SC_DataBase/Sch.accdb";
inline constexpr char Backup[] = "SC_DataBase/Sch_BackUp.accdb";
inline constexpr char DayInfo[] = "SC_DataBase/dayinfor.csv";
inline constexpr char Password[] = "SC_DataBase/schedule.txt";
inline constexpr char Settings[] = "Sch.ini";
inline constexpr char TraceFolder[] = "SHLOG";

// "<folder>/<relative>"; folder defaults to platform::programFolder().
QString inProgramFolder(const char *relative, const QString &programFolder = QString());

QString databasePath(const QString &programFolder = QString());
QString backupPath(const QString &programFolder = QString());
QString dayInfoPath(const QString &programFolder = QString());
QString passwordPath(const QString &programFolder = QString());
QString settingsPath(const QString &programFolder = QString());
QString traceFolder(const QString &programFolder = QString());

// The folder that holds a database file (the path "without its last 10
// characters").
QString databaseFolderOf(const QString &databasePath);

// The special-day file and the password file beside a database, in its
// folder (on a client working on the server's database, the server's).
QString dayInfoPathIn(const QString &databaseFolder);
QString passwordPathIn(const QString &databaseFolder);

// The Sch.ini in the parent folder of the database folder: the file whose
// MENTE flags all consoles and the runner of that database share.
QString sharedSettingsPathFor(const QString &databasePath);

} // namespace store::paths
