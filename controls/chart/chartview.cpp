// The chart view: layout, scrolling, drawing and the keyboard.
#include "chart/chartview.h"

#include "chart/chartmodel.h"
#include "chart/chartpainter.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>

namespace chart {

ChartView::ChartView(ChartModel *model, QWidget *parent)
    : QAbstractScrollArea(parent), m_model(model)
{
    setObjectName(QStringLiteral("GanttlineChartView"));
    viewport()->setObjectName(QStringLiteral("GanttlineChartViewport"));
    setFrameShape(QFrame::NoFrame);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    verticalScrollBar()->setObjectName(QStringLiteral("GanttlineRowScrollBar"));
    horizontalScrollBar()->setObjectName(QStringLiteral("GanttlineHourScrollBar"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
}

ChartView::~ChartView() = default;

bool ChartView::editMode() const
{
    return m_model->ActionStyle() == GntEdit;
}

void ChartView::applyMetrics(const ChartMetrics &metrics, const QRect &client)
{
    m_metrics = metrics;
    m_client = client;
    setHorizontalScrollBarPolicy(m_model->ScaleMode() == GntFreeSize ? Qt::ScrollBarAlwaysOn
                                                                     : Qt::ScrollBarAlwaysOff);
    relayout();
    setGeometry(m_layout.view);
    relayout(); // the scroll bars may have changed the viewport
    updateScrollBars();
    viewport()->update();
}

void ChartView::relayout()
{
    const int hbar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
    m_layout = ChartLayout::compute(m_metrics, m_client, m_model->ScaleRangeTop(), m_model->ScaleRangeEnd(),
                                    m_model->ScaleMode() == GntFreeSize, m_model->ScaleMinuteInterval(),
                                    m_model->rowsVisible() ? m_model->itemCount() : 0,
                                    verticalScrollBar()->value(), horizontalScrollBar()->value(), hbar);
}

void ChartView::updateScrollBars()
{
    m_settingRanges = true;
    const int count = m_model->rowsVisible() ? m_model->itemCount() : 0;
    const int page = qMax(1, m_layout.wholeRowsFit());
    QScrollBar *v = verticalScrollBar();
    v->setRange(0, qMax(0, count - page));
    v->setPageStep(page);
    v->setSingleStep(1);
    v->setValue(m_layout.firstRow);
    v->setEnabled(count > page);

    QScrollBar *hb = horizontalScrollBar();
    if (m_layout.freeSize) {
        const int pageHours = qMax(1, m_layout.lastHour - m_layout.firstHour);
        hb->setRange(m_layout.rangeTop, qMax(m_layout.rangeTop, m_layout.rangeEnd - pageHours));
        hb->setPageStep(pageHours);
        hb->setSingleStep(1);
        hb->setValue(m_layout.firstHour);
        hb->setEnabled(hb->maximum() > hb->minimum());
    } else {
        hb->setRange(0, 0);
    }
    m_settingRanges = false;
}

void ChartView::scrollContentsBy(int, int)
{
    if (m_settingRanges)
        return;
    if (m_editor)
        closeEditor(true);
    const int oldFirstHour = m_layout.firstHour;
    relayout();
    viewport()->update();
    if (m_layout.firstHour != oldFirstHour)
        emit hoursScrolled();
}

void ChartView::resizeEvent(QResizeEvent *e)
{
    QAbstractScrollArea::resizeEvent(e);
    relayout();
    updateScrollBars();
}

void ChartView::updateRow(int item)
{
    if (item < m_layout.firstRow || item >= m_layout.firstRow + m_layout.visibleRowCount())
        return;
    viewport()->update(m_layout.rowRect(item));
}

void ChartView::itemsChanged()
{
    // Rows have moved under an open editor or a drag: their item index may now
    // name another item, so they end without touching the model.
    if (m_editor)
        closeEditor(false);
    m_pieceDrag.mode = NoPieceDrag;
    m_newDrag.active = false;
    m_model->clampCurrentItem();
    relayout();
    updateScrollBars();
    relayout();
    if (viewport()->isVisible())
        viewport()->repaint();
}

void ChartView::currentChanged(int previous, int current)
{
    updateRow(previous);
    updateRow(current);
    if (!m_keepScroll)
        ensureVisible(current);
}

void ChartView::ensureVisible(int item)
{
    if (item < 0)
        return;
    const int page = qMax(1, m_layout.wholeRowsFit());
    int first = m_layout.firstRow;
    if (item < first)
        first = item;
    else if (item >= first + page)
        first = item - page + 1;
    if (first != verticalScrollBar()->value())
        verticalScrollBar()->setValue(first);
}

void ChartView::scrollHours(int firstHour)
{
    if (m_layout.freeSize)
        horizontalScrollBar()->setValue(firstHour);
}

void ChartView::paintEvent(QPaintEvent *e)
{
    QPainter p(viewport());
    const ChartPainter painter(*m_model, m_layout, palette(), font(), &m_textCache);
    const bool focus = hasFocus() || (m_editor && m_editor->hasFocus());
    painter.paintView(p, e->rect(), focus);
    paintFeedback(p);
}

QRect ChartView::feedbackRect() const
{
    if (m_pieceDrag.mode != NoPieceDrag) {
        const ChartItem *it = m_model->item(m_pieceDrag.item);
        if (!it)
            return {};
        Piece p;
        p.startHour = qint16(m_pieceDrag.start / 60);
        p.startMinute = qint16(m_pieceDrag.start % 60);
        p.endHour = qint16(m_pieceDrag.end / 60);
        p.endMinute = qint16(m_pieceDrag.end % 60);
        return m_layout.pieceRect(it->pieceType, p, m_layout.rowRect(m_pieceDrag.item));
    }
    if (m_newDrag.active) {
        const QRect row = m_layout.rowRect(m_newDrag.item);
        const int a = m_layout.xOf(qMin(m_newDrag.anchor, m_newDrag.current));
        const int b = m_layout.xOf(qMax(m_newDrag.anchor, m_newDrag.current));
        return QRect(QPoint(a, row.top()), QPoint(b, row.bottom()));
    }
    return {};
}

void ChartView::paintFeedback(QPainter &p) const
{
    // Drag feedback is drawn inverted over the chart.
    const bool any = m_pieceDrag.mode != NoPieceDrag || m_newDrag.active || m_rowDrag.active;
    if (!any)
        return;
    p.save();
    p.setCompositionMode(QPainter::CompositionMode_Difference);
    if (m_rowDrag.active) {
        p.fillRect(QRect(0, m_rowDrag.y, m_layout.metrics.itemColumnWidth, 1), Qt::white);
    } else {
        const QRect r = feedbackRect();
        if (r.isValid())
            p.fillRect(r, Qt::white);
    }
    p.restore();
}

void ChartView::makeCurrent(int item, bool fireClick)
{
    if (item < 0 || item == m_model->curItem())
        return;
    m_model->SetCurItem(short(item));
    if (fireClick)
        emit m_model->ItemClick(short(item));
}

void ChartView::keyPressEvent(QKeyEvent *e)
{
    const bool ctrl = e->modifiers() & Qt::ControlModifier;
    const bool keypad = e->modifiers() & Qt::KeypadModifier;
    const int count = m_model->itemCount();
    const int page = qMax(1, m_layout.wholeRowsFit());
    const int cur = m_model->curItem();
    int target = cur;
    bool rowKey = false;
    switch (e->key()) {
    case Qt::Key_PageUp:
        if (ctrl)
            horizontalScrollBar()->setValue(m_layout.firstHour - qMax(1, m_layout.lastHour - m_layout.firstHour));
        else
            target = cur - page, rowKey = true;
        break;
    case Qt::Key_PageDown:
        if (ctrl)
            horizontalScrollBar()->setValue(m_layout.firstHour + qMax(1, m_layout.lastHour - m_layout.firstHour));
        else
            target = cur + page, rowKey = true;
        break;
    case Qt::Key_8:
        if (!keypad)
            return QAbstractScrollArea::keyPressEvent(e);
        [[fallthrough]];
    case Qt::Key_Up:
        target = ctrl ? 0 : cur - 1;
        rowKey = true;
        break;
    case Qt::Key_2:
        if (!keypad)
            return QAbstractScrollArea::keyPressEvent(e);
        [[fallthrough]];
    case Qt::Key_Down:
        target = ctrl ? count - 1 : cur + 1;
        rowKey = true;
        break;
    case Qt::Key_Left:
        horizontalScrollBar()->setValue(ctrl ? horizontalScrollBar()->minimum() : m_layout.firstHour - 1);
        break;
    case Qt::Key_Right:
        horizontalScrollBar()->setValue(ctrl ? horizontalScrollBar()->maximum() : m_layout.firstHour + 1);
        break;
    default:
        return QAbstractScrollArea::keyPressEvent(e);
    }
    e->accept();
    if (!rowKey || count == 0)
        return;
    target = qBound(0, target, count - 1);
    if (target != cur)
        makeCurrent(target, true);
    ensureVisible(target);
}

void ChartView::focusInEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusInEvent(e);
    updateRow(m_model->curItem());
}

void ChartView::focusOutEvent(QFocusEvent *e)
{
    QAbstractScrollArea::focusOutEvent(e);
    updateRow(m_model->curItem());
}

} // namespace chart
