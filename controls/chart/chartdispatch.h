#pragma once

#include "automation/dispatchmember.h"

namespace chart {

// The fixed dispatch identifiers of the Ganttline control: stock properties,
// custom properties 1..28, methods 29..54 and AboutBox, events 1..22.
const automation::DispatchTable &ganttlineDispatchTable();

} // namespace chart
