#pragma once

#include <QString>

#include <functional>

// Stopper's one job: find the running Schedule of this program folder and
// poke "999" into its txtDDE item.
namespace stopper {

inline const QString NotRunningMessage = QStringLiteral("スケジュールは停止しています。");
inline const QString FailedMessage =
    QStringLiteral("スケジュールが停止出来ませんでした。一旦画面を閉じて再度実行して下さい。");

enum class Outcome { Stopped, NotRunning, Failed };

// How long a runner whose channel is there may take to answer: it may be
// busy for seconds (a database wait of up to 8 s, a large backup, its
// start-up).  A runner is there when its channel takes the connection.
inline constexpr int AnswerTimeoutMs = 20000;

// Runs Stopper.  Every message goes through show (a message box titled
// "確認" in the program).
Outcome run(const std::function<void(const QString &)> &show, int answerTimeoutMs = AnswerTimeoutMs);

} // namespace stopper
