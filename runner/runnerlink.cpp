#include "runner/runnerlink.h"

#include "platform/commandchannel.h"

namespace runner::link {

bool isRunning()
{
    return platform::channel::isPresent(Application, Topic);
}

bool requestStop(int answerTimeoutMs)
{
    return platform::channel::poke(Application, Topic, Item, StopCommand, nullptr, answerTimeoutMs);
}

} // namespace runner::link
