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

// Runs Stopper.  Every message goes through show (a message box titled
// "確認" in the program).
Outcome run(const std::function<void(const QString &)> &show);

} // namespace stopper
