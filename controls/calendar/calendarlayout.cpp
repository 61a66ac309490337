#include "calendar/calendarlayout.h"

#include "calendar/monthgrid.h"

#include <algorithm>

namespace calendar {

CalendarLayout::CalendarLayout(const CalendarLayoutInput &in)
{
    const int w = std::max(in.size.width(), 0);
    const int h = std::max(in.size.height(), 0);
    m_space = std::clamp(in.gridSpace, 0, 20);
    int top = 0;
    if (in.showYearMonth) {
        m_yearMonth = QRect(0, 0, w, in.yearMonthHeight);
        const int textWidth = in.yearTextWidth + in.monthTextWidth;
        const int left = std::max(0, (w - textWidth) / 2);
        m_year = QRect(left, 0, in.yearTextWidth, in.yearMonthHeight);
        m_month = QRect(left + in.yearTextWidth, 0, in.monthTextWidth, in.yearMonthHeight);
        top = in.yearMonthHeight;
    }
    m_headings = QRect(0, top, w, in.headingHeight);
    top += in.headingHeight;
    const int bottom = in.hasCaption ? std::max(top, h - in.captionHeight) : h;
    m_grid = QRect(0, top, w, std::max(0, bottom - top));
    if (in.hasCaption)
        m_caption = QRect(0, bottom, w, h - bottom);
}

int CalendarLayout::columnLeft(int column) const
{
    return m_grid.left() + m_grid.width() * column / monthgrid::Columns;
}

int CalendarLayout::rowTop(int row) const
{
    return m_grid.top() + m_grid.height() * row / monthgrid::Rows;
}

QRect CalendarLayout::headingRect(int column) const
{
    return QRect(QPoint(columnLeft(column), m_headings.top()),
                 QPoint(columnLeft(column + 1) - 1, m_headings.bottom()));
}

QRect CalendarLayout::cellRect(int row, int column) const
{
    const int half = m_space / 2;
    const int left = columnLeft(column) + half;
    const int right = columnLeft(column + 1) - 1 - (m_space - half);
    const int top = rowTop(row) + half;
    const int bottom = rowTop(row + 1) - 1 - (m_space - half);
    return QRect(QPoint(left, top), QPoint(std::max(left, right), std::max(top, bottom)));
}

HitResult CalendarLayout::hitTest(const QPoint &p) const
{
    if (m_year.contains(p))
        return {DfdHitYear};
    if (m_month.contains(p))
        return {DfdHitMonth};
    if (m_grid.contains(p)) {
        // Whole slots, so that the spacing between cells still names a day.
        int column = 0, row = 0;
        while (column < monthgrid::Columns - 1 && p.x() >= columnLeft(column + 1))
            ++column;
        while (row < monthgrid::Rows - 1 && p.y() >= rowTop(row + 1))
            ++row;
        return {DfdHitDay, row, column};
    }
    if (m_caption.isValid() && m_caption.contains(p))
        return {DfdHitCaption};
    return {};
}

} // namespace calendar
