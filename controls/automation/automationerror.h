#pragma once

#include <QString>

#include <optional>

namespace automation {

// An error raised by a member of a control, the way an automation server
// raises one (for example 380, "invalid property value").  A member that
// refuses a call records the error with raiseError() and returns leaving its
// state unchanged; the Dispatcher clears any pending error before it calls a
// member and turns one raised during the call into a failed DispatchResult
// carrying the number and the description.  Called directly from C++, the
// member simply refuses; takeError() tells such a caller why.
struct AutomationError
{
    qint32 number = 0;
    QString description;
};

// Standard error numbers.
namespace errnum {
inline constexpr qint32 InvalidPropertyValue = 380;
}

void raiseError(qint32 number, const QString &description);
// The pending error, cleared by the call.
std::optional<AutomationError> takeError();
void clearError();

} // namespace automation
