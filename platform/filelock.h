#pragma once

#include <QString>

namespace platform {

// An exclusive advisory lock (flock) on "<path>.lock", held for the object's
// lifetime.  Several programs writing the same settings file take it around
// their read-modify-write so that no write is lost.
class FileLock
{
public:
    explicit FileLock(const QString &path, int timeoutMs = 5000);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace platform
