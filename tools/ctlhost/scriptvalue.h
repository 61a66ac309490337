#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

namespace ctlhost {

// Splits a script line into words; "double quoted" words may hold blanks, a
// doubled quote inside stands for one quote.  False for an unterminated quote.
bool splitWords(const QString &line, QStringList *words);

// A script word as an automation value:
//   42, -1           16-bit (or 32-bit when larger) integers
//   1.5              a float
//   true / false     16-bit Booleans (-1 / 0)
//   "text"           a text (quotes already removed by splitWords: see quoted)
//   empty            the empty variant
//   date:2026-12-08T08:30:00 or date:2026-12-08   an automation date
//   &H80000005 / 0x80000005   a 32-bit colour or mask
QVariant parseValue(const QString &word, bool quoted);

} // namespace ctlhost
