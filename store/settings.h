#pragma once

#include <QString>

#include <optional>

namespace store {

// Section and key names of Sch.ini.
namespace ini {
inline constexpr char Mente[] = "MENTE";
inline constexpr char Flg[] = "FLG";
inline constexpr char ClientLoad[] = "C-LOAD";
inline constexpr char ServerLoad[] = "S-LOAD";
inline constexpr char RunnerLoad[] = "J-LOAD";
inline constexpr char Timer[] = "TIMER";
inline constexpr char Load[] = "Load";
inline constexpr char LoadFlg[] = "Flg";
inline constexpr char Log[] = "LOG";
inline constexpr char LogFlg[] = "FLG";
inline constexpr char LogDir[] = "DIR";
inline constexpr char LogSaveDay[] = "SAVEDAY";
inline constexpr char Client[] = "CLIENT";
inline constexpr char ClientFlg[] = "FLG";
inline constexpr char ClientDbName[] = "DBNAME";
inline constexpr char Db2[] = "DB2";
inline constexpr char Db2Name[] = "NAME";
inline constexpr char Gamen[] = "Gamen";
inline constexpr char ZFlg[] = "ZFlg";
inline constexpr char Chart[] = "Chart";
inline constexpr char FontSize[] = "FontSize";
inline constexpr char GPWidth[] = "GPWidth";
inline constexpr char Time[] = "TIME";
inline constexpr char Size[] = "Size";
inline constexpr char SizeFlg[] = "Flg";
inline constexpr char Left[] = "Left";
inline constexpr char Top[] = "Top";
inline constexpr char Width[] = "Width";
inline constexpr char Height[] = "Height";
inline constexpr char EndBtn[] = "EndBtn";
inline constexpr char Disp[] = "DISP";
} // namespace ini

// A settings text as an integer, the way the programs always converted it:
// leading blanks, an optional sign and the leading digits ("12abc" → 12);
// `fallback` when there is no digit (empty or non-numeric text).
int settingsInteger(const QString &text, int fallback);

// A settings text that is numeric as a whole (blanks around it, an optional
// sign, digits with an optional fraction and exponent): its value; none for
// anything else ("12abc", "1x", empty).  The keys whose rule is "when
// numeric" or "numeric and 1" go by this.
std::optional<double> settingsNumber(const QString &text);
// The integer of a numeric text (rounded half to even, as the programs'
// integer conversion does, and held to the int range); `fallback` when the
// text is not numeric.
int settingsNumericInteger(const QString &text, int fallback);

// The console's window placement (section Size).
struct WindowPlacement {
    int flag = 0;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Typed access to Sch.ini.  Every read and write opens the file anew, so a
// value written by one program is seen by the next read of any other; nothing
// is cached.  Two files matter: the local Sch.ini of the program folder, and
// the shared Sch.ini in the parent of the database folder in use, which holds
// the MENTE hand-over flags FLG, C-LOAD, S-LOAD and J-LOAD.  On the server
// both are one file; a client console whose database lies on the server
// writes these flags into the server's file.  Writes are locked and replace
// the file atomically (platform/profile.h); a failed write is reported by the
// result and otherwise ignored by the programs.
class Settings
{
public:
    // The settings of a program folder (default: platform::programFolder()).
    // The database in use is the folder's own SC_DataBase/Sch.accdb, or on a
    // client (CLIENT FLG nonzero) the CLIENT DBNAME when it is set; the
    // shared file follows from it, decided once here.
    explicit Settings(const QString &programFolder = QString());
    // Explicit files (tests, tools).
    Settings(const QString &localPath, const QString &sharedPath);

    QString localPath() const { return m_local; }
    QString sharedPath() const { return m_shared; }
    // The database this program works on (see the constructor).
    QString databasePath() const { return m_database; }

    // Raw keys of the local and of the shared file.
    QString readLocal(const char *section, const char *key) const;
    bool writeLocal(const char *section, const char *key, const QString &value) const;
    QString readShared(const char *section, const char *key) const;
    bool writeShared(const char *section, const char *key, const QString &value) const;

    // ---- MENTE flags (shared file): "1" = set; empty or anything else = not set.
    bool maintenanceFlag() const;  // FLG: an operator is in the maintenance mode
    bool clientLoadFlag() const;   // C-LOAD: a client finished maintenance, the server reloads
    bool serverLoadFlag() const;   // S-LOAD: the server finished maintenance, clients reload
    bool runnerLoadFlag() const;   // J-LOAD: the runner reloads
    bool setMaintenanceFlag(bool on) const;
    bool setClientLoadFlag(bool on) const;
    bool setServerLoadFlag(bool on) const;
    bool setRunnerLoadFlag(bool on) const;

    // MENTE TIMER (local): pause in ms after each tag write; empty or non-numeric = 0, never negative.
    int tagWritePauseMs() const;

    // Load Flg: nonzero = the runner skips the catch-up output at start-up;
    // empty or not numeric ("1x") = 0.
    int loadFlag() const;
    bool skipCatchUp() const { return loadFlag() != 0; }
    bool setLoadFlag(int value) const;

    // LOG FLG: numeric and equal to 1 = the operation log is on; anything
    // else (also "x" or "1x") = off.
    bool opLogEnabled() const;
    bool setOpLogEnabled(bool on) const;
    // LOG DIR: the operation log folder (meaningful only while the log is on); empty = none.
    QString opLogFolder() const;
    bool setOpLogFolder(const QString &folder) const;
    // LOG SAVEDAY: days operation logs are kept; empty or non-numeric = 10;
    // a value below 0 counts as 0.
    int opLogKeepDays() const;

    // CLIENT FLG: nonzero = this machine is a client; empty or not numeric = 0.
    int clientFlag() const;
    bool isClient() const { return clientFlag() != 0; }
    bool setClientFlag(int value) const;
    // CLIENT DBNAME: the database of a client console.
    QString clientDatabase() const;
    bool setClientDatabase(const QString &path) const;

    // DB2 NAME: full path of the second copy of the database; empty = none.
    QString secondCopyPath() const;
    bool setSecondCopyPath(const QString &path) const;

    // Gamen ZFlg: the console window stays in front; a flag (nonzero = on).
    int frontMostFlag() const;
    bool setFrontMostFlag(int value) const;

    // Chart FontSize / Chart GPWidth / TIME FontSize: the value when numeric,
    // else the default (9, 200, 12); an empty entry is written as that default.
    int chartFontSize() const;
    bool setChartFontSize(const QString &entry) const;
    int chartGroupWidth() const;
    bool setChartGroupWidth(const QString &entry) const;
    int clockFontSize() const;
    bool setClockFontSize(const QString &entry) const;

    // Size Flg/Left/Top/Width/Height: the console's window placement; a
    // value that is not numeric (or empty) = 0.
    WindowPlacement windowPlacement() const;
    bool setWindowPlacement(const WindowPlacement &placement) const;

    // EndBtn DISP: display setting of the console's exit button; empty = 0.
    int endButtonDisplay() const;

    static constexpr int DefaultKeepDays = 10;
    static constexpr int DefaultChartFontSize = 9;
    static constexpr int DefaultChartGroupWidth = 200;
    static constexpr int DefaultClockFontSize = 12;

private:
    int localInteger(const char *section, const char *key, int fallback) const;
    // For the keys read "when numeric": fallback for a text that is not.
    int localNumeric(const char *section, const char *key, int fallback) const;
    bool sharedFlag(const char *key) const;
    bool writeDefaulted(const char *section, const char *key, const QString &entry, int fallback) const;

    QString m_local;
    QString m_shared;
    QString m_database;
};

} // namespace store
