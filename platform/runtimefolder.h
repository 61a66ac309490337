#pragma once

#include <QString>

namespace platform {

// Gives the program a private runtime folder when the session has none
// (XDG_RUNTIME_DIR unset or unusable, as on a plain server or in a service):
// a folder of this user only (mode 0700) below the temporary folder, named
// in XDG_RUNTIME_DIR for this process and the programs it starts, so that
// Qt has no reason to warn about it.  Call first in main(), before the
// application object exists.  Returns the folder in use (empty when none
// could be made; Qt then uses its own default).
QString prepareRuntimeFolder();

// Before the application object exists: with no display in the session
// (neither DISPLAY nor WAYLAND_DISPLAY) and no platform plugin chosen, the
// offscreen plugin is chosen, so that a background program starts instead of
// failing to reach a display.
void useOffscreenWithoutDisplay();

} // namespace platform
