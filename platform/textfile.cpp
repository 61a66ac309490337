#include "platform/textfile.h"

#include "platform/textcodec.h"

#include <QFile>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

struct Problems {
    std::mutex mutex;
    FileProblemHandler handler;
    QHash<QString, QSet<QString>> reported; // path → messages reported while the problem lasts
};

Problems &problems()
{
    static Problems p;
    return p;
}

void report(const QString &path, const QString &message)
{
    FileProblemHandler handler;
    {
        Problems &p = problems();
        std::lock_guard lock(p.mutex);
        QSet<QString> &seen = p.reported[path];
        if (seen.contains(message) || !p.handler)
            return;
        seen.insert(message);
        handler = p.handler;
    }
    handler(message, path);
}

void readCleanly(const QString &path)
{
    Problems &p = problems();
    std::lock_guard lock(p.mutex);
    p.reported.remove(path);
}

QString systemError(int e)
{
    return QString::fromLocal8Bit(std::strerror(e));
}

} // namespace

void setFileProblemHandler(FileProblemHandler handler)
{
    Problems &p = problems();
    std::lock_guard lock(p.mutex);
    p.handler = std::move(handler);
    p.reported.clear();
}

namespace {

// The bytes of a regular file, at most `limit` of them (all when negative);
// a success clears no earlier report (the caller decides whether the file
// read cleanly).
ReadStatus readBytes(const QString &path, QByteArray *bytes, QString *error, qsizetype limit = -1)
{
    bytes->clear();
    auto fail = [&](ReadStatus status, const QString &why) {
        if (error)
            *error = why;
        report(path, why);
        return status;
    };
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking, so that opening a pipe without a writer returns at once;
    // the type is then checked on the open file itself.
    int fd;
    do {
        fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        if (errno == ENOENT) {
            readCleanly(path);
            return ReadStatus::Missing;
        }
        return fail(ReadStatus::Failed, QStringLiteral("ファイルを開けません: %1").arg(systemError(errno)));
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return fail(ReadStatus::NotRegular, QStringLiteral("通常のファイルではないため読みません。"));
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QByteArray data;
    data.reserve(limit < 0 ? qsizetype(st.st_size) : qMin(limit, qsizetype(st.st_size)));
    char buffer[65536];
    while (limit < 0 || data.size() < limit) {
        const size_t wanted = limit < 0 ? sizeof buffer : qMin(sizeof buffer, size_t(limit - data.size()));
        const ssize_t n = ::read(fd, buffer, wanted);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int e = errno;
            ::close(fd);
            return fail(ReadStatus::Failed, QStringLiteral("ファイルを読めません: %1").arg(systemError(e)));
        }
        if (n == 0)
            break;
        data.append(buffer, qsizetype(n));
    }
    ::close(fd);
    *bytes = data;
    return ReadStatus::Read;
}

} // namespace

ReadStatus readFileBytes(const QString &path, QByteArray *bytes, QString *error)
{
    const ReadStatus status = readBytes(path, bytes, error);
    if (status == ReadStatus::Read)
        readCleanly(path);
    return status;
}

ReadStatus readFileStart(const QString &path, qsizetype count, QByteArray *bytes, QString *error)
{
    const ReadStatus status = readBytes(path, bytes, error, qMax<qsizetype>(0, count));
    if (status == ReadStatus::Read)
        readCleanly(path);
    return status;
}

ReadStatus readTextFile(const QString &path, QString *text, QString *error)
{
    text->clear();
    QByteArray bytes;
    const ReadStatus status = readBytes(path, &bytes, error);
    if (status != ReadStatus::Read)
        return status;
    const DecodedText decoded = decodeTextLines(bytes);
    *text = decoded.text;
    if (decoded.brokenLines.isEmpty()) {
        readCleanly(path);
    } else {
        QStringList numbers;
        for (int n : decoded.brokenLines)
            numbers << QString::number(n);
        report(path, QStringLiteral("UTF-8 として読めない行があります (%1 行目)。その行の文字は正しくありません。")
                         .arg(numbers.join(QStringLiteral(", "))));
    }
    return ReadStatus::Read;
}

} // namespace platform
