#include "tools/Stopper/stopper.h"

namespace stopper {

Outcome run(const std::function<void(const QString &)> &show, int answerTimeoutMs)
{
    if (!runner::link::isRunning()) {
        show(NotRunningMessage);
        return Outcome::NotRunning;
    }
    if (!runner::link::requestStop(answerTimeoutMs)) {
        show(FailedMessage);
        return Outcome::Failed;
    }
    return Outcome::Stopped;
}

} // namespace stopper
