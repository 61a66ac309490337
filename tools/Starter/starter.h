#pragma once

#include "platform/commandchannel.h"

#include <QStringList>

// Starter's one job: bring the console of this program folder forward, or
// start Planboard beside this program when none runs; with the argument
// "999", tell the running console to end.  Starter shows nothing.
namespace starter {

enum class Outcome { Activated, Started, Ended, NotRunning, Failed };

// arguments: the command line after the program name; answerTimeoutMs: how
// long a running console may take to answer.
Outcome run(const QStringList &arguments, int answerTimeoutMs = platform::channel::BusyAnswerTimeoutMs);

} // namespace starter
