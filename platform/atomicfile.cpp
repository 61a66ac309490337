#include "platform/atomicfile.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

bool writeFileAtomically(const QString &path, const QByteArray &bytes, QString *error)
{
    QSaveFile file(path);
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

bool appendToFile(const QString &path, const QByteArray &bytes, QString *error, int *errorNumber)
{
    const QByteArray native = QFile::encodeName(path);
    int fd;
    do {
        fd = ::open(native.constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
    } while (fd < 0 && errno == EINTR);
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
