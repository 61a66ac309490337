#include "chart/charthittest.h"

#include "chart/chartlayout.h"
#include "chart/chartmodel.h"

#include <cstdlib>

namespace chart {

HitResult hitTest(const ChartModel &model, const ChartLayout &layout, const QPoint &pos)
{
    HitResult r;
    const int item = model.rowsVisible() ? layout.itemAtY(pos.y()) : -1;
    if (item < 0 || !model.isValidIndex(item))
        return r; // code 2

    const int border = layout.rowRect(layout.firstRow).bottom();
    if (model.ItemHeightMode() == GntIhmFreeSize && pos.x() < layout.metrics.itemColumnWidth
        && std::abs(pos.y() - border) <= RowHandleTolerance) {
        r.code = HitRowHeight;
        r.item = layout.firstRow;
        return r;
    }

    r.item = item;
    if (pos.x() < layout.metrics.itemColumnWidth) {
        r.code = HitItemName;
        return r;
    }

    r.code = HitPieceArea;
    const ChartItem *it = model.item(item);
    const QRect row = layout.rowRect(item);
    const int t = layout.minutesAt(pos.x(), false);
    const bool dot = it->pieceType == GntDot;
    bool decided = false;
    it->pieces.forEach([&](qint16 no, const Piece &p) {
        if (decided)
            return;
        // A dot is a candidate over its drawn circle: a minute that falls
        // between two pixels would otherwise never be hit.
        const QRect rect = layout.pieceRect(it->pieceType, p, row);
        const bool candidate = dot ? (pos.x() >= rect.left() && pos.x() <= rect.right())
                                   : (p.startMinutes() <= t && t <= p.endMinutes());
        if (!candidate)
            return;
        if (pos.y() < rect.top() || pos.y() > rect.bottom()) {
            decided = true; // code 0
            return;
        }
        if (dot) {
            r = {HitPieceBody, item, no};
        } else if (std::abs(pos.x() - rect.left()) < EdgeTolerance) {
            r = {HitPieceStart, item, no};
        } else if (std::abs(pos.x() - rect.right()) < EdgeTolerance) {
            r = {HitPieceEnd, item, no};
        } else if (rect.contains(pos)) {
            r = {HitPieceBody, item, no};
        } else {
            return; // try the next candidate
        }
        decided = true;
    });
    return r;
}

} // namespace chart
