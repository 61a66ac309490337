// The menu buttons: the weekly master editor, the special-day calendar and
// the maintenance menu.  Each screen is shown modally; afterwards the charts
// are brought up to date where the screen may have changed them.
#include "console/main/frmcal.h"

#include "console/main/consoletexts.h"
#include "console/maintenance/frmcopy.h"
#include "console/maintenance/frmholidaysetting.h"
#include "console/maintenance/frmmain.h"
#include "console/maintenance/frmment.h"
#include "platform/clock.h"

#include <QLabel>
#include <QPushButton>

namespace console {

void FrmCal::CmdMenu1_Click()
{
    {
        TopmostPause pause(*this);
        FrmMain editor(m_state, this);
        // The copy screen starts on the editor's group and leaves the editor
        // showing the destination after each copy.
        editor.setCopyScreen([this](FrmMain &main) {
            FrmCopy copy(m_state, main.groupName(), main.groupNo(), &main);
            connect(&copy, &FrmCopy::destinationCopied, &main, &FrmMain::selectGroup);
            copy.exec();
        });
        editor.exec();
        if (m_state.MaintMode) {
            const QDate today = platform::clock::today();
            LoadData(today, 0);
            LoadData(today.addDays(1), 1);
        }
    }
    Form_Activate();
}

void FrmCal::CmdMenu2_Click()
{
    {
        TopmostPause pause(*this);
        FrmHolidaySetting holidays(m_state, this);
        holidays.exec();
    }
    Form_Activate();
}

void FrmCal::CmdMenu3_Click()
{
    {
        TopmostPause pause(*this);
        // In the view mode ("グループ確認") a read-only visit without the
        // editing buttons.
        const bool viewOnly = CmdMenu3->text() == QStringLiteral("グループ確認");
        FrmMent ment(m_state, nCurIndex, this);
        ment.setViewOnly(viewOnly);
        // What the settings screen saves takes effect in this console at once.
        connect(&ment, &FrmMent::displaySaved, this, [this](int chartFontSize, int clockFontSize, int groupWidth) {
            m_settings.chartFontSize = chartFontSize;
            m_settings.clockFontSize = clockFontSize;
            m_settings.itemColumnWidth = groupWidth;
        });
        connect(&ment, &FrmMent::clientModeSaved, this, [this](bool client) {
            KeyLabel[0]->setText(client ? texts::ClientMark : texts::RunnerRunning);
            CloseCommand->setText(client ? texts::CloseClient : texts::CloseServer);
        });
        ment.exec();
        if (!viewOnly) {
            const QDate today = platform::clock::today();
            LoadData(today, 0);
            LoadData(today.addDays(1), 1);
        }
    }
    Form_Activate();
}

} // namespace console
