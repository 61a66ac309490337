#pragma once

#include <QByteArray>
#include <QString>

namespace calendar {

class DayMemoStore;

// The day memo file ("dayinfor.csv" of the schedule system): one memo per
// line, CR LF, no header; fields date "yyyy/MM/dd", the text in double quotes
// (quotes doubled, commas and line breaks kept inside), the text colour as
// "0x" + lower-case hex or empty, and the back colour the same way, present
// only when the memo has one.  CP932 on disk; UTF-8 is accepted when read.
namespace daymemofile {

// The file's text, in the store's walking order.
QString format(const DayMemoStore &store);
// Replaces the store's memos by those of the text.  Lines whose date cannot be
// read are skipped.
void parse(const QString &text, DayMemoStore &store);

// Writes the memos through a temporary file that replaces the old one, so a
// failed save keeps the previous file; an empty table writes an empty file.
bool save(const DayMemoStore &store, const QString &fileName, QString *error = nullptr);
// False (memos unchanged) when the file cannot be read.
bool load(DayMemoStore &store, const QString &fileName, QString *error = nullptr);

} // namespace daymemofile
} // namespace calendar
