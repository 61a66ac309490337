#include "platform/atomicfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool fail(QString *error, int e)
{
    if (error)
        *error = QString::fromLocal8Bit(std::strerror(e));
    return false;
}

// Writes all bytes; a short write is retried, so only a real error (a full
// disk, a file size limit) ends it early.
bool writeAll(int fd, const QByteArray &bytes, int *errorNumber)
{
    const char *data = bytes.constData();
    size_t left = size_t(bytes.size());
    while (left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            *errorNumber = errno;
            return false;
        }
        if (n == 0) {
            *errorNumber = ENOSPC;
            return false;
        }
        data += n;
        left -= size_t(n);
    }
    return true;
}

} // namespace

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    // Plain POSIX calls, with every result checked: a short or failed write
    // must never be committed (a truncated settings file loses every key).
    const QFileInfo info(path);
    const QByteArray target = QFile::encodeName(info.absoluteFilePath());
    QByteArray pattern = QFile::encodeName(info.absolutePath() + QLatin1Char('/') + QLatin1Char('.')
                                           + info.fileName() + QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (fd < 0)
        return fail(error, errno);

    // Keep the permissions of the file being replaced (new files: 0644).
    struct stat old {};
    const mode_t mode = ::stat(target.constData(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd, mode);

    int e = 0;
    bool ok = writeAll(fd, bytes, &e);
    if (ok && ::fsync(fd) != 0) {
        e = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        e = errno;
        ok = false;
    }
    if (ok && ::rename(pattern.constData(), target.constData()) != 0) {
        e = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(pattern.constData());
        return fail(error, e);
    }
    return true;
}

bool appendToFile(const QString &path, const QByteArray &bytes, QString *error, int *errorNumber)
{
    const QByteArray native = QFile::encodeName(path);
    // Non-blocking open and a type check: a pipe in place of a log file
    // would otherwise hold the program until someone reads it.
    int fd;
    do {
        fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK | O_NOCTTY, 0644);
    } while (fd < 0 && errno == EINTR);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
        ::close(fd);
        fd = -1;
        errno = EINVAL;
    }
    if (fd >= 0)
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (fd < 0) {
        const int e = errno;
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(e));
        if (errorNumber)
            *errorNumber = e;
        return false;
    }
    ssize_t written;
    do {
        written = ::write(fd, bytes.constData(), size_t(bytes.size()));
    } while (written < 0 && errno == EINTR);
    const int writeErrno = errno;
    const int closed = ::close(fd);
    const int closeErrno = errno;
    int e = 0;
    if (written < 0)
        e = writeErrno;
    else if (written != bytes.size())
        e = ENOSPC;
    else if (closed != 0)
        e = closeErrno; // a network file system may report a failed write only here
    if (e != 0) {
        if (error)
            *error = QString::fromLocal8Bit(std::strerror(e));
        if (errorNumber)
            *errorNumber = e;
        return false;
    }
    return true;
}

} // namespace platform
