#pragma once

#include <QString>

namespace store {

// Writes a consistent copy of a database to target (the daily backup, the
// second copy): the copy is made with VACUUM INTO into a temporary file in the
// target's folder, which then replaces the target in one rename.  A failed
// copy leaves the previous target as it was.  The target's folder is created
// when missing only with MissingFolder::Create (the local backup); the second
// copy never creates folders (see secondcopy.h).
enum class MissingFolder { Create, Fail };
bool backupDatabase(const QString &sourcePath, const QString &targetPath, QString *error = nullptr,
                    MissingFolder folder = MissingFolder::Create);

} // namespace store
