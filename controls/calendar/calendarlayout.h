#pragma once

#include <QDate>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace calendar {

// DfdHitCodeConstants
enum HitCode : qint16 {
    DfdHitUnknown = 0,
    DfdHitDay = 1,
    DfdHitMonth = 2,
    DfdHitYear = 3,
    DfdHitCaption = 4,
};

// What the layout needs to know of the texts; the widget measures them.
struct CalendarLayoutInput
{
    QSize size;
    bool showYearMonth = true;
    int yearMonthHeight = 0;   // height of the year-and-month caption row
    int yearTextWidth = 0;     // the formatted year, then the month, centred
    int monthTextWidth = 0;
    int headingHeight = 0;     // weekday headings
    bool hasCaption = false;   // a caption band below the grid
    int captionHeight = 0;
    int gridSpace = 2;         // gap between cells
};

struct HitResult
{
    HitCode code = DfdHitUnknown;
    int row = -1;
    int column = -1;
};

// Pixel geometry of the calendar, as plain rectangles: the caption row with
// its year and month parts, the weekday headings, the 6 × 7 day cells and
// the caption band.  Hit testing is a function of it.
class CalendarLayout
{
public:
    explicit CalendarLayout(const CalendarLayoutInput &in);

    QRect yearMonthRect() const { return m_yearMonth; }
    QRect yearRect() const { return m_year; }
    QRect monthRect() const { return m_month; }
    QRect headingRect(int column) const;
    QRect gridRect() const { return m_grid; }
    // The cell without the spacing around it.
    QRect cellRect(int row, int column) const;
    QRect captionRect() const { return m_caption; }

    HitResult hitTest(const QPoint &p) const;

private:
    int columnLeft(int column) const;
    int rowTop(int row) const;

    QRect m_yearMonth, m_year, m_month, m_headings, m_grid, m_caption;
    int m_space = 0;
};

} // namespace calendar
