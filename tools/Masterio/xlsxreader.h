#pragma once

#include "tools/Masterio/xlsxsheet.h"
#include "tools/Masterio/ziparchive.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace masterio {

// Reads the cell values of an .xlsx workbook as Excel or LibreOffice (or any
// other writer) saves it: the package is opened with libzip, its parts are
// read with Qt's XML reader.  Formulas give their last computed value; rich
// text gives its plain text, without phonetic guides (furigana).
class XlsxReader
{
public:
    // False (and *error) when the file is missing or no workbook.
    bool open(const QString &path, QString *error);

    // The worksheets in workbook order.
    QStringList sheetNames() const;
    // The name as the workbook spells it of a sheet named without regard to
    // case (sheet names compare that way in a spreadsheet); empty when none.
    QString findSheet(const QString &name) const;

    // The package part of a sheet named without regard to case ("xl/worksheets/sheet1.xml"); empty when none.
    QString sheetPart(const QString &name) const;
    // The package part of the workbook ("xl/workbook.xml").
    QString workbookPart() const { return m_workbookPart; }

    // Reads all cells of a sheet.  False (and *error) when there is no such
    // sheet or its part cannot be read.
    bool readSheet(const QString &name, XlsxSheet *sheet, QString *error);

private:
    struct SheetEntry
    {
        QString name;
        QString part;
    };
    bool loadSharedStrings(QString *error);

    ZipArchive m_zip;
    QString m_workbookPart;
    QList<SheetEntry> m_sheets;
    QString m_sharedStringsPart;
    QStringList m_sharedStrings;
    bool m_sharedStringsLoaded = false;
};

} // namespace masterio
