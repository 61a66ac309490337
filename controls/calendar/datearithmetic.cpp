#include "calendar/datearithmetic.h"

#include "calendar/oledate.h"

#include <algorithm>

namespace calendar::datearithmetic {
namespace {

QDate clampedDate(int year, int month, int day)
{
    const int length = QDate(year, month, 1).daysInMonth();
    return QDate(year, month, std::min(day, length));
}

} // namespace

QDate addYearsClamped(const QDate &date, int years)
{
    int y = date.year();
    if (years >= 0)
        y += years;
    else
        for (int i = 0; i > years && y > 1900; --i)
            --y;
    return clampedDate(y, date.month(), date.day());
}

QDate addMonthsStepwise(const QDate &date, int months)
{
    QDate d = date;
    const int step = months >= 0 ? 1 : -1;
    for (int i = 0; i != months; i += step) {
        int y = d.year();
        int m = d.month() + step;
        if (m > 12) {
            m = 1;
            ++y;
        } else if (m < 1) {
            m = 12;
            --y;
        }
        d = clampedDate(y, m, d.day());
    }
    return d;
}

QDate offset(const QDate &date, int years, int months, int weeks, int days)
{
    if (!date.isValid())
        return {};
    return addMonthsStepwise(addYearsClamped(date, years), months).addDays(qint64(weeks) * 7 + days);
}

QDate keyTarget(const QDate &current, int key, bool ctrl)
{
    const QDate first(current.year(), current.month(), 1);
    const QDate last(current.year(), current.month(), current.daysInMonth());
    switch (key) {
    case Qt::Key_Left:
        return current.addDays(-1);
    case Qt::Key_Right:
        return current.addDays(1);
    case Qt::Key_Up:
        return current.addDays(-7);
    case Qt::Key_Down:
        return current.addDays(7);
    case Qt::Key_PageUp:
        return ctrl ? addYearsClamped(current, -1) : addMonthsStepwise(current, -1);
    case Qt::Key_PageDown:
        return ctrl ? addYearsClamped(current, 1) : addMonthsStepwise(current, 1);
    case Qt::Key_Home:
        return ctrl ? first : std::max(current.addDays(1 - weekdayNumber(current)), first);
    case Qt::Key_End:
        return ctrl ? last : std::min(current.addDays(7 - weekdayNumber(current)), last);
    default:
        return {};
    }
}

} // namespace calendar::datearithmetic
