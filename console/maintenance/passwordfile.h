#pragma once

#include <QString>

namespace console {

class ConsoleState;

// The operation password file "schedule.txt": one record of 20 bytes holding
// the password in CP932, left-aligned and padded with blanks.  A missing
// file means the empty password.
namespace passwordfile {

inline constexpr int RecordBytes = 20;

// The file a console reads and writes: in its database folder, which is the
// server's folder on a client working on the server's database, else the
// program folder's SC_DataBase.
QString pathFor(const ConsoleState &state);

// The stored password, trimmed; empty when the file is missing.  A file that
// is there but cannot be read (no permission, a pipe or a folder in its
// place) gives an empty text too, and *readable (when asked) false: then no
// entry may log on, since the password is unknown.
QString read(const QString &path, bool *readable = nullptr);

enum class WriteResult { Written, TooLong, NotRepresentable, Failed };

// Stores a password as the 20-byte record, replacing the file in one rename.
// A password that does not fit the record (more than 20 bytes in CP932) or
// that has characters CP932 cannot hold is refused and nothing is written.
WriteResult write(const QString &path, const QString &password, QString *error = nullptr);

// "パスワードは半角20文字（全角10文字）以内で入力してください。" and the like.
QString refusalMessage(WriteResult result);

} // namespace passwordfile
} // namespace console
