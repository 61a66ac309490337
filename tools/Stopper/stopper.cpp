#include "tools/Stopper/stopper.h"

#include "platform/commandchannel.h"

namespace stopper {

Outcome run(const std::function<void(const QString &)> &show)
{
    const QString application = QStringLiteral("schedule");
    const QString topic = QStringLiteral("frmCal");
    if (!platform::channel::isServing(application, topic)) {
        show(NotRunningMessage);
        return Outcome::NotRunning;
    }
    if (!platform::channel::poke(application, topic, QStringLiteral("txtDDE"), QStringLiteral("999"))) {
        show(FailedMessage);
        return Outcome::Failed;
    }
    return Outcome::Stopped;
}

} // namespace stopper
