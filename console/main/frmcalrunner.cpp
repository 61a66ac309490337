// Runner control, a group's valid flag and the manual output.
#include "console/main/frmcal.h"

#include "chart/chartmodel.h"
#include "chart/ganttline.h"
#include "console/common/messageboxes.h"
#include "console/main/consoletexts.h"
#include "console/main/widgetcolours.h"
#include "platform/commandchannel.h"
#include "runner/runnerlink.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/recordset.h"
#include "store/settings.h"
#include "store/updatablerecordset.h"
#include "switching/outputqueue.h"
#include "switching/switchingtexts.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

namespace console {

void FrmCal::cmdSyuRun_Click()
{
    TopmostPause pause(*this);
    // CLIENT FLG again: a numeric value replaces the mode.
    const QString flag = m_state.settings().readLocal(store::ini::Client, store::ini::ClientFlg);
    m_state.ClientMode = store::settingsInteger(flag, m_state.ClientMode ? 1 : 0) != 0;
    if (m_state.ClientMode) {
        m_state.messages().inform(this, texts::ClientRefusal, false);
        return;
    }
    if (runner::link::isRunning()) {
        // Its command text "0" (sent to the background): "1" brings its
        // window up; otherwise the window is brought forward directly.
        QString text;
        txtDDEPoke->clear();
        if (platform::channel::request(runner::link::Application, runner::link::Topic, runner::link::Item, &text))
            txtDDEPoke->setText(text);
        if (store::settingsInteger(txtDDEPoke->text(), 0) == 0) {
            txtDDEPoke->setText(QStringLiteral("1"));
            platform::channel::poke(runner::link::Application, runner::link::Topic, runner::link::Item,
                                    txtDDEPoke->text());
        } else {
            platform::channel::activate(runner::link::Application, runner::link::Topic);
        }
        return;
    }
    if (!m_state.messages().confirm(this, texts::StartRunnerQuestion, false))
        return;
    // The argument keeps the runner's window visible.
    if (!m_startProgram(QStringLiteral("Schedule"), {QStringLiteral("1")}))
        m_state.messages().inform(this, texts::StartRunnerFailed, false);
}

void FrmCal::cmdSyuEnd_Click()
{
    TopmostPause pause(*this);
    if (m_state.ClientMode) {
        m_state.messages().inform(this, texts::ClientRefusal, false);
        return;
    }
    if (!runner::link::isRunning()) {
        m_state.messages().inform(this, texts::RunnerAlreadyStopped, false);
        return;
    }
    if (!m_state.messages().confirm(this, texts::StopRunnerQuestion, false))
        return;
    // The runner writes its stop record and ends; KeyLabel(0) follows at the
    // next activation.  A busy runner gets the time it needs to answer; one
    // that does not take the stop is said not to have stopped.
    txtDDEPoke->setText(runner::link::StopCommand);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool taken = runner::link::requestStop();
    QApplication::restoreOverrideCursor();
    if (!taken)
        m_state.messages().inform(this, runner::link::StopFailedMessage, false);
}

void FrmCal::CmdYuko_Click(int index)
{
    TopmostPause pause(*this);
    if (nCurIndex < 0)
        return;
    const QString name = chosenGroupName();
    if (name.isEmpty())
        return;
    const bool valid = index == 0;
    store::UpdatableRecordset rs = m_state.database().openUpdatable(store::sql::selectGroupByNameQualified(name));
    if (!rs.isOpen() || rs.eof()) {
        store::WriteTraceLog(QStringLiteral("CmdYuko ") + m_state.database().lastError(), name, texts::TraceIndex);
        return;
    }
    rs.setField(QStringLiteral("YukoFlg"), valid);
    QString error;
    if (!rs.update(&error)) {
        store::WriteTraceLog(QStringLiteral("CmdYuko ") + error, name, texts::TraceIndex);
        return;
    }
    rs.close();
    showGroupState(valid);
    // The group's pieces repaint, white "無効" or by time, on both day
    // charts: the other one comes on screen with the day choice.
    const int other = m_shownDay == 0 ? 1 : 0;
    if (m_chartDates[other].isValid())
        LoadData(m_chartDates[other], other);
    LoadData(calendarDate(), m_shownDay);
}

void FrmCal::CmdGoStop_Click(int index)
{
    {
        TopmostPause pause(*this);
        if (m_state.ClientMode) {
            m_state.messages().inform(this, texts::ClientRefusal);
            return;
        }
        // No is the default: Enter alone never switches the plant.
        const Message question{texts::ManualTitle,
                               index == 0 ? texts::ManualRunQuestion : texts::ManualStopQuestion,
                               MessageButtons::YesNo, MessageIcon::Question, true, true};
        if (m_state.messages().show(question, this) != MessageAnswer::Yes)
            return;
        // Both charts have the same rows.
        const QString name = chartModel(1).GetItemName(short(nCurIndex));
        const int gpno = groupNumberByName(name);
        if (gpno > 0)
            Fix_output(gpno, index == 0);
    }
    Form_Activate();
}

// The number of the group of that name, valid or not; 0 when there is none
// or the database could not be read (then *error says why).
int FrmCal::groupNumberByName(const QString &name, QString *error)
{
    if (name.isEmpty())
        return 0;
    store::Recordset rs = m_state.database().openRecordset(store::sql::selectGroupByName(name));
    if (!rs.isOpen()) {
        store::WriteTraceLog(texts::manualFailure(store::Database::EngineError, m_state.database().lastError()),
                             QString(), texts::TraceIndex);
        if (error)
            *error = m_state.database().lastError();
        return 0;
    }
    return rs.eof() ? 0 : rs.integer(QStringLiteral("GPno"));
}

void FrmCal::Fix_output(int gpno, bool on)
{
    m_output->enqueue(gpno, on, switching::texts::ModeManual);
}

} // namespace console
