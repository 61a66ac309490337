#pragma once

#include "tools/Masterio/masterdata.h"

namespace masterio {

// Writes a new .xlsx workbook holding the given sheets (libxlsxwriter).
// False (and *error) when the file cannot be written.
bool writeNewWorkbook(const QString &path, const QList<SheetContent> &sheets, QString *error);

} // namespace masterio
