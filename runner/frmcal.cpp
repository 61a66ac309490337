#include "runner/frmcal.h"

#include "calendar/datefold.h"
#include "calendar/datefoldmodel.h"
#include "calendar/oledate.h"
#include "chart/ganttconstants.h"
#include "chart/ganttline.h"
#include "chart/chartmodel.h"
#include "platform/clock.h"
#include "platform/commandserver.h"
#include "platform/process.h"
#include "platform/programfolder.h"
#include "runner/chartloader.h"
#include "runner/runnerlink.h"
#include "switching/outputqueue.h"
#include "switching/switchingtexts.h"
#include "switching/taglinkwriter.h"
#include "runner/runnertexts.h"
#include "store/database.h"
#include "store/catalogue.h"
#include "store/grouprange.h"
#include "store/recordset.h"
#include "store/logging.h"
#include "store/maintenance.h"
#include "store/sitepaths.h"
#include "store/timeofday.h"
#include "store/tracelog.h"
#include "taglink/taglink.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlDatabase>
#include <QTimer>
#include <QVBoxLayout>

#include <cstdio>

namespace runner {

FrmCal::FrmCal(QWidget *parent)
    : QWidget(parent)
{
    buildForm();
}

FrmCal::~FrmCal() = default;

void FrmCal::buildForm()
{
    setObjectName(QStringLiteral("frmCal"));
    setWindowTitle(QStringLiteral("Schedule"));
    resize(900, 520);

    Ganttline1 = new Ganttline(this);
    Ganttline1->setObjectName(QStringLiteral("Ganttline1"));
    Datefold1 = new Datefold(this);
    Datefold1->setObjectName(QStringLiteral("Datefold1"));
    Datefold1->setFixedSize(240, 200);
    m_calendar = &Datefold1->model();
    // The calendar is here for its day memos; the laws after the built-in
    // table keep the holidays it shows in the window right.
    m_calendar->AddHolidayLaws(QString());
    Taglink1 = new Taglink(this);
    Taglink1->setObjectName(QStringLiteral("Taglink1"));
    Taglink1->setFixedSize(32, 32);

    Timer2 = new QTimer(this);
    Timer2->setObjectName(QStringLiteral("Timer2"));
    // Precise: a coarse timer may fire seconds early on a one-minute interval.
    Timer2->setTimerType(Qt::PreciseTimer);
    connect(Timer2, &QTimer::timeout, this, &FrmCal::Timer2_Timer);

    txtDDE = new QLineEdit(QStringLiteral("0"), this);
    txtDDE->setObjectName(QStringLiteral("txtDDE"));
    txtDDE->setMaximumWidth(80);
    connect(txtDDE, &QLineEdit::textChanged, this, &FrmCal::onCommandText);

    Check1 = new QCheckBox(QStringLiteral("タスクバーへ表示"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Command2 = new QPushButton(QStringLiteral("ﾊﾞｯｸｸﾞﾗｳﾝﾄﾞへ"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    connect(Command2, &QPushButton::clicked, this, &FrmCal::sendToBackground);
    CloseCommand = new QPushButton(QStringLiteral("閉じる"), this);
    CloseCommand->setObjectName(QStringLiteral("CloseCommand"));
    // "閉じる" has no action: the runner is stopped only through its channel.

    auto *bar = new QHBoxLayout;
    bar->addWidget(Taglink1);
    bar->addWidget(txtDDE);
    bar->addWidget(Check1);
    bar->addStretch();
    bar->addWidget(Command2);
    bar->addWidget(CloseCommand);
    auto *top = new QHBoxLayout;
    top->addWidget(Ganttline1, 1);
    top->addWidget(Datefold1, 0, Qt::AlignTop);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(bar);

    connect(&chartModel(), &chart::ChartModel::PieceRangeStart, this,
            [this](short row, short piece) { onPieceRange(row, piece, true); });
    connect(&chartModel(), &chart::ChartModel::PieceRangeEnd, this,
            [this](short row, short piece) { onPieceRange(row, piece, false); });
}

chart::ChartModel &FrmCal::chartModel() const
{
    return *Ganttline1->model();
}

calendar::DatefoldModel &FrmCal::calendarModel() const
{
    return *m_calendar;
}

bool FrmCal::startUp(const QStringList &arguments)
{
    m_programFolder = platform::programFolder();
    m_settings = std::make_unique<store::Settings>(m_programFolder);

    // The command channel first, so that a stop request is taken from the
    // start on.
    m_channel = std::make_unique<platform::CommandServer>(link::Application, link::Topic);
    m_channel->addItem(link::Item, txtDDE->text());
    connect(m_channel.get(), &platform::CommandServer::itemChanged, this,
            [this](const QString &, const QString &text) { txtDDE->setText(text); });
    connect(m_channel.get(), &platform::CommandServer::activateRequested, this, &FrmCal::showFromCommand);
    if (!m_channel->listen())
        return false;

    // LOAD Flg: whether the catch-up output at start is skipped.
    m_skipCatchUp = m_settings->loadFlag();
    // The operation log (LOG FLG, LOG DIR), read once.
    store::configureLogs(*m_settings, m_programFolder);
    // The start record.
    store::WriteOpLog(texts::RunnerSubject, QString(), QString(), texts::Started);
    // The runner runs only on the server.
    m_clientFlag = m_settings->clientFlag();
    if (m_clientFlag != 0)
        return false;
    // Database path and folder; a database that does not open ends the start.
    m_databasePath = store::paths::databasePath(m_programFolder);
    m_databaseFolder = QFileInfo(m_databasePath).absolutePath();
    {
        store::Database db(m_databasePath);
        if (!db.open()) {
            startUpFailed(texts::startupFailure(db.lastErrorNumber(), db.lastError()));
            return false;
        }
    }
    // The output queue and its write pause.
    m_output = new switching::OutputQueue(
        m_databasePath,
        [this](const QString &item, float value) {
            return switching::writeThroughTaglink(*Taglink1->model(), item, value);
        },
        this);
    m_output->setWritePause(m_settings->tagWritePauseMs());
    // The chart only shows: no piece is drawn or moved here.
    chartModel().setActionStyle(chart::GntBrowse);

    m_dayChange = std::make_unique<DayChange>(
        m_programFolder, *m_settings,
        DayChange::Hooks{[this] { reloadMemos(); }, [this](const QDate &d) { return memoOf(d); },
                         [this] { LoadData(); }, [] { return !QSqlDatabase::connectionNames().isEmpty(); }});

    // The day memos.
    reloadMemos();
    // A midnight missed while the runner was down is caught up first, so that
    // the catch-up output below drives the groups by the right day.
    QString dayChangeError;
    if (!catchUpDayChange(false, &dayChangeError)) {
        m_dayChangeFailing = true;
        notify(texts::timerFailure(texts::DatabaseErrorNumber, dayChangeError));
    } else {
        syncDayCopy();
    }
    // Today's chart.
    LoadData();
    // Every valid group to the state of this minute; not on a chart that
    // failed to load (its rows may lack their pieces): the retry at the
    // minute tick catches up instead.
    if (m_skipCatchUp == 0 && !m_loadFailing)
        catchUpOutput();
    // A reload asked for while the runner was down is dropped.
    m_settings->setRunnerLoadFlag(false);
    // The minute timer, armed to the next full minute.
    armTimer();
    // An argument keeps the window visible.
    if (arguments.size() > 1)
        show();
    m_started = true;
    return true;
}

void FrmCal::startUpFailed(const QString &message)
{
    store::WriteTraceLog(message, QString(), store::TraceLog::RunnerIndex);
    m_exitCode = 1;
    // Without a display (offscreen) nobody could confirm a box, and the
    // waiting runner would hold the single-instance lock for good.
    const QString platformName = QGuiApplication::platformName();
    if (platformName == QLatin1String("offscreen") || platformName.startsWith(QLatin1String("minimal"))) {
        std::fprintf(stderr, "Schedule: %s\n", message.toUtf8().constData());
        std::fflush(stderr);
        return;
    }
    QMessageBox::information(nullptr, QStringLiteral("確認"), message);
}

void FrmCal::armTimer()
{
    Timer2->start(platform::clock::msecsToNextMinute());
}

QString FrmCal::dayInfoPath() const
{
    return store::paths::dayInfoPathIn(m_databaseFolder);
}

void FrmCal::reloadMemos()
{
    calendarModel().LoadDayMemo(dayInfoPath());
    calendarModel().GoToday();
}

QString FrmCal::memoOf(const QDate &date) const
{
    QString text;
    quint32 textColour = 0;
    quint32 backColour = 0;
    calendarModel().GetDayMemo(calendar::toOleDate(date), text, textColour, backColour);
    return text.trimmed();
}

bool FrmCal::LoadData()
{
    Ganttline1->setVisible(false);
    m_loadError.clear();
    const bool loaded = fillChart(chartModel(), m_rows, m_databasePath, platform::clock::now().time(), &m_loadError);
    if (loaded)
        Ganttline1->setVisible(true);
    // The hidden chart raises no events: until a load works, nothing is
    // switched, so the failure must not go unnoticed.
    if (!loaded && !m_loadFailing)
        notify(texts::timerFailure(texts::DatabaseErrorNumber, m_loadError));
    m_loadFailing = !loaded;
    return loaded;
}

void FrmCal::retryLoad()
{
    if (!LoadData())
        return;
    if (m_reloadOwed) {
        m_reloadOwed = false;
        store::WriteOpLog(texts::ReloadSubject, QString(), QString(), texts::Completed);
    }
    // Pieces that started or ended while the chart could not be loaded
    // raised no events: every valid group goes to the state of this minute.
    if (m_skipCatchUp == 0)
        catchUpOutput();
}

void FrmCal::Fix_output(int group, bool on, const QString &mode)
{
    m_output->enqueue(group, on, mode);
}

void FrmCal::catchUpOutput()
{
    const QTime now = platform::clock::now().time();
    const short h = short(now.hour());
    const short m = short(now.minute());
    chart::ChartModel &chart = chartModel();
    for (short i = 0; i < chart.GetItemCount(); ++i) {
        const int group = groupNoOf(chart.GetItemName(i));
        if (group == 0)
            continue;
        const QVariant found = chart.FindPieceFromRange(i, h, m, h, m, chart::GntSubIncluded);
        Fix_output(group, found.isValid(), switching::texts::ModeStartup);
    }
}

void FrmCal::onPieceRange(short row, short piece, bool start)
{
    if (m_ending || m_clientFlag != 0 || !m_output)
        return;
    chart::ChartModel &chart = chartModel();
    if (chart.GetPieceText(row, piece).trimmed() == InvalidPieceText)
        return;
    const int group = groupNoOf(chart.GetItemName(row));
    if (group == 0)
        return;
    // A reservation from 00:00 continues yesterday's that ran to 23:59: no
    // start values; one that runs to 23:59 keeps its equipment running into
    // the next day: no end values.
    const QTime now = platform::clock::now().time();
    const QString hhnn = store::hhnn(now);
    if (hhnn == QLatin1String(start ? store::DayStartHhnn : store::DayEndHhnn))
        return;
    // An end inside another running reservation of the group (adjacent or
    // overlapping) would switch off what that one keeps on.
    if (start || !anotherPieceRunsOn(chart, row, piece, now.hour() * 60 + now.minute()))
        Fix_output(group, start, switching::texts::ModeAuto);
    chart.SetPieceColor(row, piece, start ? colour::Running : colour::Past);
}

// GetGroupNo: the number of the valid group of that name, else 0.  The chart
// raises the events of a minute (and the start-up walks all rows) in one
// go; one read of GroupMaster serves that whole burst instead of one
// connection and one full read per row, and is dropped when control returns
// to the event loop, so every later event sees the table afresh.
int FrmCal::groupNoOf(const QString &groupName)
{
    if (!m_groupSnapshotFresh) {
        m_groupSnapshot.clear();
        store::Database db(m_databasePath);
        if (!db.open())
            return 0;
        store::Recordset rs = db.openRecordset(store::sql::selectGroups());
        if (!rs.isOpen())
            return 0;
        db.close();
        const int count = rs.recordCount();
        rs.moveFirst();
        for (int n = 0; n < count; ++n, rs.moveNext()) {
            const QString key = rs.text(QStringLiteral("GPname")).toCaseFolded();
            const int gpno = rs.integer(QStringLiteral("gpno"));
            // The first row of a name counts, as a find from the top does.
            if (!m_groupSnapshot.contains(key))
                m_groupSnapshot.insert(key, rs.yes(QStringLiteral("YukoFlg")) && store::isGroupNo(gpno) ? gpno : 0);
        }
        m_groupSnapshotFresh = true;
        QMetaObject::invokeMethod(this, [this] { m_groupSnapshotFresh = false; }, Qt::QueuedConnection);
    }
    return m_groupSnapshot.value(groupName.toCaseFolded(), 0);
}

bool FrmCal::catchUpDayChange(bool midnightTick, QString *error)
{
    const QDate today = platform::clock::today();
    bool inDatabase = false;
    const QDate last = m_dayChange->lastDone(&inDatabase);
    std::optional<DayChange::Kind> kind;
    if (!last.isValid()) {
        // The very first start only records the day; a midnight tick without
        // a record rolls as it always did.
        if (!midnightTick)
            return m_dayChange->recordDone(today), true;
        kind = DayChange::Kind::Roll;
    } else if (last > today) {
        // A record from the future (the clock was set back): the midnight
        // tick still rolls, as it always did.
        if (!midnightTick)
            return true;
        kind = DayChange::Kind::Roll;
    } else {
        kind = DayChange::due(last, today);
    }
    if (!kind) {
        // A site whose date was kept only in Sch.ini: the database takes it over.
        if (!inDatabase)
            m_dayChange->recordDone(last);
        return true;
    }
    if (!m_dayChange->run(*kind, today, error))
        return false;
    // A roll other than the plain one at midnight (a midnight missed while
    // the runner was down or its tick late, or several days at once) names
    // the dates in the trace, so an operator can see why the tables changed.
    if (!midnightTick || *kind != DayChange::Kind::Roll) {
        const QString format = QStringLiteral("yyyy/MM/dd");
        QString dates = (last.isValid() ? last.toString(format) : QStringLiteral("(記録なし)")) + QStringLiteral(" → ")
            + today.toString(format);
        if (*kind == DayChange::Kind::Rebuild)
            dates += QStringLiteral(" (本日・翌日をマスタから作成)");
        store::WriteTraceLog(m_started ? QStringLiteral("日替わり処理 遅れた日替わり")
                                       : QStringLiteral("日替わり処理 起動時の追い付き"),
                             dates, store::TraceLog::RunnerIndex);
    }
    syncDayCopy();
    return true;
}

// The operators' copy of the day-change date in Sch.ini follows the
// database's record.  A copy that cannot be written is reported once (trace
// and Notifier) per run of failures, and tried again at every minute tick.
void FrmCal::syncDayCopy()
{
    const DayChange::CopyResult result = m_dayChange->syncSettingsCopy();
    if (result != DayChange::CopyResult::Failed) {
        m_copyFailing = false;
        return;
    }
    if (m_copyFailing)
        return;
    m_copyFailing = true;
    const QString message = QStringLiteral("日替わり処理 日付の控えを Sch.ini に書けませんでした。");
    store::WriteTraceLog(message, m_settings->localPath(), store::TraceLog::RunnerIndex);
    notify(texts::timerFailure(texts::SettingsErrorNumber, message + QLatin1Char(' ') + m_settings->localPath()));
}

void FrmCal::notify(const QString &text)
{
    if (m_notify)
        m_notify(text);
    else
        platform::startProgram(QStringLiteral("Notifier"), {text});
}

void FrmCal::Timer2_Timer()
{
    if (m_ending)
        return;
    // A console asked for a reload; "完了" once the load has worked.
    if (store::maintenance::takeRunnerReload(*m_settings)) {
        reloadMemos();
        const bool failedBefore = m_loadFailing;
        if (LoadData()) {
            store::WriteOpLog(texts::ReloadSubject, QString(), QString(), texts::Completed);
            m_reloadOwed = false;
            if (failedBefore && m_skipCatchUp == 0)
                catchUpOutput();
        } else {
            m_reloadOwed = true;
        }
    } else if (m_loadFailing) {
        retryLoad();
    }
    // The day change: at the tick of midnight, or late when that tick was missed.
    const QTime now = platform::clock::now().time();
    const bool midnight = now.hour() == 0 && now.minute() == 0 && now.second() < 10;
    QString error;
    if (!catchUpDayChange(midnight, &error)) {
        // The trace has every failure; Notifier shows the first of a run.
        if (!m_dayChangeFailing)
            notify(texts::timerFailure(texts::DatabaseErrorNumber, error));
        m_dayChangeFailing = true;
        return; // the timer keeps its interval and tries again
    }
    m_dayChangeFailing = false;
    syncDayCopy();
    // The next tick at the next full minute.
    armTimer();
}

void FrmCal::onCommandText(const QString &text)
{
    if (m_channel)
        m_channel->setItemText(link::Item, text);
    switch (store::settingsInteger(text, 0)) {
    case 1:
        showFromCommand();
        break;
    case 999:
        if (m_ending)
            return;
        m_ending = true;
        store::WriteOpLog(texts::RunnerSubject, QString(), QString(), texts::Stopped);
        emit stopRequested();
        QCoreApplication::exit(0);
        break;
    default:
        break;
    }
}

void FrmCal::showFromCommand()
{
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void FrmCal::sendToBackground()
{
    txtDDE->setText(QStringLiteral("0"));
    if (Check1->isChecked())
        showMinimized();
    else
        hide();
}

} // namespace runner
