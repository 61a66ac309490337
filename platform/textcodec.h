#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The text files shared with earlier installations are written in the Japanese
// ANSI code page CP932 (Shift-JIS).  Readers accept valid UTF-8 too.
namespace platform {

// CP932 bytes of a text.  Characters CP932 cannot hold become '?'.
QByteArray toCp932(const QString &text);
// Text of CP932 bytes; undecodable bytes become U+FFFD.
QString fromCp932(const QByteArray &bytes);
// Valid UTF-8 is read as UTF-8 (a leading byte-order mark dropped), and so
// is a UTF-8 text with a few broken lines; anything else as CP932 (see
// decodeTextLines()).
QString decodeText(const QByteArray &bytes);
bool isValidUtf8(const QByteArray &bytes);

// The text of bytes and how it was read: a text with at least two whole
// UTF-8 multi-byte characters for every byte that starts none is a UTF-8
// text with some damaged bytes (each becomes U+FFFD, brokenLines has their
// line numbers from 1); a CP932 text has a stray byte in nearly every
// Japanese character and hardly a run that reads as UTF-8, so other texts
// are read as CP932.
struct DecodedText
{
    QString text;
    bool utf8 = true;
    QList<int> brokenLines;
};
DecodedText decodeTextLines(const QByteArray &bytes);

} // namespace platform
