#pragma once

#include "automation/dispatchmember.h"

// The dispatch identifiers of the clock's properties, methods and events.
namespace tickface {

const automation::DispatchTable &dispatchTable();

} // namespace tickface
