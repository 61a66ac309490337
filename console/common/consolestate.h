#pragma once

#include <QString>
#include <QStringList>
#include <QTime>

#include <memory>

class Ganttline;
class Taglink;

namespace store {
class Database;
class Settings;
} // namespace store

namespace console {

class MessageBoxes;

// The form that opened the reservation dialog: the dialog reads the chosen
// row and piece from it.
class ReserveCaller
{
public:
    virtual ~ReserveCaller() = default;
    virtual int curIndex() const = 0;   // nCurIndex, -1 = none
    virtual int curPieceNo() const = 0; // nCurPieceNo, -1 = none
    // True when the caller is the main screen showing today's chart: only
    // then are times before the present refused.
    virtual bool showsToday() const { return false; }
};

// The state the console's screens share, one object for the life of the
// program, given to every form.  The settings and the database in use are
// decided once at start-up (server: the program folder's database; client:
// CLIENT DBNAME when set); the console keeps its one connection open while it
// runs.
class ConsoleState
{
public:
    explicit ConsoleState(const QString &programFolder = QString());
    ~ConsoleState();
    ConsoleState(const ConsoleState &) = delete;
    ConsoleState &operator=(const ConsoleState &) = delete;

    QString programFolder() const { return m_programFolder; }
    const store::Settings &settings() const { return *m_settings; }

    // The database in use, its folder (dayinfor.csv, schedule.txt beside it)
    // and the shared Sch.ini of the MENTE flags.
    QString databasePath() const;
    QString databaseFolder() const;
    QString sharedSettingsPath() const;
    // The settings screen changes the path and the folder while the console
    // runs (the open connection stays as it is until the next start).
    void setDatabasePath(const QString &path);
    void setDatabaseFolder(const QString &folder);

    // The console's connection; open() once at start-up.
    store::Database &database() const { return *m_database; }
    bool openDatabase();

    // The message boxes every screen shows (real boxes unless a test set its own).
    MessageBoxes &messages() const { return *m_messages; }
    void setMessages(MessageBoxes *messages);

    // The eleven day-kind names "日曜日".."土曜日", "特日１".."特日４", by day code - 1.
    const QStringList &dayNames() const { return m_dayNames; }
    QString dayName(int dayCode) const;

    // Screen and session flags.
    bool ClientMode = false; // CLIENT FLG nonzero
    bool MaintMode = false;  // the maintenance mode is on
    bool LoginOK = false;    // the last log-on dialog accepted
    // The group chosen last on the main screen; the weekly editor opens on it.
    QString CurrentGroupName;

    // The reservation dialog's hand-over: the caller fills the inputs, the
    // dialog the answer.
    int ReserveMode = 0;                  // 1 new, 2 change
    Ganttline *ReserveChart = nullptr;    // the chart on which overlaps are tested
    ReserveCaller *ReserveOwner = nullptr; // the calling form
    bool ReserveFromDayChart = false;     // a main-screen chart called (past-time check)
    bool ReserveOK = false;               // the dialog accepted
    QTime ReserveStart;                   // the accepted times, seconds 0
    QTime ReserveEnd;

    // The main screen's tag link; the tag editor fetches device names
    // through it (the editor uses a link of its own while none is set).
    Taglink *Taglink1 = nullptr;

    // Clears the hand-over after a dialog (ReserveChart and ReserveOwner).
    void clearReserveCaller();

private:
    QString m_programFolder;
    QString m_databasePath;   // empty: the settings' database
    QString m_databaseFolder; // empty: the folder of the database path
    std::unique_ptr<store::Settings> m_settings;
    std::unique_ptr<store::Database> m_database;
    std::unique_ptr<MessageBoxes> m_ownMessages;
    MessageBoxes *m_messages = nullptr;
    QStringList m_dayNames;
};

} // namespace console
