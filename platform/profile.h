#pragma once

#include <QList>
#include <QString>

#include <functional>

// Private-profile (ini) files: one key read or written per call, the file
// opened and closed around every access, so that a value written by one
// program is seen by the next read of any other.
namespace platform::profile {

// Reads a key.  Section and key names match without regard to case; the value
// is trimmed (surrounding double quotes dropped) and cut to 127 characters; a
// missing file, section or key reads as an empty text.  Files are read as
// UTF-8 when valid, else as CP932.
QString readString(const QString &path, const QString &section, const QString &key);

// Writes a key.  Creates the file, the section or the key when missing and
// keeps every other line and comment.  The write is a locked read-modify-write
// that replaces the file atomically, so two programs writing at once lose
// neither write and a crash never leaves a truncated file.  The file is
// written in CP932 with CR LF line ends; a line break inside the value becomes
// a blank.  Returns false when it could not write.
bool writeString(const QString &path, const QString &section, const QString &key, const QString &value);

// One key to write.
struct Entry {
    QString section;
    QString key;
    QString value;
};

// Writes several keys in one locked read-modify-write (one replacement of the file).
bool writeStrings(const QString &path, const QList<Entry> &entries);

enum class WriteResult { Written, Refused, Failed };

// A test-and-set under the file's lock: reads section/key; when refuse(value)
// is true nothing is written and the result is Refused, else the entries are
// written.  Two programs doing this at once never both succeed.
WriteResult writeStringsUnless(const QString &path, const QString &section, const QString &key,
                               const std::function<bool(const QString &)> &refuse, const QList<Entry> &entries);

// Largest number of characters a read returns (a 128-character buffer less its terminator).
inline constexpr int MaxValueLength = 127;

} // namespace platform::profile
