#include "tools/Starter/starter.h"

#include "console/common/consolelink.h"
#include "platform/process.h"

namespace starter {

Outcome run(const QStringList &arguments, int answerTimeoutMs)
{
    // A console whose link takes the connection is running, busy or not: it
    // gets the time it needs to answer.
    const bool end = arguments.join(QLatin1Char(' ')).trimmed() == console::link::EndCommand;
    if (end) {
        if (!console::link::isRunning())
            return Outcome::NotRunning;
        return console::link::requestEnd(answerTimeoutMs) ? Outcome::Ended : Outcome::Failed;
    }
    if (console::link::isRunning())
        return console::link::activate(answerTimeoutMs) ? Outcome::Activated : Outcome::Failed;
    return platform::startProgram(QStringLiteral("Planboard")) ? Outcome::Started : Outcome::Failed;
}

} // namespace starter
