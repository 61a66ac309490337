// Start-up, activation, the command item and the close of the main screen.
#include "console/main/frmcal.h"

#include "calendar/datefold.h"
#include "calendar/oledate.h"
#include "chart/chartmetrics.h"
#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "clock/tickface.h"
#include "clock/tickfacemodel.h"
#include "console/common/consolelink.h"
#include "console/common/frameplacement.h"
#include "console/common/messageboxes.h"
#include "console/main/chartstage.h"
#include "console/main/consoletexts.h"
#include "console/main/widgetcolours.h"
#include "platform/clock.h"
#include "platform/commandserver.h"
#include "runner/runnerlink.h"
#include "store/backup.h"
#include "store/secondcopy.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/maintenance.h"
#include "store/settings.h"
#include "store/sitepaths.h"
#include "switching/outputqueue.h"

#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>

namespace console {

bool FrmCal::startUp()
{
    // The command item first, so that "999" is taken from the start on (also
    // when a start-up error leaves the form half set up).
    listenOnChannel();

    // The calendar carries the holiday laws after its built-in table.
    Datefold1->model().AddHolidayLaws(QString());

    // Start-up settings, the window placement and the close button.
    m_settings = StartupSettings::read(m_state.settings());
    const QScreen *screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    const QRect place = m_settings.placement(screen ? screen->geometry().size() : QSize(1280, 800));
    FramePlacement::place(this, place);
    CloseCommand->setVisible(m_settings.closeButtonShown);

    // Server or client: the database in use was decided with the console's state.
    if (m_state.ClientMode) {
        KeyLabel[0]->setText(texts::ClientMark);
        CloseCommand->setText(texts::CloseClient);
    } else {
        KeyLabel[0]->setText(texts::RunnerRunning);
        CloseCommand->setText(texts::CloseServer);
    }
    // The runner's state is known from the start, also on a console that is
    // not the active window yet (started hidden, or behind another window).
    showRunnerState();
    if (!m_state.openDatabase()) {
        const store::Database &db = m_state.database();
        m_state.messages().show({QStringLiteral("確認"), texts::startupFailure(db.lastErrorNumber(), db.lastError()),
                                 MessageButtons::Ok, MessageIcon::None, false},
                                this);
        return false;
    }

    m_output->setWritePause(m_settings.writePauseMs);
    store::configureLogs(m_state.settings(), m_state.programFolder());

    m_logOnToggle = false;
    Start_Logic();
    if (!m_chartDates[0].isValid() || !m_chartDates[1].isValid()) {
        const store::Database &db = m_state.database();
        m_state.messages().show({QStringLiteral("確認"),
                                 texts::startupFailure(store::Database::EngineError, db.lastError()),
                                 MessageButtons::Ok, MessageIcon::None, false},
                                this);
        return false;
    }

    writeOptionCaptions();
    Timer2->start(platform::clock::msecsToNextMinute());
    return true;
}

bool FrmCal::listenOnChannel()
{
    m_channel = std::make_unique<platform::CommandServer>(link::Application, link::Topic);
    m_channel->addItem(link::Item, DDELabel->text());
    connect(m_channel.get(), &platform::CommandServer::itemChanged, this, [this](const QString &, const QString &text) {
        DDELabel->setText(text);
        DDELabel_Change(text);
    });
    connect(m_channel.get(), &platform::CommandServer::activateRequested, this, &FrmCal::showFromChannel);
    return m_channel->listen();
}

void FrmCal::showFromChannel()
{
    show();
    setWindowState((windowState() & ~Qt::WindowMinimized) | Qt::WindowActive);
    raise();
    activateWindow();
}

void FrmCal::DDELabel_Change(const QString &text)
{
    if (m_ending || store::settingsInteger(text, 0) != 999)
        return;
    m_ending = true;
    store::maintenance::clearMaintenanceFlag(m_state.settings());
    emit quitRequested();
}

void FrmCal::Start_Logic()
{
    m_state.MaintMode = false;
    m_shownDay = 1;
    reloadDayMemos();
    nCurIndex = -1;
    nCurPieceNo = -1;
    for (Ganttline *g : {Ganttline1, Ganttline2}) {
        g->model()->setChartStyle(chart::GntRaisedFace);
        g->model()->setCaption(texts::ChartTitle);
    }
    const QDate today = platform::clock::today();
    m_chartDates[0] = m_chartDates[1] = QDate();
    if (LoadData(today, 0))
        LoadData(today, 1);
    LeaveMaintenanceMode();
    showCalendarLabel();
}

void FrmCal::reloadDayMemos()
{
    Datefold1->model().LoadDayMemo(store::paths::dayInfoPathIn(m_state.databaseFolder()));
}

QString FrmCal::memoOf(const QDate &date) const
{
    QString text;
    quint32 textColour = 0;
    quint32 backColour = 0;
    Datefold1->model().GetDayMemo(calendar::toOleDate(date), text, textColour, backColour);
    return text.trimmed();
}

void FrmCal::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        Form_Activate();
}

