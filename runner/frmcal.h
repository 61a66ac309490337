#pragma once

#include "runner/daychange.h"
#include "switching/grouprows.h"
#include "store/settings.h"

#include <QHash>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTimer;
class Ganttline;
class Datefold;
class Taglink;

namespace chart {
class ChartModel;
}
namespace calendar {
class DatefoldModel;
}
namespace platform {
class CommandServer;
}

namespace switching {
class OutputQueue;
}

namespace runner {

// The runner's one form, frmCal ("Schedule"): today's chart Ganttline1, the
// calendar Datefold1 (its day memos only), the tag link Taglink1, the minute
// timer Timer2, the command box txtDDE served on the channel
// "schedule|frmCal", and the operator's Check1, Command2 and CloseCommand.
class FrmCal : public QWidget
{
    Q_OBJECT
public:
    explicit FrmCal(QWidget *parent = nullptr);
    ~FrmCal() override;

    // The start-up after the single-instance check (that one is the
    // program's).  False when the program must end now (a client machine, a
    // start-up failure, or the command channel taken by another runner).
    bool startUp(const QStringList &arguments);
    // The program's exit status after startUp() said to end: 0 for a client
    // machine or a channel taken by another runner, 1 for a start-up failure.
    int exitCode() const { return m_exitCode; }

    // LoadData: rebuilds the chart from today's reservations.  A load that
    // fails leaves the chart hidden (nothing is switched) and is tried again
    // at every minute tick; false then.
    bool LoadData();
    // Fix_output: queues the writes of a group's start (on) or end values.
    void Fix_output(int group, bool on, const QString &mode);

    // The minute timer's work (also run by tests with a frozen clock).
    void Timer2_Timer();

    chart::ChartModel &chartModel() const;
    calendar::DatefoldModel &calendarModel() const;
    switching::OutputQueue &output() const { return *m_output; }
    const switching::GroupRows &rowMap() const { return m_rows; }
    QTimer *minuteTimer() const { return Timer2; }
    DayChange &dayChange() const { return *m_dayChange; }

    // What shows an error to the operator (default: starts Notifier with the text).
    void setNotifier(std::function<void(const QString &)> notify) { m_notify = std::move(notify); }

signals:
    // The stop command was taken: the stop record is written, the program ends.
    void stopRequested();

private:
    void buildForm();
    void onCommandText(const QString &text);
    void sendToBackground();
    void showFromCommand();
    void reloadMemos();
    QString memoOf(const QDate &date) const;
    void catchUpOutput();
    // Runs the day change when one is due; false when it failed.
    bool catchUpDayChange(bool midnightTick, QString *error);
    void syncDayCopy();
    // Retries a failed LoadData; after one that works, the groups are driven
    // to the present minute and an owed "完了" is written.
    void retryLoad();
    void notify(const QString &text);
    // The start-up failure message: a box to confirm when there is a
    // display, else standard error; always the trace.
    void startUpFailed(const QString &message);
    void onPieceRange(short row, short piece, bool start);
    void armTimer();
    // GetGroupNo for the chart's row names (see groupNoOf in the source).
    int groupNoOf(const QString &groupName);
    QString dayInfoPath() const;

    Ganttline *Ganttline1 = nullptr;
    Datefold *Datefold1 = nullptr;
    Taglink *Taglink1 = nullptr;
    QTimer *Timer2 = nullptr;
    QLineEdit *txtDDE = nullptr;
    QCheckBox *Check1 = nullptr;
    QPushButton *Command2 = nullptr;
    QPushButton *CloseCommand = nullptr;

    calendar::DatefoldModel *m_calendar = nullptr; // Datefold1's model
    std::unique_ptr<platform::CommandServer> m_channel;
    std::unique_ptr<store::Settings> m_settings;
    std::unique_ptr<DayChange> m_dayChange;
    switching::OutputQueue *m_output = nullptr;
    switching::GroupRows m_rows;
    // Valid group numbers by case-folded name, read once for a burst of
    // look-ups and dropped when control returns to the event loop.
    QHash<QString, int> m_groupSnapshot;
    bool m_groupSnapshotFresh = false;

    QString m_programFolder;
    QString m_databasePath;
    QString m_databaseFolder;
    int m_skipCatchUp = 0;
    int m_clientFlag = 0;
    bool m_ending = false;
    bool m_started = false;          // the start-up has run to its end
    int m_exitCode = 0;
    bool m_dayChangeFailing = false; // the last day change failed (Notifier shown)
    bool m_copyFailing = false;      // the Sch.ini copy of the date could not be written
    bool m_loadFailing = false;      // the last LoadData failed: retried at the next tick
    bool m_reloadOwed = false;       // a console's reload waits for a load that works
    QString m_loadError;
    std::function<void(const QString &)> m_notify;
};

} // namespace runner
