#pragma once

#include <QString>

#include <memory>

class QLockFile;

namespace platform {

// "Another instance is already running": a lock per program and program
// folder, held for the object's lifetime.  A lock left behind by a program
// that died is taken over.
class SingleInstance
{
public:
    explicit SingleInstance(const QString &program);
    ~SingleInstance();
    SingleInstance(const SingleInstance &) = delete;
    SingleInstance &operator=(const SingleInstance &) = delete;

    // True when this process holds the lock (no other instance runs).
    bool isFirst() const { return m_first; }
    QString lockPath() const { return m_path; }
    // The lock file of a program for the present program folder.
    static QString lockPathFor(const QString &program);

private:
    QString m_path;
    std::unique_ptr<QLockFile> m_lock;
    bool m_first = false;
};

} // namespace platform
