#pragma once

#include "platform/commandchannel.h"

#include <QString>

// The console Planboard's command link as the other programs reach it:
// Starter brings the console forward or ends it, a second Planboard brings
// the first forward.
namespace console::link {

// "Planboard|frmCal", item DDELabel: "999" ends the console (it clears the
// maintenance flag first).
inline const QString Application = QStringLiteral("Planboard");
inline const QString Topic = QStringLiteral("frmCal");
inline const QString Item = QStringLiteral("DDELabel");
inline const QString EndCommand = QStringLiteral("999");

// True while a console of this program folder runs, busy or not: its link
// takes the connection.
bool isRunning();

// Asks the running console to end; false when it refused or gave no answer
// within answerTimeoutMs.
bool requestEnd(int answerTimeoutMs = platform::channel::BusyAnswerTimeoutMs);

// Brings the running console forward; false as for requestEnd.
bool activate(int answerTimeoutMs = platform::channel::BusyAnswerTimeoutMs);

} // namespace console::link
