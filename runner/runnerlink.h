#pragma once

#include "platform/commandchannel.h"

#include <QString>

// The runner Schedule's command link as the other programs reach it: the
// console starts, shows and stops it through it, Stopper stops it.
namespace runner::link {

// "schedule|frmCal", item txtDDE: "1" shows the runner's window, "999"
// stops it.
inline const QString Application = QStringLiteral("schedule");
inline const QString Topic = QStringLiteral("frmCal");
inline const QString Item = QStringLiteral("txtDDE");
inline const QString StopCommand = QStringLiteral("999");

// How long a runner may take to answer (it may be busy for seconds).
inline constexpr int AnswerTimeoutMs = platform::channel::BusyAnswerTimeoutMs;

inline const QString StopFailedMessage =
    QStringLiteral("スケジュールが停止出来ませんでした。一旦画面を閉じて再度実行して下さい。");

// True while a runner of this program folder runs, busy or not: its link
// takes the connection, which the link of a runner that has ended never does.
bool isRunning();

// Pokes the stop command.  True when the runner took it; false when it
// refused it or gave no answer within answerTimeoutMs (the runner could not
// be stopped).
bool requestStop(int answerTimeoutMs = AnswerTimeoutMs);

} // namespace runner::link
