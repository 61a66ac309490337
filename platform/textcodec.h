#pragma once

#include <QByteArray>
#include <QString>

// The text files shared with earlier installations are written in the Japanese
// ANSI code page CP932 (Shift-JIS).  Readers accept valid UTF-8 too.
namespace platform {

// CP932 bytes of a text.  Characters CP932 cannot hold become '?'.
QByteArray toCp932(const QString &text);
// Text of CP932 bytes; undecodable bytes become U+FFFD.
QString fromCp932(const QByteArray &bytes);
// Valid UTF-8 is read as UTF-8 (a leading byte-order mark dropped), anything else as CP932.
QString decodeText(const QByteArray &bytes);
bool isValidUtf8(const QByteArray &bytes);

} // namespace platform
