#pragma once

#include <QString>
#include <QStringList>

// The second copy of the database (DB2 NAME, "二重化"), taken by the runner at
// the day change and by the console when it closes.  The path comes from a
// settings file an operator types into, so the copy is careful about what it
// replaces:
//  - folders are never created: a folder that does not exist (a share that is
//    not mounted) skips the copy;
//  - a file of the site itself (the database, its backup, Sch.ini,
//    dayinfor.csv, schedule.txt) is never replaced, whatever the path or link
//    that names it;
//  - only a missing file or a regular file that is itself an SQLite database
//    is replaced; anything else (a text file, a folder, a pipe) is left alone.
// A skipped copy writes one trace entry that names the path.
namespace store::secondcopy {

enum class Outcome { Copied, Skipped, Failed };

// The files of a site that no second copy replaces: the database in use and
// the program folder's backup, special-day file, password file, and the local
// and shared Sch.ini.
QStringList siteFiles(const QString &programFolder, const QString &databasePath);

// Why `target` may not be replaced by a copy of the database; empty when it may.
QString refusal(const QString &target, const QStringList &siteFiles);

// Copies the database to `target` (a consistent copy that replaces the target
// only when complete, see backup.h).  Skipped (with its trace entry, `index`
// as the trace index) when refusal() says so; Failed when the copy itself
// failed.  *why holds the reason of both.
Outcome copyDatabase(const QString &databasePath, const QString &target, const QStringList &siteFiles,
                     qint16 index, QString *why = nullptr);

// Copies a file of the site (dayinfor.csv, schedule.txt) into the folder of
// `target` under its own name, replacing the file there atomically.  Skipped
// (with its trace entry) when that folder does not exist, when the file there
// is one of the site's own or is not a regular file.
Outcome copyBeside(const QString &file, const QString &target, const QStringList &siteFiles, qint16 index,
                   QString *why = nullptr);

} // namespace store::secondcopy
