#pragma once

#include "runner/runnerlink.h"

#include <QString>

#include <functional>

// Stopper's one job: find the running Schedule of this program folder and
// poke "999" into its txtDDE item.
namespace stopper {

inline const QString NotRunningMessage = QStringLiteral("スケジュールは停止しています。");
inline const QString FailedMessage = runner::link::StopFailedMessage;

enum class Outcome { Stopped, NotRunning, Failed };

// How long a runner whose channel is there may take to answer.
inline constexpr int AnswerTimeoutMs = runner::link::AnswerTimeoutMs;

// Runs Stopper.  Every message goes through show (a message box titled
// "確認" in the program).
Outcome run(const std::function<void(const QString &)> &show, int answerTimeoutMs = AnswerTimeoutMs);

} // namespace stopper
