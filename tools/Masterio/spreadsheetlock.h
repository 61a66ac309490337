#pragma once

#include <QString>
#include <QStringList>

namespace masterio {

// The lock files a spreadsheet program keeps beside a workbook it has open:
// Excel's owner file "~$NAME", LibreOffice's ".~lock.NAME#".
QStringList spreadsheetLockFiles(const QString &workbookPath);

// True while one of those lock files exists: the workbook is open in a
// spreadsheet program, which may hold changes not yet saved or save over
// what is written now.
bool isOpenInSpreadsheet(const QString &workbookPath);

} // namespace masterio
