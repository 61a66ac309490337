#pragma once

#include <QDate>
#include <QString>

#include <functional>
#include <optional>

namespace store {
class Settings;
}

namespace runner {

// Higawari, the day change: tomorrow rolled into today and a new tomorrow
// built from the weekly master (Databese_Load), the chart reloaded, the MENTE
// flags cleared, the trace file of 30 days back deleted, the database backed
// up and copied to its second place, old operation logs purged.
//
// The date of the last day change is recorded in the database, committed in
// the same transaction as the rolled tables (daytables.h), so that a day is
// rolled at most once whatever happens to the settings file or the process.
// A midnight the runner missed is caught up: a last date of yesterday rolls
// the tables once; an older one (the runner was down for more than a day)
// rebuilds both days from the weekly master; no date at all (the very first
// start) only records today.  The local Sch.ini keeps a copy of the date
// ([Higawari] LastDate) for operators; a site of an earlier release, whose
// date is only there, is read from it until its first record is written.
class DayChange
{
public:
    enum class Kind { Roll, Rebuild };

    struct Hooks
    {
        // Reloads the day memos from the special-day file.
        std::function<void()> reloadMemos;
        // The memo text of a date (empty when none).
        std::function<QString(const QDate &)> memoOf;
        // LoadData.
        std::function<void()> loadChart;
        // True while the runner holds a database connection open.
        std::function<bool()> connectionOpen;
    };

    DayChange(const QString &programFolder, const store::Settings &settings, Hooks hooks);

    // What is due on `today`, given the last recorded day change.
    static std::optional<Kind> due(const QDate &lastDone, const QDate &today);

    // The date of the last day change: the database's record, else the copy
    // in Sch.ini (a site of an earlier release, or a database that cannot be
    // read now); invalid when neither has one.
    // *inDatabase tells whether the database holds the record.
    QDate lastDone(bool *inDatabase = nullptr) const;
    // Records `day` in a database that holds no record yet, and copies it to
    // Sch.ini.  False when the database could not be written.
    bool recordDone(const QDate &day) const;

    // Brings the Sch.ini copy of the date up to the database's record.
    enum class CopyResult { Current, Written, Failed };
    CopyResult syncSettingsCopy() const;

    // Runs the day change for `today`.  False when the day tables could not
    // be rewritten: nothing was changed, a trace entry says why, *error holds
    // the text for Notifier, and the date is not recorded, so the next minute
    // tick tries again.  A day the database records as rolled already (by an
    // earlier run that was cut short) is not rolled again: true, nothing done.
    bool run(Kind kind, const QDate &today, QString *error = nullptr);

    // The day code of a date from its memo; a memo that names no day gives
    // none (an empty day) and one trace entry naming the memo.
    std::optional<int> dayCodeOf(const QDate &date) const;

    // Section and key of the last day change in the local Sch.ini.
    static constexpr char Section[] = "Higawari";
    static constexpr char Key[] = "LastDate";

private:
    QString m_programFolder;
    const store::Settings &m_settings;
    Hooks m_hooks;
};

} // namespace runner
