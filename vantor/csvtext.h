#pragma once

#include <QString>
#include <QStringList>

// Reading the product's CSV files (tags.csv, modbus.csv) and quoting their
// text in messages.
namespace vantor::csvtext {

// The lines of a text, whatever its line ends: CR LF, LF or CR alone.
QStringList lines(const QString &text);

// Splits one CSV line into trimmed fields; quoted fields may hold commas and
// doubled quotes and keep their blanks.  False for an unterminated quote.
bool fields(const QString &line, QStringList *fields);

// A file's text for a message: in double quotes, with control characters,
// quotes and backslashes escaped (\r, \n, \t, \", \\, \xNN), so that a
// stray CR or NUL never garbles the message; cut after `maxChars` characters.
QString quoted(const QString &text, int maxChars = 80);

} // namespace vantor::csvtext
