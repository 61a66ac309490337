#pragma once

#include "automation/dispatchmember.h"

namespace taglink {

// The control's members and events with their fixed dispatch identifiers.
const automation::DispatchTable &dispatchTable();

} // namespace taglink
