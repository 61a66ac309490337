#include "platform/textcodec.h"

#include <QList>
#include <QStringDecoder>

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

QString decodeText(const QByteArray &bytes)
{
    QByteArray b = bytes;
    if (b.startsWith("\xEF\xBB\xBF"))
        b.remove(0, 3);
    if (isValidUtf8(b))
        return QString::fromUtf8(b);
    return fromCp932(b);
}

} // namespace platform
