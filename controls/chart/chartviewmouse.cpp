// The chart view's mouse: row choice, clicks, piece drags, the new-piece
// drag and the row-height drag.
#include "chart/chartview.h"

#include "chart/chartmodel.h"

#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>

#include <utility>

namespace chart {

int ChartView::snappedTimeAt(int x) const
{
    return m_layout.minutesAt(x, true);
}

int ChartView::clampToScale(int minutes) const
{
    return qBound(m_layout.rangeTop * 60, minutes, m_layout.rangeEnd * 60);
}

void ChartView::mousePressEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    if (e->button() == Qt::RightButton) {
        if (!editMode())
            return;
        m_hit = hitTest(*m_model, m_layout, pos);
        const HitResult hit = m_hit;
        if (m_editor)
            closeEditor(true);
        QMenu *menu = createContextMenu(hit, pos);
        menu->exec(e->globalPosition().toPoint());
        delete menu;
        return;
    }
    if (e->button() != Qt::LeftButton)
        return;

    m_doubleClickHeld = false;
    m_hit = hitTest(*m_model, m_layout, pos);
    if (m_hit.code == HitRowHeight) {
        m_rowDrag.active = true;
        m_rowDrag.y = qBound(0, pos.y(), qMax(0, m_layout.viewport.height() - 1));
        viewport()->update();
        setFocus(Qt::MouseFocusReason);
        return;
    }
    if (m_hit.item >= 0 && m_hit.item != m_model->curItem()) {
        m_keepScroll = true;
        makeCurrent(m_hit.item, true);
        m_keepScroll = false;
        // A host's ItemClick handler may have changed the chart.
        m_hit = hitTest(*m_model, m_layout, pos);
    }
    if (editMode() && m_hit.item >= 0) {
        const int mask = m_model->UIMask();
        const ChartItem *it = m_model->item(m_hit.item);
        if (m_hit.onPiece() && !(mask & GntMaskMovePieceUI) && it) {
            const Piece *p = it->pieces.find(qint16(m_hit.piece));
            if (p) {
                m_pieceDrag.mode = PieceDragMode(m_hit.code - 2);
                m_pieceDrag.item = m_hit.item;
                m_pieceDrag.piece = m_hit.piece;
                m_pieceDrag.start = p->startMinutes();
                m_pieceDrag.end = p->endMinutes();
                m_pieceDrag.reference = snappedTimeAt(pos.x());
                viewport()->update(m_layout.rowRect(m_hit.item));
            }
        } else if (m_hit.code == HitPieceArea && !(mask & GntMaskAddPieceUI)) {
            m_newDrag.active = true;
            m_newDrag.item = m_hit.item;
            m_newDrag.anchor = clampToScale(snappedTimeAt(pos.x()));
            m_newDrag.current = m_newDrag.anchor;
            viewport()->update(m_layout.rowRect(m_hit.item));
        }
    }
    setFocus(Qt::MouseFocusReason);
}

void ChartView::mouseMoveEvent(QMouseEvent *e)
{
    const QPoint pos = e->position().toPoint();
    if (m_rowDrag.active) {
        // The guide stays inside the view.
        m_rowDrag.y = qBound(0, pos.y(), qMax(0, m_layout.viewport.height() - 1));
        viewport()->update(QRect(0, 0, m_layout.metrics.itemColumnWidth, m_layout.viewport.height()));
        return;
    }
    if (m_pieceDrag.mode != NoPieceDrag) {
        m_hit = HitResult{HitPieceArea, m_pieceDrag.item, -1};
        dragPiece(pos);
        return;
    }
    m_hit = hitTest(*m_model, m_layout, pos);
    if (m_newDrag.active) {
        // The pointer is held inside the row's piece area.
        const QRect area = m_layout.pieceArea(m_newDrag.item);
        const int x = qBound(area.left(), pos.x(), area.right());
        const int t = clampToScale(snappedTimeAt(x));
        if (t != m_newDrag.current) {
            m_newDrag.current = t;
            viewport()->update(m_layout.rowRect(m_newDrag.item));
        }
        return;
    }
    const bool edge = editMode() && (m_hit.code == HitPieceStart || m_hit.code == HitPieceEnd);
    if (edge)
        viewport()->setCursor(Qt::SizeHorCursor);
    else if (m_hit.code == HitRowHeight)
        viewport()->setCursor(Qt::SplitVCursor);
    else
        viewport()->unsetCursor();
}

void ChartView::dragPiece(const QPoint &pos)
{
    const ChartItem *it = m_model->item(m_pieceDrag.item);
    if (!it)
        return;
    const int t = snappedTimeAt(pos.x());
    int b = t - m_pieceDrag.reference;
    if (b == 0)
        return;
    const int top = m_layout.rangeTop * 60;
    const int end = m_layout.rangeEnd * 60;
    const int step = m_model->ScaleMinuteInterval();
    int s = m_pieceDrag.start;
    int e = m_pieceDrag.end;
    switch (m_pieceDrag.mode) {
    case MovePiece: {
        const bool dot = it->pieceType == GntDot;
        if (s + b < top)
            b = top - s;
        const int last = dot ? s : e;
        if (last + b > end)
            b = end - last;
        s += b;
        e += b;
        break;
    }
    case DragStart:
        s = qMin(qMax(s + b, m_layout.firstHour * 60), e - step);
        break;
    case DragEnd:
        e = qMax(qMin(e + b, end), s + step);
        break;
    case NoPieceDrag:
        return;
    }
    m_pieceDrag.reference = t;
    if (s == m_pieceDrag.start && e == m_pieceDrag.end)
        return;
    const QRect row = m_layout.rowRect(m_pieceDrag.item);
    m_pieceDrag.start = s;
    m_pieceDrag.end = e;
    viewport()->update(row);
}

