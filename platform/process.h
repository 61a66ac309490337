#pragma once

#include <QProcessEnvironment>
#include <QStringList>

namespace platform {

// The environment a started program gets: this one, with SCH_HOME naming this
// program's program folder and, when this program's clock was moved with
// SCH_CLOCK_START, the child's clock started at this program's present time.
QProcessEnvironment childEnvironment();

// Starts a sibling program (found beside this executable) detached, with
// arguments, in the child environment.  Returns false when it could not start.
bool startProgram(const QString &name, const QStringList &arguments = {}, qint64 *pid = nullptr);

} // namespace platform
