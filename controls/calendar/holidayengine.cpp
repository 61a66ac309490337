#include "calendar/holidayengine.h"

#include "calendar/equinox.h"
#include "calendar/oledate.h"

namespace calendar {
namespace {

const QString furikaeName = QStringLiteral("振替休日");

bool sameMonthDay(const QDate &a, const QDate &b)
{
    return a.isValid() && b.isValid() && a.month() == b.month() && a.day() == b.day();
}

bool isLegal(const HolidayRule &r) { return r.type == DfdLegalHoliday; }

} // namespace

HolidayEngine::HolidayEngine()
    : m_vernal(QDate(1996, 3, 20), QTime(17, 3))
    , m_autumnal(QDate(1996, 9, 23), QTime(3, 0))
{
}

const HolidayRule *HolidayEngine::rule(int index) const
{
    if (index < 0 || index >= m_rules.size())
        return nullptr;
    return &m_rules.at(index);
}

// ---------------------------------------------------------------- rule dates

QDate HolidayEngine::ruleDate(const HolidayRule &rule, int year) const
{
    switch (rule.style) {
    case DfdMonthDay:
        return QDate(year, rule.month, rule.dayOrWeekNo); // null for 2/30 and the like
    case DfdMonthAnyWeek:
    case DfdMonthLastWeek: {
        if (rule.month < 1 || rule.month > 12)
            return {};
        const QDate first(year, rule.month, 1);
        if (!first.isValid())
            return {};
        int count = 0;
        QDate last;
        for (QDate d = first; d.month() == rule.month; d = d.addDays(1)) {
            if (weekdayNumber(d) != rule.dayOfWeek)
                continue;
            last = d;
            if (++count == rule.dayOrWeekNo)
                return d;
        }
        return rule.style == DfdMonthLastWeek ? last : QDate();
    }
    case DfdVernalEquinoxDay:
        return vernalEquinoxDay(year);
    case DfdAutumnalEquinoxDay:
        return autumnalEquinoxDay(year);
    case DfdKokuminKyujitu:
        if (rule.month == 5)
            return QDate(year, 5, 4);
        if (rule.month == 9)
            return QDate(year, 9, 22);
        return {};
    default:
        return {};
    }
}

bool HolidayEngine::appliesAt(const HolidayRule &rule, const QDate &date)
{
    if (rule.enforceDate.isValid() && rule.enforceDate > date)
        return false;
    if (rule.expiryDate.isValid() && rule.expiryDate < date)
        return false;
    return true;
}

bool HolidayEngine::appliesInYear(const HolidayRule &rule, int year)
{
    if (rule.enforceDate.isValid() && rule.enforceDate.year() > year)
        return false;
    if (rule.expiryDate.isValid() && rule.expiryDate.year() < year)
        return false;
    return true;
}

QDate HolidayEngine::enumHoliday(int index, int year) const
{
    const HolidayRule *r = rule(index);
    if (!r || !appliesInYear(*r, year))
        return {};
    const QDate d = ruleDate(*r, year);
    if (r->style == DfdKokuminKyujitu && !(d.isValid() && isKokuminKyujitu(d)))
        return {};
    return d;
}

// ---------------------------------------------------------------- equinoxes

QDate HolidayEngine::vernalEquinoxDay(int year) const
{
    return equinoxDay(m_vernal, year, false);
}

QDate HolidayEngine::autumnalEquinoxDay(int year) const
{
    return equinoxDay(m_autumnal, year, true);
}

bool HolidayEngine::isVernalEquinoxDay(const QDate &date) const
{
    for (const HolidayRule &r : m_rules) {
        if (isLegal(r) && r.style == DfdVernalEquinoxDay)
            return sameMonthDay(date, vernalEquinoxDay(date.year()));
    }
    return false;
}

bool HolidayEngine::isAutumnalEquinoxDay(const QDate &date) const
{
    for (const HolidayRule &r : m_rules) {
        if (isLegal(r) && r.style == DfdAutumnalEquinoxDay)
            return sameMonthDay(date, autumnalEquinoxDay(date.year()));
    }
    return false;
}

// ---------------------------------------------------------------- matching

bool HolidayEngine::fallsOn(const HolidayRule &rule, const QDate &date) const
{
    return appliesAt(rule, date) && sameMonthDay(ruleDate(rule, date.year()), date);
}

bool HolidayEngine::matches(const HolidayRule &rule, const QDate &date) const
{
    if (!appliesAt(rule, date))
        return false;
    const QDate d = ruleDate(rule, date.year());
    if (!d.isValid())
        return false;
    // A citizens' holiday rule only switches the citizens' holiday test on
    // for its validity window: every such rule in force matches every
    // citizens' holiday, May or September.
    if (isLegal(rule) && rule.style == DfdKokuminKyujitu)
        return isKokuminKyujitu(date);
    return sameMonthDay(d, date);
}

bool HolidayEngine::isRuleLegalHoliday(const QDate &date) const
{
    for (const HolidayRule &r : m_rules) {
        if (isLegal(r) && r.style != DfdKokuminKyujitu && fallsOn(r, date))
            return true;
    }
    return false;
}

bool HolidayEngine::hasSubstituteRuleOn(const QDate &sunday) const
{
    for (const HolidayRule &r : m_rules) {
        if (isLegal(r) && r.substitute && r.style != DfdKokuminKyujitu && fallsOn(r, sunday))
            return true;
    }
    return false;
}

bool HolidayEngine::isFurikae(const QDate &date) const
{
    if (!date.isValid())
        return false;
    const QDate previous = date.addDays(-1);
    if (previous < laterSubstituteLawDate()) {
        // Only the Monday after a Sunday holiday.
        return weekdayNumber(previous) == 1 && hasSubstituteRuleOn(previous);
    }
    // From 2007 the substitute is the first day after the Sunday holiday that
    // is no holiday itself: walk back over the holidays before `date`.
    if (isRuleLegalHoliday(date))
        return false;
    for (QDate q = previous; q >= previous.addDays(-7); q = q.addDays(-1)) {
        if (!isRuleLegalHoliday(q))
            return false;
        if (weekdayNumber(q) == 1)
            return hasSubstituteRuleOn(q);
    }
    return false;
}

bool HolidayEngine::isKokuminKyujitu(const QDate &date) const
{
    if (!date.isValid())
        return false;
    const bool candidate = (date.month() == 5 && date.day() == 4) || (date.month() == 9 && date.day() == 22);
    if (!candidate || weekdayNumber(date) == 1)
        return false;
    // A day that a law already makes a holiday (May 4 from 2007) is none.
    if (isRuleLegalHoliday(date))
        return false;
    if (!isLegalHoliday(date.addDays(-1)) || !isLegalHoliday(date.addDays(1)))
        return false;
    return !isFurikae(date);
}

bool HolidayEngine::isLegalHoliday(const QDate &date) const
{
    for (const HolidayRule &r : m_rules) {
        if (isLegal(r) && matches(r, date))
            return true;
    }
    return isFurikae(date);
}

bool HolidayEngine::isSpecialHoliday(const QDate &date) const
{
    for (const HolidayRule &r : m_rules) {
        if (!isLegal(r) && matches(r, date))
            return true;
    }
    return false;
}

bool HolidayEngine::isHoliday(const QDate &date) const
{
    for (const HolidayRule &r : m_rules) {
        if (matches(r, date))
            return true;
    }
    return isFurikae(date);
}

QString HolidayEngine::holidayName(const QDate &date) const
{
    if (isFurikae(date))
        return furikaeName;
    for (const HolidayRule &r : m_rules) {
        if (matches(r, date))
            return r.name;
    }
    return {};
}

QStringList HolidayEngine::holidayNames(const QDate &date) const
{
    QStringList names;
    for (const HolidayRule &r : m_rules) {
        if (matches(r, date))
            names << r.name;
    }
    if (isFurikae(date))
        names << furikaeName;
    return names;
}

QList<int> HolidayEngine::matchingRules(const QDate &date) const
{
    QList<int> indexes;
    for (int i = 0; i < m_rules.size(); ++i) {
        if (matches(m_rules.at(i), date))
            indexes << i;
    }
    return indexes;
}

bool HolidayEngine::isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// ---------------------------------------------------------------- changes

bool HolidayEngine::addRule(const QString &name, int type, const QDate &enforce, const QDate &expiry,
                            qint32 substituteFlag, int style, int month, int dayOrWeekNo, int dayOfWeek,
                            const QDate &today)
{
    if (type != DfdLegalHoliday && type != DfdSpecialHoliday)
        return false;
    if (type == DfdSpecialHoliday && substituteFlag == 1)
        return false;
    if (style < DfdMonthDay || style > DfdKokuminKyujitu)
        return false;
    switch (style) {
    case DfdMonthDay:
        if (month < 1 || month > 12 || dayOrWeekNo < 1 || dayOrWeekNo > 31)
            return false;
        break;
    case DfdMonthAnyWeek:
    case DfdMonthLastWeek:
        if (month < 1 || month > 12)
            return false;
        if (style == DfdMonthAnyWeek && (dayOfWeek < 1 || dayOfWeek > 7))
            return false;
        break;
    default:
        if (type == DfdSpecialHoliday)
            return false;
        break;
    }

    HolidayRule r;
    r.name = name;
    r.type = qint16(type);
    r.style = qint16(style);
    r.month = qint16(month);
    r.dayOrWeekNo = qint16(dayOrWeekNo);
    r.dayOfWeek = qint16(dayOfWeek);
    r.enforceDate = enforce;
    r.expiryDate = expiry;
    r.substitute = substituteFlag != 0;

    const QDate reference = enforce.isValid() ? enforce : expiry.isValid() ? expiry : today;
    if (!reference.isValid() || !appliesAt(r, reference) || !ruleDate(r, reference.year()).isValid())
        return false;
    m_rules.append(r);
    return true;
}

bool HolidayEngine::addSimpleRule(const QString &name, int type, int style, int month, int dayOrWeekNo,
                                  int dayOfWeek, int year)
{
    if (type != DfdLegalHoliday && type != DfdSpecialHoliday)
        return false;
    if (style < DfdMonthDay || style > DfdKokuminKyujitu)
        return false;
    if (style == DfdMonthDay && (month < 1 || month > 12 || dayOrWeekNo < 1 || dayOrWeekNo > 31))
        return false;
    if ((style == DfdMonthAnyWeek || style == DfdMonthLastWeek)
        && (month < 1 || month > 12 || dayOfWeek < 1 || dayOfWeek > 7))
        return false;

    HolidayRule r;
    r.name = name;
    r.type = qint16(type);
    r.style = qint16(style);
    r.month = qint16(month);
    r.dayOrWeekNo = qint16(dayOrWeekNo);
    r.dayOfWeek = qint16(dayOfWeek);
    r.substitute = type == DfdLegalHoliday;

    const QDate d = ruleDate(r, year);
    if (!d.isValid())
        return false;
    if (isHoliday(d))
        clearHoliday(d);
    m_rules.append(r);
    return true;
}

bool HolidayEngine::clearHoliday(const QDate &date)
{
    if (!date.isValid())
        return false;
    const qsizetype before = m_rules.size();
    m_rules.removeIf([&](const HolidayRule &r) { return fallsOn(r, date); });
    return m_rules.size() != before;
}

void HolidayEngine::clearAll()
{
    m_rules.clear();
}

void HolidayEngine::clearAllOfType(HolidayType type)
{
    m_rules.removeIf([type](const HolidayRule &r) { return r.type == type; });
}

void HolidayEngine::replaceRule(int index, const HolidayRule &rule)
{
    if (index >= 0 && index < m_rules.size())
        m_rules[index] = rule;
}

} // namespace calendar
