#include "calendar/oledate.h"

#include <cmath>

namespace calendar {
namespace {
const QDate oleEpoch(1899, 12, 30);
}

double toOleDate(const QDate &date)
{
    return date.isValid() ? double(oleEpoch.daysTo(date)) : 0.0;
}

double toOleDate(const QDateTime &moment)
{
    const qint64 days = oleEpoch.daysTo(moment.date());
    const double fraction = moment.time().msecsSinceStartOfDay() / 86400000.0;
    // Dates before the epoch keep the time as a positive fraction after a
    // negative day number.
    return days >= 0 ? double(days) + fraction : double(days) - fraction;
}

QDate oleDateDay(double oleDate)
{
    if (!std::isfinite(oleDate) || std::fabs(oleDate) > 3.0e6)
        return {};
    return oleEpoch.addDays(qint64(std::trunc(oleDate)));
}

QDateTime fromOleDate(double oleDate)
{
    const QDate day = oleDateDay(oleDate);
    if (!day.isValid())
        return {};
    qint64 ms = std::llround(std::fabs(oleDate - std::trunc(oleDate)) * 86400000.0);
    // Whole seconds when within a millisecond: dates built from hours and
    // minutes carry float noise.
    const qint64 rounded = (ms + 500) / 1000 * 1000;
    if (std::llabs(rounded - ms) <= 1)
        ms = rounded;
    if (ms >= 86400000)
        return QDateTime(day.addDays(oleDate >= 0 ? 1 : -1), QTime(0, 0));
    return QDateTime(day, QTime::fromMSecsSinceStartOfDay(int(ms)));
}

int weekdayNumber(const QDate &date)
{
    return date.dayOfWeek() % 7 + 1;
}

} // namespace calendar
