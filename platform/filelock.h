#pragma once

#include <QString>

namespace platform {

// An exclusive advisory lock (flock) on "<path>.lock", held for the object's
// lifetime.  Several programs writing the same settings file take it around
// their read-modify-write so that no write is lost.
class FileLock
{
public:
    // timeoutMs < 0: the process-wide default (5 seconds unless set).
    explicit FileLock(const QString &path, int timeoutMs = -1);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return m_fd >= 0; }

    // How long a lock is waited for by default (tests shorten it).
    static void setDefaultTimeout(int msecs);
    static int defaultTimeout();

private:
    int m_fd = -1;
};

} // namespace platform
