#pragma once

#include <QString>

// The runner's own texts: log subjects and origins, and the error messages of
// its trace entries and of Notifier.
namespace runner::texts {

inline const QString RunnerSubject = QStringLiteral("スケジュール管理");
inline const QString ReloadSubject = QStringLiteral("設定読込");
inline const QString Started = QStringLiteral("開始");
inline const QString Stopped = QStringLiteral("停止");
inline const QString Completed = QStringLiteral("完了");

inline const QString DayChangeBegin = QStringLiteral("日替わり処理 開始");
inline const QString DayChangeEnd = QStringLiteral("日替わり処理 終了");
inline const QString BackupWhileOpen =
    QStringLiteral("DBがオープン状態でバックアップ及び二重化が出来ませんでした。");

// Error numbers of the runner's messages, in the numbering its operators know.
inline constexpr int SubscriptErrorNumber = 9;      // a group number beyond the row table
inline constexpr int DatabaseErrorNumber = 3146;    // the database refused a statement
inline constexpr int SettingsErrorNumber = 70;      // a file that cannot be written
inline const QString Source = QStringLiteral("Schedule");

// "<what> ｴﾗｰ番号 <n><source> でｴﾗｰが発生しました。" CR "<description>"
QString errorMessage(const QString &what, int number, const QString &description);
// "インデックスが有効範囲にありません。 (GPno=<n>)"
QString subscriptDescription(int gpno);
// The start-up failure text of the message box.
QString startupFailure(int number, const QString &description);
// The command line text of Notifier for an error of the minute timer.
QString timerFailure(int number, const QString &description);

} // namespace runner::texts
