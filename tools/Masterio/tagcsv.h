#pragma once

#include "tools/Masterio/masterdata.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariantList>

namespace masterio {

// One column of M_TAG that a field of the CSV master list fills.
struct TagColumn
{
    enum class Kind {
        Text,    // stored as given
        Number,  // must read as a decimal number
        Pattern, // a display pattern "X", "X.0" .. "X.0000" stored as "0", "0.0" ..
    };
    QString name;
    Kind kind;
    QString whenEmpty; // the value of an empty field
};

// The columns of fields 2..25, in field order.
const QList<TagColumn> &tagColumns();

// Fields per record of the master list and the first field of its heading record.
inline constexpr int TagCsvFields = 26;
inline const QString TagCsvHeading = QStringLiteral("TAG_ID");

// One record of the master list: the tag (field 1) and the column values of
// fields 2..25 with the empty-field rules applied (QString for text and
// pattern columns, double for number columns).
struct TagRecord
{
    int line = 0; // the line of the file where the record starts
    QString tag;
    QVariantList values;
};

// Records of comma-separated text: fields may be quoted ("a, b", "say ""hi"""),
// blanks around unquoted fields are dropped, empty lines are skipped.
// lines (optional) gets the line each record starts on.
QList<QStringList> parseCsv(const QString &text, QList<int> *lines = nullptr);

// "X" → "0", "X.0" → "0.0", "X.00" → "0.00", "X.000" → "0.000",
// "X.0000" → "0.0000"; anything else, an empty field included, → "0".
QString displayPattern(const QString &field);

// Reads the master list (CP932 or UTF-8): every record but the heading, with
// the column rules.  A record without its 26 fields, without a tag, or with
// a number column that is no number fails naming the line and the column.
bool readTagCsv(const QString &path, QList<TagRecord> *records, Failure *failure);

} // namespace masterio
