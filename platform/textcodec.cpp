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
    // Line by line: a file whose broken lines are no more than its good
    // lines of non-ASCII UTF-8 is a UTF-8 file with a few damaged bytes (a
    // CP932 file has hardly any line that reads as UTF-8 with non-ASCII
    // characters); only other files are taken as CP932.
    const QList<QByteArray> lines = bytes.split('\n');
    int goodNonAscii = 0;
    QList<int> broken;
    for (int i = 0; i < lines.size(); ++i) {
        const QByteArray &line = lines.at(i);
        if (!isValidUtf8(line))
            broken << i + 1;
        else if (std::any_of(line.begin(), line.end(), [](char c) { return (c & 0x80) != 0; }))
            ++goodNonAscii;
    }
    if (goodNonAscii > 0 && broken.size() <= goodNonAscii) {
        out.text = QString::fromUtf8(bytes); // broken bytes become U+FFFD
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