void ChartView::mouseReleaseEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint pos = e->position().toPoint();
    if (m_rowDrag.active) {
        m_rowDrag.active = false;
        // Zero or one pixel would leave no row to see or to grab again.
        const int height = qMax(4, m_rowDrag.y);
        m_model->setItemHeight(ChartMetrics::toHimetric(height, logicalDpiY()));
        viewport()->repaint();
        return;
    }
    // The release that ends a double click clicks nothing: the first release
    // clicked the piece, the double click raised PieceDblClick.
    const bool endsDoubleClick = std::exchange(m_doubleClickHeld, false);
    if (editMode()) {
        if (m_pieceDrag.mode != NoPieceDrag)
            finishPieceDrag();
        if (m_hit.onPiece() && !endsDoubleClick)
            emit m_model->PieceClick(short(m_hit.item), short(m_hit.piece));
        if (m_newDrag.active)
            finishNewPiece();
        return;
    }
    // A browse-mode release does not end an edit-mode drag that the host
    // interrupted by switching modes; drop any such state.
    m_pieceDrag.mode = NoPieceDrag;
    m_newDrag.active = false;
    const HitResult hit = hitTest(*m_model, m_layout, pos);
    if (hit.onPiece() && !endsDoubleClick)
        emit m_model->PieceClick(short(hit.item), short(hit.piece));
}

void ChartView::mouseDoubleClickEvent(QMouseEvent *e)
{
    if (e->button() != Qt::LeftButton)
        return;
    const QPoint pos = e->position().toPoint();
    m_doubleClickHeld = true;
    HitResult hit = hitTest(*m_model, m_layout, pos);
    if (hit.item >= 0 && hit.item != m_model->curItem()) {
        m_keepScroll = true;
        makeCurrent(hit.item, false);
        m_keepScroll = false;
    }
    m_hit = hit;
    if (hit.code == HitItemName)
        emit m_model->ItemDblClick(short(hit.item));
    else if (hit.onPiece())
        emit m_model->PieceDblClick(short(hit.item), short(hit.piece));
}

void ChartView::finishPieceDrag()
{
    const auto drag = m_pieceDrag;
    m_pieceDrag.mode = NoPieceDrag;
    viewport()->update(m_layout.rowRect(drag.item));
    const ChartItem *it = m_model->item(drag.item);
    const Piece *p = it ? it->pieces.find(qint16(drag.piece)) : nullptr;
    if (!p || (p->startMinutes() == drag.start && p->endMinutes() == drag.end))
        return;
    double dtStart = ChartModel::chartTimeToDate(drag.start / 60, drag.start % 60);
    double dtEnd = ChartModel::chartTimeToDate(drag.end / 60, drag.end % 60);
    bool enable = true;
    emit m_model->MovePieceUI(short(drag.item), short(drag.piece), dtStart, dtEnd, enable);
    if (!enable)
        return;
    int sh, sm, eh, em;
    if (ChartModel::dateToChartTime(dtStart, &sh, &sm) && ChartModel::dateToChartTime(dtEnd, &eh, &em)
        && qAbs(sh) < 32768 && qAbs(eh) < 32768)
        m_model->SetPieceRange(short(drag.item), short(drag.piece), short(sh), short(sm), short(eh), short(em));
    emit m_model->MovedPieceUI(short(drag.item), short(drag.piece));
}

void ChartView::finishNewPiece()
{
    const auto drag = m_newDrag;
    m_newDrag.active = false;
    viewport()->update(m_layout.rowRect(drag.item));
    const ChartItem *it = m_model->item(drag.item);
    if (!it)
        return;
    if (it->pieceType != GntDot && drag.anchor == drag.current)
        return; // a plain click on a Line or Rect row creates nothing
    proposePiece(drag.item, qMin(drag.anchor, drag.current), qMax(drag.anchor, drag.current));
}

void ChartView::proposePiece(int item, int start, int end)
{
    const short number = m_model->GetPieceFreeNo(short(item));
    if (number < 0)
        return; // every number is taken
    double dtStart = ChartModel::chartTimeToDate(start / 60, start % 60);
    double dtEnd = ChartModel::chartTimeToDate(end / 60, end % 60);
    bool enable = true;
    emit m_model->AddPieceUI(short(item), number, dtStart, dtEnd, enable);
    if (!enable)
        return;
    int sh, sm, eh, em;
    if (ChartModel::dateToChartTime(dtStart, &sh, &sm) && ChartModel::dateToChartTime(dtEnd, &eh, &em)
        && qAbs(sh) < 32768 && qAbs(eh) < 32768)
        m_model->SetPieceRange(short(item), number, short(sh), short(sm), short(eh), short(em));
    emit m_model->AddedPieceUI(short(item), number);
}

} // namespace chart
