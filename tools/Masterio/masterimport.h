#pragma once

#include "tools/Masterio/masterdata.h"

namespace store {
class Database;
}

namespace masterio {

class XlsxSheet;

// Reads the masters from the sheets "GroupMaster" and "KikiMaster" of a
// workbook: row 1 is the heading, data runs from row 2 to the row before the
// first one whose column 1 is empty.
//   GroupMaster: GPno (an integer 1..501), GPName, Yukoflg (a number: nonzero =
//   valid; a text TRUE/FALSE; anything else, an empty cell included, = valid).
//   KikiMaster: Tag, KikiName, StartValue (not a number: 1), EndValue (not a number: 0).
// A bad cell, a missing sheet, or a GPno, GPName, Tag or KikiName given twice
// fails naming the sheet and the row.
bool readMasterWorkbook(const QString &path, MasterData *data, Failure *failure);
bool readMasterSheets(const XlsxSheet &groups, const XlsxSheet &devices, MasterData *data, Failure *failure);

// Replaces GroupMaster and KikiMaster with the records in one transaction: on
// any failure both tables stay exactly as they were.  Other tables are not
// touched.
bool replaceMasters(store::Database &db, const MasterData &data, Failure *failure);

} // namespace masterio
