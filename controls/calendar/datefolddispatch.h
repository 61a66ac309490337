#pragma once

#include "automation/dispatchmember.h"

namespace calendar {

// The dispatch identifiers of the calendar control's properties, methods and events.
const automation::DispatchTable &datefoldDispatchTable();

// The identifier of AddHolidayLaws, the member that brings the holiday rules
// up to the later laws.
inline constexpr qint32 AddHolidayLawsId = 71;

} // namespace calendar
