#pragma once

#include <QDate>
#include <QString>

namespace calendar {

// DfdHolidayTypeConstants
enum HolidayType : qint16 {
    DfdLegalHoliday = 0,
    DfdSpecialHoliday = 1,
};

// DfdHolidayStyleConstants: how a rule finds its date in a year.
enum HolidayStyle : qint16 {
    DfdMonthDay = 0,           // Month / DayOrWeekNo
    DfdMonthAnyWeek = 1,       // the n-th DayOfWeek of Month
    DfdMonthLastWeek = 2,      // the n-th DayOfWeek of Month, or the last one
    DfdVernalEquinoxDay = 3,
    DfdAutumnalEquinoxDay = 4,
    DfdKokuminKyujitu = 5,     // switches the citizens' holiday test on (May 4, Sep 22)
};

// One holiday rule.  Several rules may name the same holiday for different
// periods of validity; a null EnforceDate or ExpiryDate means no limit.
struct HolidayRule
{
    QString name;
    qint16 type = DfdLegalHoliday;
    qint16 style = DfdMonthDay;
    qint16 month = 0;
    qint16 dayOrWeekNo = 0;
    qint16 dayOfWeek = 0; // 1 = Sunday .. 7 = Saturday
    QDate enforceDate;
    QDate expiryDate;
    bool substitute = false; // a Sunday holiday gives a substitute holiday

    bool operator==(const HolidayRule &other) const = default;
};

} // namespace calendar