void FrmCal::Form_Activate()
{
    if (m_ending)
        return;
    if (m_settings.frontMost && m_topmostPauses == 0)
        setTopmost(true);
    reloadDayMemos();
    applyFontsAndWidths();
    showRunnerState();
}

void FrmCal::applyFontsAndWidths()
{
    for (Ganttline *g : {Ganttline1, Ganttline2}) {
        chart::ChartModel &m = *g->model();
        QFont f = m.Font();
        if (f.pointSize() != m_settings.chartFontSize && m_settings.chartFontSize > 0) {
            f.setPointSize(m_settings.chartFontSize);
            m.setFont(f);
        }
        const float width = float(chart::ChartMetrics::toHimetric(m_settings.itemColumnWidth, g->logicalDpiX()));
        if (qAbs(m.ItemNameWidth() - width) > 0.5f)
            m.setItemNameWidth(width);
    }
    TickfaceModel &clock = *Tickface2->model();
    if (m_settings.clockFontSize > 0 && clock.Font().pointSize() != m_settings.clockFontSize) {
        QFont f = clock.Font();
        f.setPointSize(m_settings.clockFontSize);
        clock.setFont(f);
        QFont n = clock.NumberFont();
        n.setPointSize(m_settings.clockFontSize);
        clock.setNumberFont(n);
    }
}

// KeyLabel(0): the runner's state on a server; a client keeps its mark.
void FrmCal::showRunnerState()
{
    const int flag = store::settingsInteger(m_state.settings().readLocal(store::ini::Client, store::ini::ClientFlg), 0);
    if (flag != 0)
        return;
    if (runner::link::isRunning()) {
        widgetcolour::setBackColor(KeyLabel[0], widgetcolour::Yellow);
        KeyLabel[0]->setText(texts::RunnerRunning);
    } else {
        widgetcolour::setBackColor(KeyLabel[0], widgetcolour::White);
        KeyLabel[0]->setText(texts::RunnerStopped);
    }
}

void FrmCal::setTopmost(bool on)
{
    if (m_topmost == on)
        return;
    m_topmost = on;
    const bool shown = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, on);
    if (shown)
        show();
}

FrmCal::TopmostPause::TopmostPause(FrmCal &form)
    : m_form(form)
{
    if (m_form.m_topmostPauses++ == 0 && m_form.m_settings.frontMost)
        m_form.setTopmost(false);
}

FrmCal::TopmostPause::~TopmostPause()
{
    --m_form.m_topmostPauses;
}

void FrmCal::CloseCommand_Click()
{
    if (m_ending)
        return;
    m_ending = true;
    Timer1->stop();
    Timer2->stop();
    m_state.database().close();
    if (!m_state.ClientMode && m_maintenanceDone)
        takeBackups();
    emit quitRequested();
}

// The copies at close, after a maintenance visit on a server: the database
// into Sch_BackUp.accdb, and, when DB2 NAME is set, the database, the
// password file and the special-day file into that second folder.  Every copy
// replaces its target in one rename, so a failed copy keeps the previous
// one; a failure writes a trace entry and the other copies still run.  The
// second folder is never created: a missing one skips the copy with its
// trace entry.
void FrmCal::takeBackups()
{
    const QString folder = m_state.programFolder();
    QString why;
    if (!store::backupDatabase(m_state.databasePath(), store::paths::backupPath(folder), &why))
        store::WriteTraceLog(texts::backupFailure(store::Database::EngineError, why), QString(), texts::TraceIndex);

    const QString second = m_state.settings().secondCopyPath().trimmed();
    if (second.isEmpty())
        return;
    const QStringList own = store::secondcopy::siteFiles(folder, m_state.databasePath());
    if (store::secondcopy::copyDatabase(store::paths::databasePath(folder), second, own, texts::TraceIndex, &why)
        == store::secondcopy::Outcome::Failed)
        store::WriteTraceLog(texts::backupFailure(store::Database::EngineError, why), second, texts::TraceIndex);
    for (const QString &file : {store::paths::passwordPath(folder), store::paths::dayInfoPath(folder)}) {
        if (!QFileInfo::exists(file))
            continue; // nothing to copy (no password set yet, no special days)
        if (store::secondcopy::copyBeside(file, second, own, texts::TraceIndex, &why)
            == store::secondcopy::Outcome::Failed)
            store::WriteTraceLog(texts::backupFailure(texts::PathFileAccessNumber, why), file, texts::TraceIndex);
    }
}

} // namespace console
