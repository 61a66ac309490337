#include "tools/Starter/starter.h"

#include "platform/commandchannel.h"
#include "platform/process.h"

namespace starter {

Outcome run(const QStringList &arguments)
{
    const QString application = QStringLiteral("Planboard");
    const QString topic = QStringLiteral("frmCal");
    const bool end = arguments.join(QLatin1Char(' ')).trimmed() == QLatin1String("999");
    if (end) {
        if (!platform::channel::isServing(application, topic))
            return Outcome::NotRunning;
        return platform::channel::poke(application, topic, QStringLiteral("DDELabel"), QStringLiteral("999"))
            ? Outcome::Ended
            : Outcome::Failed;
    }
    if (platform::channel::isServing(application, topic))
        return platform::channel::activate(application, topic) ? Outcome::Activated : Outcome::Failed;
    return platform::startProgram(application) ? Outcome::Started : Outcome::Failed;
}

} // namespace starter
