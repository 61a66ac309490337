#pragma once

#include <QString>

// The main screen's own texts: captions that change with the mode, messages
// and operation-log words.  Fixed captions are written where the controls are
// made (frmcal.cpp).
namespace console::texts {

inline const QString FormTitle = QStringLiteral("Planboard");
inline const QString ChartTitle = QStringLiteral("グループ名称");

// KeyLabel(0): runner state, or the client's mark.
inline const QString RunnerRunning = QStringLiteral("実行中");
inline const QString RunnerStopped = QStringLiteral("停止中");
inline const QString ClientMark = QStringLiteral("クライアント");
// KeyLabel(1)
inline const QString Setting = QStringLiteral("設定中");

// CmdPass
inline const QString PassEnter = QStringLiteral("設　　定");
inline const QString PassLeave = QStringLiteral("設定終了");
// CmdMenu3
inline const QString Menu3View = QStringLiteral("グループ確認");
inline const QString Menu3Maintenance = QStringLiteral("ｸﾞﾙｰﾌﾟ＆ﾀｸﾞ設定");
// CloseCommand
inline const QString CloseServer = QStringLiteral("閉じる");
inline const QString CloseClient = QStringLiteral("終了");

// Option1 captions: "本日" / "翌日" followed by the date "m月d日".
inline const QString TodayPrefix = QStringLiteral("本日");
inline const QString TomorrowPrefix = QStringLiteral("翌日");

// The piece text of a group that is not valid.
inline const QString InvalidPiece = QStringLiteral("無効");

// Messages.
inline const QString ClearFlagQuestion = QStringLiteral("設定中フラグをクリアします。よろしいですか？");
inline const QString ClientRefusal = QStringLiteral("クライアントでは操作出来ません。");
inline const QString StartRunnerQuestion = QStringLiteral("スケジュール管理処理を実行します。 よろしいですか？");
inline const QString StopRunnerQuestion = QStringLiteral("スケジュール管理処理を停止します。 よろしいですか？");
inline const QString RunnerAlreadyStopped = QStringLiteral("スケジュール管理処理は停止しています。");
inline const QString ManualTitle = QStringLiteral("手動運転 操作");
inline const QString ManualRunQuestion = QStringLiteral("運転操作を行います。よろしいですか？");
inline const QString ManualStopQuestion = QStringLiteral("停止操作を行います。よろしいですか？");
inline const QString StartRunnerFailed = QStringLiteral("スケジュール管理処理を起動出来ませんでした。");

// Operation-log origins of the maintenance hand-over.
inline const QString VisitBegin = QStringLiteral("設定開始");
inline const QString VisitEnd = QStringLiteral("設定終了");
inline const QString ReloadDone = QStringLiteral("完了");

// The console's name in error texts, and the index of its trace entries.
inline const QString Source = QStringLiteral("Planboard");
inline constexpr qint16 TraceIndex = 999;

// "実行できません！ ｴﾗｰ番号 " + " <n>" + source + " でｴﾗｰが発生しました。" CR description
QString startupFailure(int number, const QString &description);
// "バックアップエラー！ ｴﾗｰ番号 = <n> : <description>"
QString backupFailure(int number, const QString &description);
// "手動操作エラー：エラーNO<n>:<description>"
QString manualFailure(int number, const QString &description);

// Error numbers of the console's messages, in the numbering its operators know.
inline constexpr int FileNotFoundNumber = 53;
inline constexpr int PathNotFoundNumber = 76;
inline constexpr int PathFileAccessNumber = 75;

} // namespace console::texts
