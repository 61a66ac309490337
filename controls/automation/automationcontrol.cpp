#include "automation/automationcontrol.h"

namespace automation {

AutomationControl::~AutomationControl() = default;

} // namespace automation
