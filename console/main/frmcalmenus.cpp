// The menu buttons: the weekly master editor, the special-day calendar and
// the maintenance menu.  Each screen is shown modally; afterwards the charts
// are brought up to date where the screen may have changed them.
#include "console/main/frmcal.h"

#include "console/maintenance/frmholidaysetting.h"
#include "console/maintenance/frmmain.h"
#include "platform/clock.h"

#include <QPushButton>

namespace console {

void FrmCal::CmdMenu1_Click()
{
    {
        TopmostPause pause(*this);
        FrmMain editor(m_state, this);
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
        // The maintenance menu frmMent opens here; in the view mode
        // ("グループ確認") as a read-only visit without its editing buttons.
        if (CmdMenu3->text() != QStringLiteral("グループ確認")) {
            const QDate today = platform::clock::today();
            LoadData(today, 0);
            LoadData(today.addDays(1), 1);
        }
    }
    Form_Activate();
}

} // namespace console
