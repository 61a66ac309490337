#pragma once

#include <QString>

#include <optional>

// The statements that rewrite the two day tables, each set run as one
// transaction: when any statement fails, everything is rolled back and both
// tables stay as they were, so a failure never leaves today empty.
namespace runner::daytables {

// The day change: today := tomorrow, tomorrow := the weekly master of
// nextCode.  Without a code (a day memo that names no day) tomorrow is empty.
bool roll(const QString &databasePath, std::optional<int> nextCode, QString *error = nullptr);

// Both days afresh from the weekly master (after the runner missed more than
// one midnight), as the console's rebuild of all groups does.
bool rebuild(const QString &databasePath, std::optional<int> todayCode, std::optional<int> nextCode,
             QString *error = nullptr);

} // namespace runner::daytables
