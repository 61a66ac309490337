#pragma once

#include "tools/Masterio/tagcsv.h"

namespace masterio {

// The sibling reporting product's database below the program folder, an
// SQLite file holding the tag master M_TAG (schema: repbook.sql).
inline constexpr char RepbookRelativePath[] = "ER_Database/Repbook.mdb";
QString repbookPath(const QString &programFolder = QString());

// Writes the records into M_TAG in one transaction: a tag that is there gets
// its columns overwritten, a new one is added.  A missing file, a file that is
// no SQLite database, a missing M_TAG or a failing record fails with nothing
// changed and a message naming the file, the table or the line.
bool writeTagRecords(const QString &path, const QList<TagRecord> &records, Failure *failure);

} // namespace masterio
