#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Writes a whole file through a temporary file in the same folder that is
// flushed and then renamed over the target, so that a failed or interrupted
// write leaves the previous file as it was.  Returns false on any failure.
bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error = nullptr);

// Appends bytes to a file with one write call, creating the file when missing,
// so that appends of several processes never interleave inside a record.
// errorNumber receives the system's error number (errno) of a failure.
bool appendToFile(const QString &path, const QByteArray &bytes, QString *error = nullptr, int *errorNumber = nullptr);

} // namespace platform
