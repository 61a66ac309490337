#include "testsupport.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QThread>

namespace testsupport {

void setDefaultEnvironment()
{
    const std::pair<const char *, const char *> defaults[] = {
        {"SCH_BIN_DIR", SCH_TEST_BIN_DIR},
        {"SCH_SOURCE_DIR", SCH_TEST_SOURCE_DIR},
        {"SCH_SHARED_DIR", SCH_TEST_SHARED_DIR},
    };
    for (const auto &[name, value] : defaults) {
        if (qEnvironmentVariableIsEmpty(name))
            qputenv(name, value);
    }
}

QString binDir()
{
    const QString env = qEnvironmentVariable("SCH_BIN_DIR");
    if (!env.isEmpty())
        return env;
    return QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/../bin")).absolutePath();
}

QString sourceDir()
{
    const QString env = qEnvironmentVariable("SCH_SOURCE_DIR");
    return env.isEmpty() ? QDir::currentPath() : env;
}

QString sharedDir()
{
    const QString env = qEnvironmentVariable("SCH_SHARED_DIR");
    return env.isEmpty() ? sourceDir() + QStringLiteral("/../shared") : env;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(bytes) == bytes.size();
}

bool waitUntil(const std::function<bool()> &pred, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!pred()) {
        if (deadline.hasExpired())
            return pred();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
    return true;
}

} // namespace testsupport
