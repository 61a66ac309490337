// Reservation editing on the day charts: drawing a new reservation, moving
// and removing pieces, "予約を変更", "予約を削除", "<< BACK" / "NEXT >>".
// Until the reservation dialog is there, the charts refuse every edit and
// the editing buttons do nothing.
#include "console/main/frmcal.h"

#include "chart/chartmodel.h"
#include "chart/ganttline.h"

namespace console {

void FrmCal::connectEditing()
{
    for (Ganttline *g : {Ganttline1, Ganttline2}) {
        chart::ChartModel *m = g->model();
        connect(m, &chart::ChartModel::AddPieceUI, this,
                [](short, short, double &, double &, bool &bEnable) { bEnable = false; }, Qt::DirectConnection);
        connect(m, &chart::ChartModel::MovePieceUI, this,
                [](short, short, double &, double &, bool &bEnable) { bEnable = false; }, Qt::DirectConnection);
        connect(m, &chart::ChartModel::RemovePieceUI, this,
                [](short, short, bool &bEnable) { bEnable = false; }, Qt::DirectConnection);
    }
}

} // namespace console
