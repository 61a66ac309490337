#pragma once

#include <QString>

namespace store {

class Settings;

// The maintenance hand-over through the MENTE flags of the shared Sch.ini.
// Each operation is one locked read-modify-write of that file, so that two
// consoles entering at the same moment cannot both get in, and no flag
// written by one program is lost by another's write.  The operation log
// records are the callers' business (see the subjects below).
namespace maintenance {

enum class Side { Server, Client };
enum class EnterResult { Entered, Busy, Failed };

// "他のユーザが操作中です。しばらく待ってから再度実行して下さい。"
QString busyMessage();

// Entering the maintenance mode: Busy when FLG is already 1; else FLG = "1"
// and C-LOAD = "0" (client) or S-LOAD = "0" (server).
EnterResult enter(const Settings &settings, Side side);
// Leaving it: FLG = "0", C-LOAD = "1" (client) or S-LOAD = "1" (server), J-LOAD = "1".
bool leave(const Settings &settings, Side side);
// FLG = "0" alone (the operator's "clear the maintenance flag").
bool clearMaintenanceFlag(const Settings &settings);

// A console's poll: the server watches C-LOAD, a client S-LOAD.  When the
// flag is 1 it is reset to "0" and the result is true: the console reloads.
bool takeConsoleReload(const Settings &settings, Side side);
// The runner's poll of J-LOAD, the same way.
bool takeRunnerReload(const Settings &settings);

// The day change: FLG, C-LOAD, S-LOAD and J-LOAD all "0".
bool clearAtDayChange(const Settings &settings);
// A console's reset at the start of a day: FLG, C-LOAD and S-LOAD "0"
// (J-LOAD is the runner's).
bool clearConsoleFlags(const Settings &settings);

// Operation-log subjects: "クライアント設定" / "サーバー設定" on entering and
// leaving, "クライアント設定更新" / "サーバー設定更新" after a reload.
QString visitSubject(Side side);
QString reloadSubject(Side side);

} // namespace maintenance
} // namespace store
