#include "console/common/consolelink.h"

namespace console::link {

bool isRunning()
{
    return platform::channel::isPresent(Application, Topic);
}

bool requestEnd(int answerTimeoutMs)
{
    return platform::channel::poke(Application, Topic, Item, EndCommand, nullptr, answerTimeoutMs);
}

bool activate(int answerTimeoutMs)
{
    return platform::channel::activate(Application, Topic, nullptr, answerTimeoutMs);
}

} // namespace console::link
