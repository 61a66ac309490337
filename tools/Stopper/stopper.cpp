#include "tools/Stopper/stopper.h"

#include "platform/commandchannel.h"

namespace stopper {

Outcome run(const std::function<void(const QString &)> &show, int answerTimeoutMs)
{
    const QString application = QStringLiteral("schedule");
    const QString topic = QStringLiteral("frmCal");
    // A channel that takes the connection belongs to a running runner, busy
    // or not: only a channel that is not there means it has stopped.
    if (!platform::channel::isPresent(application, topic)) {
        show(NotRunningMessage);
        return Outcome::NotRunning;
    }
    if (!platform::channel::poke(application, topic, QStringLiteral("txtDDE"), QStringLiteral("999"), nullptr,
                                 answerTimeoutMs)) {
        show(FailedMessage);
        return Outcome::Failed;
    }
    return Outcome::Stopped;
}

} // namespace stopper
