#include "calendar/holidaytable.h"

#include "calendar/holidayengine.h"
#include "platform/textcodec.h"

#include <QFile>

// Resources of a static library must be registered by name from the global
// namespace.
static void initCalendarResources()
{
    Q_INIT_RESOURCE(calendar);
}

namespace calendar {
namespace {

constexpr int maxLineBytes = 255;

QByteArray readResource(const QString &path)
{
    static const bool registered = (initCalendarResources(), true);
    Q_UNUSED(registered);
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

bool toInt(const QString &field, int *value)
{
    bool ok = false;
    *value = field.trimmed().toInt(&ok);
    return ok;
}

// "yyyy/m/d"; a field whose integer value is 0 (or that is no date) means no limit.
QDate toDate(const QString &field)
{
    const QString f = field.trimmed();
    bool isNumber = false;
    if (f.toInt(&isNumber) == 0 && isNumber)
        return {};
    return QDate::fromString(f, QStringLiteral("yyyy/M/d"));
}

bool sameButExpiry(const HolidayRule &r, const HolidayTableRow &row)
{
    return r.name == row.name && r.type == row.type && r.enforceDate == row.enforceDate
        && r.substitute == (row.substitute != 0) && r.style == row.style && r.month == row.month
        && r.dayOrWeekNo == row.dayOrWeekNo && r.dayOfWeek == row.dayOfWeek;
}

} // namespace

QList<HolidayTableRow> parseHolidayTable(const QByteArray &bytes)
{
    QList<HolidayTableRow> rows;
    const QList<QByteArray> lines = bytes.split('\n');
    bool header = true;
    for (QByteArray line : lines) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (header) {
            header = false;
            continue;
        }
        if (line.trimmed().isEmpty() || line.size() > maxLineBytes)
            continue;
        const QStringList f = platform::decodeText(line).split(QLatin1Char(','));
        if (f.size() < 9)
            continue;
        HolidayTableRow row;
        row.name = f.at(0).trimmed();
        int substitute = 0;
        if (!toInt(f.at(1), &row.type) || !toInt(f.at(4), &substitute) || !toInt(f.at(5), &row.style)
            || !toInt(f.at(6), &row.month) || !toInt(f.at(7), &row.dayOrWeekNo)
            || !toInt(f.at(8), &row.dayOfWeek))
            continue;
        row.substitute = substitute;
        row.enforceDate = toDate(f.at(2));
        row.expiryDate = toDate(f.at(3));
        rows << row;
    }
    return rows;
}

QByteArray builtInHolidayTable()
{
    return readResource(QStringLiteral(":/calendar/holidays.csv"));
}

QByteArray laterHolidayLawsTable()
{
    return readResource(QStringLiteral(":/calendar/holidaylaws.csv"));
}

int loadHolidayTable(HolidayEngine &engine, const QList<HolidayTableRow> &rows, const QDate &today)
{
    int added = 0;
    for (const HolidayTableRow &row : rows) {
        if (engine.addRule(row.name, row.type, row.enforceDate, row.expiryDate, row.substitute, row.style,
                           row.month, row.dayOrWeekNo, row.dayOfWeek, today))
            ++added;
    }
    return added;
}

int applyHolidayLaws(HolidayEngine &engine, const QList<HolidayTableRow> &rows, const QDate &today)
{
    int changed = 0;
    for (const HolidayTableRow &row : rows) {
        int sameIndex = -1;
        bool identical = false;
        for (int i = 0; i < engine.ruleCount(); ++i) {
            const HolidayRule &r = *engine.rule(i);
            if (!sameButExpiry(r, row))
                continue;
            if (r.expiryDate == row.expiryDate) {
                identical = true;
                break;
            }
            if (sameIndex < 0)
                sameIndex = i;
        }
        if (identical)
            continue;
        if (sameIndex >= 0) {
            HolidayRule r = *engine.rule(sameIndex);
            r.expiryDate = row.expiryDate;
            engine.replaceRule(sameIndex, r);
            ++changed;
            continue;
        }
        if (engine.addRule(row.name, row.type, row.enforceDate, row.expiryDate, row.substitute, row.style,
                           row.month, row.dayOrWeekNo, row.dayOfWeek, today))
            ++changed;
    }
    return changed;
}

} // namespace calendar
