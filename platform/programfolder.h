#pragma once

#include <QString>

namespace platform {

// The program folder: the folder named by SCH_HOME when it is set, else the
// folder of the running executable.  Settings, database and logs live below it.
QString programFolder();

// The folder of the running executable (where sibling programs are found).
QString executableFolder();

// Path of a sibling program (for example "Notifier") beside this executable.
QString siblingProgram(const QString &name);

} // namespace platform
