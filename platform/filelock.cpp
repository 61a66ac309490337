#include "platform/filelock.h"

#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <algorithm>
#include <atomic>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace platform {

namespace {
std::atomic<int> g_defaultTimeoutMs{5000};
}

void FileLock::setDefaultTimeout(int msecs)
{
    g_defaultTimeoutMs = std::max(0, msecs);
}

int FileLock::defaultTimeout()
{
    return g_defaultTimeoutMs;
}

FileLock::FileLock(const QString &path, int timeoutMs)
{
    if (timeoutMs < 0)
        timeoutMs = g_defaultTimeoutMs;
    const QByteArray lockPath = QFile::encodeName(path + QStringLiteral(".lock"));
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
            m_fd = fd;
            return;
        }
        if (timer.elapsed() >= timeoutMs)
            break;
        QThread::msleep(5);
    }
    ::close(fd);
}

FileLock::~FileLock()
{
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
}

} // namespace platform
