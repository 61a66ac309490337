#include "platform/process.h"

#include "platform/clock.h"
#include "platform/programfolder.h"

#include <QProcess>

namespace platform {

QProcessEnvironment childEnvironment()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), programFolder());
    if (env.contains(QStringLiteral("SCH_CLOCK_START")))
        env.insert(QStringLiteral("SCH_CLOCK_START"),
                   clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    return env;
}

bool startProgram(const QString &name, const QStringList &arguments, qint64 *pid)
{
    QProcess process;
    process.setProgram(siblingProgram(name));
    process.setArguments(arguments);
    process.setProcessEnvironment(childEnvironment());
    process.setStandardInputFile(QProcess::nullDevice());
    return process.startDetached(pid);
}

} // namespace platform
