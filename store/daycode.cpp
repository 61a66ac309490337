#include "store/daycode.h"

namespace store {
namespace {

const QStringList &names()
{
    static const QStringList list = {
        QStringLiteral("日曜日"), QStringLiteral("月曜日"), QStringLiteral("火曜日"),
        QStringLiteral("水曜日"), QStringLiteral("木曜日"), QStringLiteral("金曜日"),
        QStringLiteral("土曜日"), QStringLiteral("特日１"), QStringLiteral("特日２"),
        QStringLiteral("特日３"), QStringLiteral("特日４"),
    };
    return list;
}

} // namespace

int weekdayCode(const QDate &date)
{
    // Qt numbers Monday 1 .. Sunday 7.
    return date.dayOfWeek() % 7 + 1;
}

std::optional<int> specialDayCode(const QString &memo)
{
    const QString m = memo.trimmed();
    for (int code = FirstSpecialDayCode; code <= LastDayCode; ++code) {
        if (m == names().at(code - 1))
            return code;
    }
    return std::nullopt;
}

std::optional<int> dayCode(const QDate &date, const QString &memo)
{
    if (memo.trimmed().isEmpty()) {
        if (!date.isValid())
            return std::nullopt;
        return weekdayCode(date);
    }
    return specialDayCode(memo);
}

QString dayName(int code)
{
    if (code < FirstDayCode || code > LastDayCode)
        return {};
    return names().at(code - 1);
}

QStringList dayNames()
{
    return names();
}

} // namespace store
