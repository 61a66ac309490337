#include "chart/placeholderpainter.h"

#include "chart/chartmodel.h"
#include "chart/olecolor.h"

#include <QFontMetrics>
#include <QPainter>

namespace chart {

void paintPlaceholder(QPainter &p, const QRect &area, const ChartModel &m, const QPalette &pal, const QFont &font)
{
    const auto color = [&](quint32 ole) { return olecolor::resolve(ole, pal); };
    p.setFont(font);
    const QFontMetrics fm(font);
    const int h = fm.height();
    const int headerHeight = 2 * h + 3;
    const int nameWidth = qMax(0, int(m.ItemNameWidth() * p.device()->logicalDpiX() / 2540.0));
    const int rowHeight = m.ShowPieceTime() ? 3 * h : h + h / 2;

    // Header: caption cell and hour scale.
    const QRect header(area.left(), area.top(), area.width(), headerHeight);
    const QRect caption(header.left(), header.top(), nameWidth, headerHeight);
    const QRect scale(caption.right() + 1, header.top(), qMax(0, area.width() - nameWidth), headerHeight);
    p.fillRect(caption, color(m.CaptionBackColor()));
    p.fillRect(scale, color(m.ScaleBackColor()));
    p.setPen(color(m.CaptionForeColor()));
    p.drawText(caption, Qt::AlignCenter, m.Caption());

    const int first = m.ScaleRangeTop();
    const int last = m.ScaleRangeEnd();
    const int span = qMax(1, (last - first) * 60);
    const auto xOf = [&](int minutes, const QRect &r) { return r.left() + r.width() * (minutes - first * 60) / span; };
    p.setPen(color(m.ScaleForeColor()));
    for (int hour = first; hour <= last; hour += m.ScaleInterval()) {
        const int x = xOf(hour * 60, scale);
        p.drawLine(x, scale.bottom() - h / 2, x, scale.bottom());
        p.drawText(QRect(x + 2, scale.top(), 3 * fm.horizontalAdvance(QLatin1Char('0')), h + h / 4),
                   Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
    }
    p.drawLine(header.left(), header.bottom(), header.right(), header.bottom());

    // Rows.
    const QRect view(area.left(), header.bottom() + 1, area.width(), area.height() - headerHeight);
    if (!m.rowsVisible() || m.itemCount() == 0) {
        p.fillRect(view, pal.color(QPalette::Base));
        return;
    }
    p.fillRect(view, pal.color(QPalette::Base));
    for (int i = 0; i < m.itemCount() && i * rowHeight < view.height(); ++i) {
        const ChartItem *item = m.item(i);
        const QRect row(view.left(), view.top() + i * rowHeight, view.width(), rowHeight);
        const QRect name(row.left(), row.top(), nameWidth, rowHeight);
        const QRect pieces(name.right() + 1, row.top(), qMax(0, row.width() - nameWidth), rowHeight);
        const bool current = i == m.curItem() && m.ShowCursor();
        p.fillRect(name, current ? pal.color(QPalette::Highlight) : color(m.ItemNameBackColor()));
        p.fillRect(pieces, color(m.BackColor()));
        p.setPen(current ? pal.color(QPalette::HighlightedText) : color(m.ItemNameForeColor()));
        p.drawText(name, Qt::AlignCenter, item->name);
        p.setPen(color(m.GridColor()));
        p.drawLine(row.left(), row.bottom(), row.right(), row.bottom());
        item->pieces.forEach([&](qint16 no, const Piece &piece) {
            const int xs = xOf(piece.startMinutes(), pieces);
            const int xe = item->pieceType == GntDot ? xs + h / 2 : xOf(piece.endMinutes(), pieces);
            const QRect bar(xs, row.center().y() - h / 2, qMax(1, xe - xs), h);
            p.fillRect(bar, color(m.pieceColor(i, no)));
            p.setPen(pal.color(QPalette::Shadow));
            p.drawRect(bar.adjusted(0, 0, -1, -1));
            p.setPen(color(m.PieceTextColor()));
            p.drawText(bar.adjusted(2, 0, -2, 0), Qt::AlignCenter, piece.text);
        });
    }
}

} // namespace chart
