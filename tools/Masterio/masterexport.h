#pragma once

#include "tools/Masterio/masterdata.h"

namespace store {
class Database;
}

namespace masterio {

// GroupMaster by GPno and KikiMaster by TAG, as the export writes them.
bool readMasters(store::Database &db, MasterData *data, Failure *failure);

// Writes the masters into a workbook at path: into a copy of the template
// when templatePath names one, else into a new workbook.  The workbook is
// written beside the target first and then renamed over it, so a failure
// leaves an existing file as it was.
bool writeMasterWorkbook(const QString &path, const QString &templatePath, const MasterData &data, QString *error);

} // namespace masterio
