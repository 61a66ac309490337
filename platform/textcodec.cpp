#include "platform/textcodec.h"

#include <QList>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace platform {
namespace {

// Converts with iconv, replacing what cannot be converted by `replacement`
// and going on, so that one odd character never loses a whole line.
QByteArray convert(const char *to, const char *from, const QByteArray &in, const QByteArray &replacement,
                   int unitSize)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return {};
    QByteArray out;
    out.reserve(in.size() * 2 + 16);
    char *inBuf = const_cast<char *>(in.constData());
    size_t inLeft = size_t(in.size());
    char buffer[4096];
    while (inLeft > 0) {
        char *outBuf = buffer;
        size_t outLeft = sizeof buffer;
        const size_t r = iconv(cd, &inBuf, &inLeft, &outBuf, &outLeft);
        out.append(buffer, int(sizeof buffer - outLeft));
        if (r == size_t(-1)) {
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL: skip one unit of input and put the replacement.
            out.append(replacement);
            const size_t skip = std::min<size_t>(size_t(unitSize), inLeft);
            inBuf += skip;
            inLeft -= skip;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
        }
    }
    char *outBuf = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd, nullptr, nullptr, &outBuf, &outLeft);
    out.append(buffer, int(sizeof buffer - outLeft));
    iconv_close(cd);
    return out;
}

// The length of the UTF-8 sequence at bytes[i]: 1 for ASCII, 2..4 for a
// whole well-formed character, 0 for a byte that starts none.
int utf8SequenceLength(const QByteArray &bytes, qsizetype i)
{
    const auto at = [&](qsizetype k) { return k < bytes.size() ? uchar(bytes.at(k)) : uchar(0); };
    const auto inRange = [](uchar b, uchar lo, uchar hi) { return b >= lo && b <= hi; };
    const uchar c = at(i);
    if (c < 0x80)
        return 1;
    if (inRange(c, 0xC2, 0xDF))
        return inRange(at(i + 1), 0x80, 0xBF) ? 2 : 0;
    if (inRange(c, 0xE0, 0xEF)) {
        const uchar lo = c == 0xE0 ? 0xA0 : 0x80;
        const uchar hi = c == 0xED ? 0x9F : 0xBF;
        return inRange(at(i + 1), lo, hi) && inRange(at(i + 2), 0x80, 0xBF) ? 3 : 0;
    }
    if (inRange(c, 0xF0, 0xF4)) {
        const uchar lo = c == 0xF0 ? 0x90 : 0x80;
        const uchar hi = c == 0xF4 ? 0x8F : 0xBF;
        return inRange(at(i + 1), lo, hi) && inRange(at(i + 2), 0x80, 0xBF) && inRange(at(i + 3), 0x80, 0xBF) ? 4 : 0;
    }
    return 0;
}

} // namespace

QByteArray toCp932(const QString &text)
{
    // Work on UTF-32 so that an unconvertible character is skipped whole.
    const QList<uint> ucs4 = text.toUcs4();
    QByteArray in(reinterpret_cast<const char *>(ucs4.constData()), ucs4.size() * 4);
    return convert("CP932", "UTF-32LE", in, QByteArrayLiteral("?"), 4);
}

QString fromCp932(const QByteArray &bytes)
{
    const QByteArray utf8 = convert("UTF-8", "CP932", bytes, QByteArrayLiteral("\xEF\xBF\xBD"), 1);
    return QString::fromUtf8(utf8);
}

bool isValidUtf8(const QByteArray &bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString s = decoder.decode(bytes);
    return !decoder.hasError();
}

DecodedText decodeTextLines(const QByteArray &input)
{
    QByteArray bytes = input;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    DecodedText out;
    if (isValidUtf8(bytes)) {
        out.text = QString::fromUtf8(bytes);
        return out;
    }
    // Counted byte by byte: a UTF-8 text with a few damaged bytes has many
    // whole multi-byte characters for each stray byte; a CP932 text has
    // hardly a byte run that reads as a UTF-8 character and a stray byte in
    // nearly every Japanese character.  Only the latter is taken as CP932.
    int characters = 0;
    int strays = 0;
    int line = 1;
    QList<int> broken;
    for (qsizetype i = 0; i < bytes.size();) {
        const int length = utf8SequenceLength(bytes, i);
        const uchar c = uchar(bytes.at(i));
        if (length > 1) {
            ++characters;
        } else if (length == 0) {
            ++strays;
            if (broken.isEmpty() || broken.last() != line)
                broken << line;
        } else if (c == '\n') {
            ++line;
        }
        i += std::max(length, 1);
    }
    if (characters > 0 && 2 * strays <= characters) {
        out.text = QString::fromUtf8(bytes); // damaged bytes become U+FFFD
        out.brokenLines = broken;
        return out;
    }
    out.utf8 = false;
    out.text = fromCp932(bytes);
    return out;
}

QString decodeText(const QByteArray &bytes)
{
    return decodeTextLines(bytes).text;
}

} // namespace platform
