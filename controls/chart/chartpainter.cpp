#include "chart/chartpainter.h"

#include "chart/chartlayout.h"
#include "chart/chartmodel.h"
#include "chart/charttextcache.h"
#include "chart/olecolor.h"

#include <QPainter>
#include <QPolygon>

namespace chart {
namespace {

QString hourMinute(int hour, int minute)
{
    // "%02d:%02d" without the cost of a formatting call per piece.
    QString s(5, QLatin1Char(':'));
    s[0] = QLatin1Char(char('0' + (hour / 10) % 10));
    s[1] = QLatin1Char(char('0' + hour % 10));
    s[3] = QLatin1Char(char('0' + minute / 10));
    s[4] = QLatin1Char(char('0' + minute % 10));
    return s;
}

quint32 mapBytes(quint32 c, quint32 (*f)(quint32))
{
    return f(c & 0xFF) | (f((c >> 8) & 0xFF) << 8) | (f((c >> 16) & 0xFF) << 16);
}

} // namespace

ChartPainter::ChartPainter(const ChartModel &model, const ChartLayout &layout, const QPalette &palette,
                           const QFont &font, ChartTextCache *cache)
    : m_model(model), m_layout(layout), m_palette(palette), m_font(font), m_fm(font)
    , m_texts(cache ? cache->forFont(font) : nullptr)
{
}

quint32 ChartPainter::rectLightColor(quint32 c)
{
    return mapBytes(c, [](quint32 b) { return ((3 * b) % 256) | 0x80; });
}

quint32 ChartPainter::rectDarkColor(quint32 c)
{
    return mapBytes(c, [](quint32 b) { return b / 2; });
}

QColor ChartPainter::color(quint32 ole) const
{
    return olecolor::resolve(ole, m_palette);
}

QColor ChartPainter::system(int index) const
{
    return olecolor::resolveSystem(olecolor::SystemColor(index), m_palette);
}

void ChartPainter::plainText(QPainter &p, const QRect &r, int align, const QString &text) const
{
    if (text.isEmpty())
        return;
    const QStaticText *st = m_texts ? &m_texts->text(text) : nullptr;
    const int width = st ? qRound(st->size().width()) : m_fm.horizontalAdvance(text);
    int x;
    if (align & Qt::AlignRight)
        x = r.left() + r.width() - width;
    else if (align & Qt::AlignHCenter)
        x = r.left() + (r.width() - width) / 2;
    else
        x = r.left();
    int top;
    if (align & Qt::AlignBottom)
        top = r.top() + r.height() - m_fm.height();
    else if (align & Qt::AlignVCenter)
        top = r.top() + (r.height() - m_fm.height()) / 2;
    else
        top = r.top();
    if (st)
        p.drawStaticText(QPoint(x, top), *st);
    else
        p.drawText(QPoint(x, top + m_fm.ascent()), text);
}

void ChartPainter::styledText(QPainter &p, const QRect &r, int align, const QString &text, int fontStyle,
                              const QColor &c) const
{
    const QColor light = system(olecolor::ButtonHighlight);
    const QColor shadow = system(olecolor::ButtonShadow);
    const auto pass = [&](const QColor &col, int offset) {
        p.setPen(col);
        plainText(p, r.translated(offset, offset), align, text);
    };
    switch (fontStyle) {
    case GntRaisedFont:
        pass(light, 0);
        pass(c, 1);
        break;
    case GntRaisedSFont:
        pass(light, 0);
        pass(shadow, 2);
        pass(c, 1);
        break;
    case GntInsetFont:
        pass(light, 1);
        pass(c, 0);
        break;
    case GntInsetSFont:
        pass(light, 2);
        pass(shadow, 0);
        pass(c, 1);
        break;
    default:
        pass(c, 0);
        break;
    }
}

void ChartPainter::frame3D(QPainter &p, const QRect &r, const QColor &light, const QColor &dark) const
{
    p.setPen(light);
    p.drawLine(r.left(), r.top(), r.right(), r.top());
    p.drawLine(r.left(), r.top(), r.left(), r.bottom());
    p.setPen(dark);
    p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    p.drawLine(r.right(), r.top(), r.right(), r.bottom());
}

// ---- Header ----

void ChartPainter::paintHeader(QPainter &p) const
{
    p.save();
    p.setFont(m_font);
    p.setRenderHint(QPainter::Antialiasing, false);
    paintCaption(p);
    if (m_layout.captionCell.right() < m_layout.header.right())
        paintScale(p);
    p.setClipping(false);
    p.setPen(color(m_model.ScaleForeColor()));
    const QRect &hd = m_layout.header;
    p.drawLine(hd.left(), hd.bottom(), hd.right(), hd.bottom());
    p.restore();
}

void ChartPainter::paintCaption(QPainter &p) const
{
    const QRect &cell = m_layout.captionCell;
    if (cell.width() <= 0)
        return;
    if (m_model.ChartStyle() == GntRaisedFace) {
        p.fillRect(cell, system(olecolor::ButtonFace));
        frame3D(p, cell, system(olecolor::ButtonHighlight), system(olecolor::ButtonShadow));
    } else {
        p.fillRect(cell, color(m_model.CaptionBackColor()));
        p.setPen(color(m_model.ScaleForeColor()));
        p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
    }
    styledText(p, cell, Qt::AlignCenter, m_model.Caption(), m_model.FontStyle(), color(m_model.CaptionForeColor()));
}

void ChartPainter::paintScale(QPainter &p) const
{
    const ChartLayout &l = m_layout;
    const QRect &cell = l.scaleCell;
    const bool raised = m_model.ChartStyle() == GntRaisedFace;
    if (raised) {
        p.fillRect(cell, system(olecolor::ButtonFace));
        frame3D(p, cell, system(olecolor::ButtonHighlight), system(olecolor::ButtonShadow));
    } else {
        p.fillRect(cell, color(m_model.ScaleBackColor()));
    }
    p.setClipRect(l.scaleClip);

    const QColor fore = color(m_model.ScaleForeColor());
    const int left = l.client.left();
    const QRect &ticks = l.tickArea;
    const int th = ticks.height();
    const int bottom = ticks.bottom();
    const int interval = qMax(1, int(m_model.ScaleInterval()));
    const int minuteStep = m_model.ScaleMinuteInterval();
    p.setPen(fore);
    for (int i = l.rangeTop; i <= l.rangeEnd; ++i) {
        const int x = left + l.lineX(i * 60);
        const int k = i % 12 == 0 ? 0 : i % interval == 0 ? 20 : 40;
        p.drawLine(x, ticks.top() + th * k / 100, x, bottom);
        if (i < l.rangeEnd) {
            p.drawLine(x, bottom, left + l.xOf((i + 1) * 60), bottom);
            if (minuteStep > 0) {
                for (int m = minuteStep; m < 60; m += minuteStep) {
                    const int mx = left + l.xOf(i * 60 + m);
                    p.drawLine(mx, ticks.top() + th * 80 / 100, mx, bottom);
                }
            }
        }
    }

    // Labels start at their hour's tick; the last ones, which would run past
    // the scale's right end (under the scroll bar's column), end there instead.
    const int scaleEnd = l.scaleClip.right() + 1;
    const int labelLimit = scaleEnd - 2; // room for the styled passes' offsets
    for (int a = l.rangeTop; a <= l.rangeEnd; a += interval) {
        int x = left + l.xOf(a * 60);
        if (x > scaleEnd)
            continue; // an hour scrolled out to the right
        const QString label = QString::asprintf("%02d", a);
        x = qMin(x, labelLimit - m_fm.horizontalAdvance(label));
        const int x2 = left + l.xOf((a + interval) * 60);
        const QRect r(QPoint(x, l.labelBand.top()), QPoint(qMax(x, x2), l.labelBand.bottom() - 1));
        styledText(p, r, Qt::AlignLeft | Qt::AlignBottom, label, m_model.FontStyle(), fore);
    }

    if (m_model.ShowCurTime()) {
        const QTime now = m_model.curTime();
        const int h = l.metrics.h;
        const int x = left + l.xOf(now.hour() * 60 + now.minute());
        const int t = l.timeBand.top();
        const int d = h / 3;
        const QPolygon marker({QPoint(x, t), QPoint(x - d, t + d), QPoint(x - d, t + h / 2), QPoint(x + d, t + h / 2),
                               QPoint(x + d, t + d)});
        if (raised) {
            p.setPen(Qt::NoPen);
            p.setBrush(system(olecolor::ButtonFace));
            p.drawPolygon(marker);
            p.setBrush(Qt::NoBrush);
            p.setPen(system(olecolor::ButtonHighlight));
            p.drawLine(marker[0], marker[1]);
            p.drawLine(marker[1], marker[2]);
            p.setPen(system(olecolor::WindowFrame));
            p.drawLine(marker[2], marker[3]);
            p.drawLine(marker[3], marker[4]);
            p.drawLine(marker[4], marker[0]);
        } else {
            p.setPen(system(olecolor::WindowFrame));
            p.setBrush(fore);
            p.drawPolygon(marker);
            p.setBrush(Qt::NoBrush);
        }
    }
}

// ---- Chart view ----

void ChartPainter::paintView(QPainter &p, const QRect &dirty, bool hasFocus) const
{
    const ChartLayout &l = m_layout;
    const bool raised = m_model.ChartStyle() == GntRaisedFace;
    const QRect all(QPoint(0, 0), l.viewport);
    p.save();
    p.setFont(m_font);
    p.setRenderHint(QPainter::Antialiasing, false);
    if (!m_model.rowsVisible()) {
        p.fillRect(all, system(olecolor::Window));
        p.restore();
        return;
    }
    if (m_model.itemCount() == 0) {
        p.fillRect(all, system(raised ? olecolor::ButtonFace : olecolor::Window));
        p.restore();
        return;
    }
    const int bottom = l.rowsBottom();
    const int col = qMin(l.metrics.itemColumnWidth, l.viewport.width());
    p.fillRect(QRect(0, 0, col, bottom),
               raised ? system(olecolor::ButtonFace) : color(m_model.ItemNameBackColor()));
    p.fillRect(QRect(col, 0, l.viewport.width() - col, bottom), color(m_model.BackColor()));
    if (bottom < l.viewport.height())
        p.fillRect(QRect(0, bottom, l.viewport.width(), l.viewport.height() - bottom),
                   system(raised ? olecolor::ButtonFace : olecolor::Window));

    const int rh = qMax(1, l.metrics.rowHeight);
    const int first = l.firstRow + qMax(0, dirty.top()) / rh;
    const int last = qMin(l.firstRow + l.visibleRowCount() - 1, l.firstRow + qMax(0, dirty.bottom()) / rh);
    for (int i = first; i <= last; ++i)
        paintRow(p, i, hasFocus);
    p.restore();
}

void ChartPainter::paintRow(QPainter &p, int item, bool hasFocus) const
{
    if (!m_model.item(item))
        return; // a layout older than the model never reaches past its items
    const QRect row = m_layout.rowRect(item);
    paintNameCell(p, item, m_layout.nameCell(item), hasFocus);
    const QRect area = m_layout.pieceArea(item);
    if (area.width() <= 0)
        return;
    p.save();
    p.setClipRect(area);
    paintPieces(p, item, row);
    p.restore();
}

void ChartPainter::paintNameCell(QPainter &p, int item, const QRect &cell, bool hasFocus) const
{
    if (cell.width() <= 0)
        return;
    const bool raised = m_model.ChartStyle() == GntRaisedFace;
    const bool cursor = item == m_model.curItem() && m_model.ShowCursor();
    if (cursor)
        p.fillRect(cell, system(raised ? olecolor::ButtonShadow : olecolor::Highlight));
    if (!raised) {
        p.setPen(color(m_model.ForeColor()));
        p.drawLine(cell.left(), cell.bottom(), cell.right(), cell.bottom());
        p.drawLine(cell.right(), cell.top(), cell.right(), cell.bottom());
    } else if (!cursor) {
        frame3D(p, cell, system(olecolor::ButtonHighlight), system(olecolor::ButtonShadow));
    }
    const QString &name = m_model.item(item)->name;
    if (cursor) {
        p.setPen(system(olecolor::HighlightText));
        plainText(p, cell, Qt::AlignCenter, name);
    } else {
        styledText(p, cell, Qt::AlignCenter, name, m_model.FontStyle(), color(m_model.ItemNameForeColor()));
    }
    if (cursor && hasFocus) {
        QPen pen(system(olecolor::WindowText));
        pen.setStyle(Qt::DotLine);
        p.setPen(pen);
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(2, 2, -3, -3));
    }
}

