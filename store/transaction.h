#pragma once

#include "store/database.h"

#include <QString>

namespace store {

// Runs `work` as one transaction of `db`: committed when work returns true,
// rolled back otherwise, so that its changes are stored whole or not at all.
// *error says why it failed: what work put there, else the engine's error.
template<typename Work>
bool inTransaction(Database &db, QString *error, Work &&work)
{
    error->clear();
    if (!db.transaction()) {
        *error = db.lastError().isEmpty() ? QStringLiteral("トランザクションを開始できません。") : db.lastError();
        return false;
    }
    if (work() && db.commit())
        return true;
    if (error->isEmpty())
        *error = db.lastError();
    db.rollback();
    return false;
}

} // namespace store
