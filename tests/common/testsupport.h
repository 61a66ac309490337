#pragma once

#include <QByteArray>
#include <QString>

// Small helpers shared by the test executables.
namespace testsupport {

// Folder of the built programs (bin/), from SCH_BIN_DIR or beside the test binary.
QString binDir();
// The source tree and the shared data folder beside it.
QString sourceDir();
QString sharedDir();

QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

} // namespace testsupport
