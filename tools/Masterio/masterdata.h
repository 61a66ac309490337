#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The group and device masters as the workbook carries them.
namespace masterio {

inline const QString GroupSheet = QStringLiteral("GroupMaster");
inline const QString DeviceSheet = QStringLiteral("KikiMaster");
// Row 1 of each sheet; data starts in row 2.
inline const QStringList GroupHeadings = {QStringLiteral("GPno"), QStringLiteral("GPName"), QStringLiteral("Yukoflg")};
inline const QStringList DeviceHeadings = {QStringLiteral("Tag"), QStringLiteral("KikiName"),
                                           QStringLiteral("StartValue"), QStringLiteral("EndValue")};

struct GroupRecord
{
    int row = 0; // the workbook row it came from (0: not from a workbook)
    int gpno = 0;
    QString name;
    bool valid = true;
};

struct DeviceRecord
{
    int row = 0;
    QString tag;
    QString kikiName; // null: no name
    double startValue = 1;
    double endValue = 0;
};

struct MasterData
{
    QList<GroupRecord> groups;
    QList<DeviceRecord> devices;
};

// One worksheet to write: its name and its rows from row 1, each a list of
// cells (QString text, double number, bool Boolean; an invalid variant leaves
// the cell empty).
struct SheetContent
{
    QString name;
    QList<QVariantList> rows;
};

// The two sheets of the masters: headings in row 1, one row per record.
QList<SheetContent> masterSheets(const MasterData &data);

// A failure with the number and the description the messages show.
struct Failure
{
    // Numbers of the failures found by the tool itself, in the numbering the
    // spreadsheet application and the database engine use for them.
    static constexpr int SheetMissing = 9;      // no sheet of that name
    static constexpr int BadCell = 13;          // a cell of the wrong kind
    static constexpr int FileNotFound = 53;     // no file at the path
    static constexpr int WorkbookError = 1004;  // the workbook cannot be read or written
    static constexpr int DuplicateKey = 3022;   // a key given twice

    int number = 0;
    QString description;
};

} // namespace masterio
