// Drawing of the calendar into any painter, so that the same code paints the
// screen and the pictures of tests.
#include "calendar/datefold.h"

#include "calendar/dateformat.h"
#include "calendar/daycolor.h"
#include "calendar/monthgrid.h"
#include "calendar/oledate.h"
#include "platform/clock.h"

#include <QFontMetrics>
#include <QPainter>

using namespace calendar;

namespace {

// Days of the neighbouring months are drawn half way to the cell's fill.
QColor toned(const QColor &c, const QColor &background)
{
    return QColor((c.red() + background.red()) / 2, (c.green() + background.green()) / 2,
                  (c.blue() + background.blue()) / 2);
}

void drawPicture(QPainter &painter, const QImage &picture, qint16 layout, const QRect &area)
{
    if (picture.isNull())
        return;
    switch (layout) {
    case DfdTile:
        painter.drawTiledPixmap(area, QPixmap::fromImage(picture));
        break;
    case DfdStretch:
        painter.drawImage(area, picture);
        break;
    default: {
        QRect r(QPoint(0, 0), picture.size());
        r.moveCenter(area.center());
        painter.drawImage(r.topLeft(), picture);
        break;
    }
    }
}

} // namespace

void Datefold::render(QPainter &painter) const
{
    const QPalette pal = palette();
    auto color = [&](quint32 c) { return fromOleColor(c, pal); };
    const CalendarLayout geometry = layout();
    const QDate month = m_model->displayedMonth();
    const QDate today = platform::clock::today();
    const QRect all = rect();

    painter.save();
    painter.fillRect(all, color(m_p.BackColor));
    drawPicture(painter, m_p.Picture, m_p.PictureLayout, all);

    // Year and month caption.
    if (m_p.ShowYearMonth) {
        painter.setFont(m_p.Font);
        painter.setPen(color(m_p.ForeColor));
        painter.drawText(geometry.yearRect(), Qt::AlignRight | Qt::AlignVCenter, formatDatePicture(month, m_p.YearFormat));
        painter.drawText(geometry.monthRect(), Qt::AlignLeft | Qt::AlignVCenter, formatDatePicture(month, m_p.MonthFormat));
    }

    // Weekday headings, Sunday first.
    painter.setFont(m_p.WeekFont);
    const QDate firstCell = monthgrid::firstCell(month);
    for (int c = 0; c < monthgrid::Columns; ++c) {
        const QColor pen = c == 0 ? color(m_p.SundayColor) : c == 6 ? color(m_p.SaturdayColor) : color(m_p.WeekdayColor);
        painter.setPen(pen);
        painter.drawText(geometry.headingRect(c), Qt::AlignCenter, formatDatePicture(firstCell.addDays(c), m_p.WeekFormat));
    }

    // Day cells.
    const QFontMetrics numberMetrics(m_p.NumberFont);
    for (int r = 0; r < monthgrid::Rows; ++r) {
        for (int c = 0; c < monthgrid::Columns; ++c) {
            const QDate day = monthgrid::dateForCell(month, r, c);
            const QRect cell = geometry.cellRect(r, c);
            const bool inMonth = monthgrid::monthOffset(month, day) == 0;

            QColor fill;
            bool filled = true;
            switch (m_p.GridFillPattern) {
            case DfdHorizontal: fill = color(r % 2 == 0 ? m_p.DayFillColorA : m_p.DayFillColorB); break;
            case DfdVertical: fill = color(c % 2 == 0 ? m_p.DayFillColorA : m_p.DayFillColorB); break;
            case DfdCross: fill = color((r + c) % 2 == 0 ? m_p.DayFillColorA : m_p.DayFillColorB); break;
            default: filled = false; fill = color(m_p.BackColor); break;
            }
            const auto memo = m_model->memos().get(toOleDate(day));
            if (memo && memo->backColor != NoColor) {
                fill = color(memo->backColor);
                filled = true;
            }
            const DayColorRole role = dayColorRole(m_model->holidays(), day, today, m_p.EnableTodayColor);
            if (role == DayColorRole::Today) {
                fill = color(m_p.TodayBackColor);
                filled = true;
            }
            if (filled)
                painter.fillRect(cell, fill);

            if (m_p.GridLine && m_p.GridSpace > 0) {
                painter.setPen(color(m_p.GridColorTL));
                painter.drawLine(cell.topLeft(), cell.topRight());
                painter.drawLine(cell.topLeft(), cell.bottomLeft());
                painter.setPen(color(m_p.GridColorBR));
                painter.drawLine(cell.bottomLeft(), cell.bottomRight());
                painter.drawLine(cell.topRight(), cell.bottomRight());
            }

            QColor numberColor;
            switch (role) {
            case DayColorRole::Today: numberColor = color(m_p.TodayTextColor); break;
            case DayColorRole::Holiday:
            case DayColorRole::Sunday: numberColor = color(m_p.SundayColor); break;
            case DayColorRole::SpecialHoliday: numberColor = color(m_p.SpecialHolidayColor); break;
            case DayColorRole::Saturday: numberColor = color(m_p.SaturdayColor); break;
            case DayColorRole::Weekday: numberColor = color(m_p.WeekdayColor); break;
            }
            if (!inMonth)
                numberColor = toned(numberColor, fill);

            const QRect inner = cell.adjusted(2, 1, -2, -1);
            QRect numberRect = inner;
            if (memo)
                numberRect.setHeight(std::min(inner.height(), numberMetrics.height()));
            painter.setFont(m_p.NumberFont);
            painter.setPen(numberColor);
            painter.drawText(numberRect, (memo ? Qt::AlignLeft | Qt::AlignTop : Qt::AlignCenter),
                             formatDatePicture(day, m_p.DayFormat));

            if (memo) {
                const QRect memoRect(inner.left(), numberRect.bottom() + 1, inner.width(),
                                     inner.bottom() - numberRect.bottom());
                QColor memoColor = memo->textColor != NoColor ? color(memo->textColor) : color(m_p.WeekdayColor);
                if (!inMonth)
                    memoColor = toned(memoColor, fill);
                painter.setFont(m_p.MemoFont);
                painter.setPen(memoColor);
                const QFontMetrics memoMetrics(m_p.MemoFont);
                const QString text = memoMetrics.elidedText(memo->text.section(QLatin1Char('\r'), 0, 0),
                                                            Qt::ElideRight, memoRect.width());
                painter.drawText(memoRect, Qt::AlignLeft | Qt::AlignTop, text);
            }
        }
    }

    // The current date's cell, one pixel larger on each side, inverted.
    int row = 0, column = 0;
    const QDate current = m_model->currentDate();
    if (m_p.ShowCursor && monthgrid::monthOffset(month, current) == 0
        && monthgrid::cellForDate(month, current, &row, &column)) {
        const QRect mark = geometry.cellRect(row, column).adjusted(-1, -1, 1, 1);
        painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        painter.fillRect(mark, Qt::white);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        if (hasFocus()) {
            painter.setPen(QPen(color(m_p.ForeColor), 1, Qt::DotLine));
            painter.drawRect(mark.adjusted(1, 1, -2, -2));
        }
    }

    // Caption band below the grid.
    if (!m_p.Caption.isEmpty()) {
        painter.setFont(m_p.Font);
        painter.setPen(color(m_p.ForeColor));
        painter.drawText(geometry.captionRect(), Qt::AlignCenter, m_p.Caption);
    }

    // Border.
    if (m_p.BorderStyle != 0) {
        if (m_p.Appearance == Dfd3D) {
            painter.setPen(pal.color(QPalette::Dark));
            painter.drawLine(all.topLeft(), all.topRight());
            painter.drawLine(all.topLeft(), all.bottomLeft());
            painter.setPen(pal.color(QPalette::Light));
            painter.drawLine(all.bottomLeft(), all.bottomRight());
            painter.drawLine(all.topRight(), all.bottomRight());
        } else {
            painter.setPen(color(m_p.ForeColor));
            painter.drawRect(all.adjusted(0, 0, -1, -1));
        }
    }
    painter.restore();
}
