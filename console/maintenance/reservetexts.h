#pragma once

#include <QString>

// The messages and captions of reservation editing, shared by the weekly
// editor, the reservation dialog and the main screen's day charts.
namespace console::texts {

inline const QString NewReservation = QStringLiteral("新規予約");
inline const QString ChangeReservation = QStringLiteral("予約変更");

inline const QString AllTimesNeeded = QStringLiteral("時刻をすべて入力してください");
inline const QString Overlap = QStringLiteral("予約時間は他の予約時間と重複してはいけません。");
inline const QString StartAfterEnd = QStringLiteral("StartTimeはEndTimeより未来の時間を指定してください。");
inline const QString PastTime = QStringLiteral("過去のスケジュールは指定出来ません。");
// The refusal of a new reservation outside the chart's hours top..end.
QString outsideRange(int topHour, int endHour);

inline const QString ChooseReservation = QStringLiteral("いづれかの予約を選択ください。");
inline const QString ConfirmDelete = QStringLiteral("選択スケジュールを削除します よろしいですか？");
inline const QString Reflected = QStringLiteral("正常に反映されました。");
inline const QString ConfirmReflectAll = QStringLiteral("全グループを一括で本日翌日に反映します。よろしいですか？");
// "反映に失敗しました。：エラーNO" followed by the error number.
QString reflectFailed(int errorNumber);
// A new reservation that could not be stored.
QString addFailed(int errorNumber, const QString &description);
// A change, move or deletion that could not be stored.
QString storeFailed(int errorNumber, const QString &description);

} // namespace console::texts
