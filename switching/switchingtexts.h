#pragma once

#include <QString>

// Texts of the tag records that every output writes, whoever started it.
namespace switching::texts {

// Actions of tag records.
inline const QString ActionStart = QStringLiteral("開始");
inline const QString ActionEnd = QStringLiteral("終了");
inline const QString ActionSet = QStringLiteral("設定");

// Origins of tag records: the runner's timed output, its catch-up at start,
// and the console's manual output.
inline const QString ModeAuto = QStringLiteral("自動");
inline const QString ModeStartup = QStringLiteral("起動");
inline const QString ModeManual = QStringLiteral("手動");

// The note that ends the record of a write the plant refused or never got.
inline const QString WriteFailed = QStringLiteral("書込失敗");

// Error number of a database that refused a statement, in the numbering the
// operators know.
inline constexpr int DatabaseErrorNumber = 3146;

} // namespace switching::texts
