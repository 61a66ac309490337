#include "chart/chartlayout.h"

#include "chart/ganttconstants.h"
#include "chart/piece.h"

namespace chart {

ChartLayout ChartLayout::compute(const ChartMetrics &m, const QRect &client, int rangeTop, int rangeEnd, bool freeSize,
                                 int minuteInterval, int itemCount, int firstRow, int firstHour,
                                 int horizontalScrollBarHeight)
{
    ChartLayout l;
    l.metrics = m;
    l.client = client;
    l.freeSize = freeSize;
    l.rangeTop = rangeTop;
    l.rangeEnd = qMax(rangeEnd, rangeTop + 1);
    l.minuteInterval = minuteInterval;
    l.itemCount = qMax(0, itemCount);

    l.header = QRect(client.left(), client.top(), client.width(), m.headerHeight);
    const int col = qMin(m.itemColumnWidth, client.width());
    l.captionCell = QRect(client.left(), client.top(), col, m.headerHeight);
    l.scaleCell = QRect(client.left() + col, client.top(), qMax(0, client.width() - col), m.headerHeight);
    l.scaleClip = l.scaleCell.adjusted(0, 0, -m.scrollBarWidth, 0);

    l.view = QRect(client.left(), client.top() + m.headerHeight, client.width(),
                   qMax(0, client.height() - m.headerHeight));
    l.viewport = QSize(qMax(0, l.view.width() - m.scrollBarWidth),
                       qMax(0, l.view.height() - (freeSize ? horizontalScrollBarHeight : 0)));

    // The time axis is the rows' piece area: from the item column to the
    // vertical scroll bar.  The header's scale lies over it, so ticks, labels
    // and the current-time marker stand above the times they name.
    l.timeLeft = qMin(m.itemColumnWidth, l.viewport.width());
    l.timeWidth = qMax(1, l.viewport.width() - l.timeLeft);
    const int scaleLeft = client.left() + l.timeLeft;
    l.labelBand = QRect(scaleLeft, client.top(), l.timeWidth, m.labelBandHeight);
    l.tickArea = QRect(scaleLeft, client.top() + m.labelBandHeight, l.timeWidth, m.tickBandHeight);
    l.timeBand = QRect(scaleLeft, l.tickArea.bottom() + 1, l.timeWidth, m.timeBandHeight);

    if (freeSize) {
        const int fit = qMax(1, l.timeWidth / qMax(1, m.pixelsPerHour));
        const int pageHours = qMin(fit, l.rangeEnd - l.rangeTop);
        l.firstHour = qBound(l.rangeTop, firstHour, l.rangeEnd - pageHours);
        l.lastHour = qMin(l.rangeEnd, l.firstHour + fit);
    } else {
        l.firstHour = l.rangeTop;
        l.lastHour = l.rangeEnd;
    }
    const int page = l.wholeRowsFit();
    l.firstRow = qBound(0, firstRow, qMax(0, l.itemCount - qMax(1, page)));
    return l;
}

int ChartLayout::offsetOf(int hour, int minute) const
{
    const int m = (hour - firstHour) * 60 + minute;
    if (freeSize)
        return metrics.pixelsPerHour * m / 60;
    const int span = qMax(1, (lastHour - firstHour) * 60);
    return int(qint64(timeWidth) * m / span);
}

int ChartLayout::minutesAt(int x, bool snap) const
{
    const int dx = x - timeLeft;
    int m;
    if (freeSize) {
        m = int(qint64(dx) * 60 / qMax(1, metrics.pixelsPerHour));
    } else {
        const int span = (lastHour - firstHour) * 60;
        m = int(qint64(dx) * span / qMax(1, timeWidth));
    }
    if (snap && minuteInterval > 0 && m > 0 && m % minuteInterval != 0)
        m = (m / minuteInterval + 1) * minuteInterval;
    return firstHour * 60 + m;
}

int ChartLayout::wholeRowsFit() const
{
    return viewport.height() / qMax(1, metrics.rowHeight);
}

int ChartLayout::visibleRowCount() const
{
    const int rh = qMax(1, metrics.rowHeight);
    int n = viewport.height() / rh;
    if (viewport.height() % rh)
        ++n;
    return qBound(0, n, itemCount - firstRow);
}

QRect ChartLayout::rowRect(int item) const
{
    return QRect(0, (item - firstRow) * metrics.rowHeight, viewport.width(), metrics.rowHeight);
}

QRect ChartLayout::nameCell(int item) const
{
    const QRect r = rowRect(item);
    return QRect(r.left(), r.top(), qMin(metrics.itemColumnWidth, r.width()), r.height());
}

QRect ChartLayout::pieceArea(int item) const
{
    const QRect r = rowRect(item);
    const int col = qMin(metrics.itemColumnWidth, r.width());
    return QRect(r.left() + col, r.top(), r.width() - col, r.height());
}

int ChartLayout::rowsBottom() const
{
    return visibleRowCount() * metrics.rowHeight;
}

int ChartLayout::itemAtY(int y) const
{
    if (y < 0 || y >= rowsBottom())
        return -1;
    return firstRow + y / qMax(1, metrics.rowHeight);
}

QRect ChartLayout::pieceRect(int pieceType, const Piece &piece, const QRect &row) const
{
    const int cy = row.top() + row.height() / 2;
    const int xs = xOf(piece.startMinutes());
    if (pieceType == GntDot) {
        const int r = dotRadius();
        return QRect(QPoint(xs - r, cy - r), QPoint(xs + r, cy + r));
    }
    const int xe = xOf(piece.endMinutes());
    const int half = metrics.h / 2 + 1;
    return QRect(QPoint(xs, cy - half), QPoint(xe, cy + half));
}

} // namespace chart
