#include "automation/automationerror.h"

namespace automation {
namespace {
// Controls live on their thread's event loop; each thread has its own error.
thread_local std::optional<AutomationError> pending;
} // namespace

void raiseError(qint32 number, const QString &description)
{
    pending = AutomationError{number, description};
}

std::optional<AutomationError> takeError()
{
    std::optional<AutomationError> e = std::move(pending);
    pending.reset();
    return e;
}

void clearError()
{
    pending.reset();
}

} // namespace automation
