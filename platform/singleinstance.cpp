#include "platform/singleinstance.h"

#include "platform/programfolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLockFile>

namespace platform {

QString SingleInstance::lockPathFor(const QString &program)
{
    const QByteArray folder = QDir(programFolder()).absolutePath().toUtf8();
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(10));
    return QDir::tempPath() + QStringLiteral("/sch-%1-%2.lock").arg(hash, program.toLower());
}

SingleInstance::SingleInstance(const QString &program)
{
    m_path = lockPathFor(program);
    m_lock = std::make_unique<QLockFile>(m_path);
    // Never stale by age: only a lock whose process is gone is taken over.
    m_lock->setStaleLockTime(0);
    m_first = m_lock->tryLock(0);
}

SingleInstance::~SingleInstance() = default;

} // namespace platform
