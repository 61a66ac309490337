#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Helpers of the tools' tests.
namespace toolsupport {

// Rows of a query on an SQLite file, each as its values joined by '|'
// (null → "NULL", numbers in their shortest form: 22.5, 1).
QStringList rows(const QString &database, const QString &sql);

// Runs statements on an SQLite file; false when one fails.
bool exec(const QString &database, const QStringList &statements);

struct Run
{
    int exitCode = -1;
    QString out;
    QString err;
};

// Runs Debian's Python (not one found earlier on PATH) with a script.
Run python(const QString &script, const QStringList &arguments = {});

// Runs a program of bin/ with SCH_HOME set to home.
Run tool(const QString &program, const QStringList &arguments, const QString &home);

// A data file of this folder's data/ (copied from the shared test data).
QString dataFile(const QString &name);

} // namespace toolsupport