void ChartPainter::paintPieces(QPainter &p, int item, const QRect &row) const
{
    const ChartLayout &l = m_layout;
    const ChartItem *it = m_model.item(item);
    const int h = l.metrics.h;

    // Grid.
    const QColor grid = color(m_model.GridColor());
    QPen solid(grid, 0);
    QPen dotted(grid, 0, Qt::DotLine);
    const int interval = qMax(1, int(m_model.ScaleInterval()));
    for (int a = l.rangeTop; a <= l.rangeEnd; a += interval) {
        const int x = l.lineX(a * 60);
        if (x < row.left() || x > row.right())
            continue;
        p.setPen(a % 12 == 0 ? solid : dotted);
        p.drawLine(x, row.top(), x, row.bottom());
    }
    p.setPen(solid);
    p.drawLine(row.left() + l.metrics.itemColumnWidth, row.bottom(), row.right(), row.bottom());

    const int cy = row.top() + row.height() / 2;
    const QColor frameColor = system(olecolor::WindowFrame);
    const QColor textColor = color(m_model.PieceTextColor());
    const QColor timeColor = color(m_model.ForeColor());
    const int textAlign = (m_model.PieceTextPosition() == GntTextPosLeft    ? Qt::AlignLeft
                           : m_model.PieceTextPosition() == GntTextPosRight ? Qt::AlignRight
                                                                           : Qt::AlignHCenter)
                          | Qt::AlignVCenter;
    const bool showTimes = m_model.ShowPieceTime();
    const int type = it->pieceType;
    const int rowLeft = row.left() + l.metrics.itemColumnWidth;

    it->pieces.forEach([&](qint16 no, const Piece &piece) {
        const QRect r = l.pieceRect(type, piece, row);
        // Pieces wholly outside the row's visible width are skipped, times included.
        const int reach = showTimes ? 6 * l.metrics.w : 0;
        if (r.right() + reach < rowLeft || r.left() - reach > row.right())
            return;
        const QColor pc = color(m_model.pieceColor(item, no));
        const int xs = l.xOf(piece.startMinutes());
        if (type == GntDot) {
            p.setPen(frameColor);
            p.setBrush(pc);
            const int rad = l.dotRadius();
            p.drawEllipse(QPoint(xs, cy), rad, rad);
            p.setBrush(Qt::NoBrush);
        } else if (type == GntLine) {
            const int xe = l.xOf(piece.endMinutes());
            p.fillRect(QRect(QPoint(xs, cy - 1), QPoint(xe, cy + 1)), pc);
            p.setPen(pc);
            p.setBrush(pc);
            const int rad = h / 4;
            p.drawEllipse(QPoint(xs, cy), rad, rad);
            p.drawEllipse(QPoint(xe, cy), rad, rad);
            p.setBrush(Qt::NoBrush);
            if (!piece.text.isEmpty()) {
                const int inset = h / 4 + 2;
                const QRect box(QPoint(xs + inset, cy - (h / 2 + 1)), QPoint(xe - inset, cy + (h / 2 + 1)));
                if (box.width() > 0) {
                    p.fillRect(box, pc);
                    p.setPen(frameColor);
                    p.drawRect(box.adjusted(0, 0, -1, -1));
                    p.setPen(textColor);
                    plainText(p, box.adjusted(2, 2, -2, -2), textAlign, piece.text);
                }
            }
        } else {
            const quint32 ole = olecolor::isSystem(m_model.pieceColor(item, no)) ? olecolor::fromQColor(pc)
                                                                                  : m_model.pieceColor(item, no);
            p.fillRect(r, pc);
            frame3D(p, r, color(rectLightColor(ole)), color(rectDarkColor(ole)));
            p.setPen(textColor);
            plainText(p, r.adjusted(2, 0, -2, 0), textAlign, piece.text);
        }

        if (showTimes) {
            p.setPen(timeColor);
            const QString start = hourMinute(piece.startHour, piece.startMinute);
            int left = r.left();
            if (type == GntDot)
                left += r.width() / 2;
            const int tw = m_fm.horizontalAdvance(start);
            const QRect above(left, row.top(), qMax(tw, r.width()), r.top() - row.top());
            plainText(p, above, Qt::AlignLeft | Qt::AlignVCenter, start);
            if (type != GntDot) {
                const QString end = hourMinute(piece.endHour, piece.endMinute);
                const int ew = qMax(m_fm.horizontalAdvance(end), r.width());
                const QRect below(r.right() + 1 - ew, r.bottom() + 1, ew, row.bottom() + 1 - (r.bottom() + 1));
                plainText(p, below, Qt::AlignRight | Qt::AlignVCenter, end);
            }
        }
    });

    if (m_model.ShowCurTime() && m_model.ActionStyle() == GntBrowse) {
        const QTime now = m_model.curTime();
        const int x = l.xOf(now.hour() * 60 + now.minute());
        p.setPen(QColor(0xFF, 0, 0));
        p.drawLine(x, row.top(), x, row.bottom());
    }
}

} // namespace chart
