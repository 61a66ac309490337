#pragma once

#include <QString>

namespace store {

class Database;

// The number of the group of that name when the group is valid (YukoFlg
// True), else 0: no such group, an invalid group, or a database that cannot
// be read.  Names compare without regard to case.  Uses an open connection
// (the console's).
int GetGroupNo(Database &db, const QString &groupName);

// The same on its own connection, opened for this one look-up and closed
// again (the runner's way).
int GetGroupNo(const QString &databasePath, const QString &groupName);

} // namespace store
