#include "platform/programfolder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace platform {

QString programFolder()
{
    const QString home = qEnvironmentVariable("SCH_HOME");
    if (!home.isEmpty())
        return QDir(home).absolutePath();
    return executableFolder();
}

QString executableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().section(QLatin1Char('/'), 0, -2);
}

QString siblingProgram(const QString &name)
{
    return executableFolder() + QLatin1Char('/') + name;
}

} // namespace platform
