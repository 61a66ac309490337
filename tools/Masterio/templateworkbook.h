#pragma once

#include "tools/Masterio/masterdata.h"

namespace masterio {

// Writes a copy of a template workbook in which the given sheets hold the
// given rows: row 1 stays the template's own (its headings and their look)
// when it has one, else it gets the content's row 1; every later row is
// replaced by the content's rows.  Everything else of the template (other
// sheets, styles, column widths, names) is kept as it is.  The template's
// calculation chain is dropped (the spreadsheet rebuilds it), because it
// would name formulas of the replaced rows.  False (and *error) when the
// template is no workbook or lacks one of the sheets.
bool fillTemplate(const QString &templatePath, const QString &outputPath, const QList<SheetContent> &sheets,
                  QString *error);

// The <sheetData> element of a worksheet part with the given rows, the
// element prefix of the part kept ("x:" or none).  templateRow1 is the
// template's own first <row> element, or empty.  Exposed for the tests.
QString sheetDataXml(const QList<QVariantList> &rows, const QString &prefix, const QString &templateRow1);

} // namespace masterio
