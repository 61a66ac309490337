#pragma once

#include <QByteArray>
#include <QString>

// Small helpers shared by the test executables.
namespace testsupport {

// Sets SCH_BIN_DIR, SCH_SOURCE_DIR and SCH_SHARED_DIR to this build's folders
// when they are not set (ctest passes on only the first variable of a test's
// environment list), so that tests and the programs they start agree.
void setDefaultEnvironment();

// Folder of the built programs (bin/), from SCH_BIN_DIR or beside the test binary.
QString binDir();
// The source tree and the shared data folder beside it.
QString sourceDir();
QString sharedDir();

QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

} // namespace testsupport
