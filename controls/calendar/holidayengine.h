#pragma once

#include "calendar/holidayrule.h"

#include <QDateTime>
#include <QList>
#include <QStringList>
#include <QVariant>

namespace calendar {

// The Japanese holiday engine: an ordered list of holiday rules and the
// questions asked of it for a date.  Plain value code without automation
// conventions; DatefoldModel puts the control's members on top.
class HolidayEngine
{
public:
    HolidayEngine();

    // --- the rule list
    const QList<HolidayRule> &rules() const { return m_rules; }
    int ruleCount() const { return int(m_rules.size()); }
    const HolidayRule *rule(int index) const;

    // Adds a rule after checking it (type, pattern, month and day ranges, and
    // that it yields a date at its reference date: EnforceDate, else
    // ExpiryDate, else `today`).  A rejected rule leaves the list unchanged.
    // `substituteFlag` is the caller's raw value: a special holiday with
    // exactly 1 is refused; any other nonzero value means true.
    bool addRule(const QString &name, int type, const QDate &enforce, const QDate &expiry,
                 qint32 substituteFlag, int style, int month, int dayOrWeekNo, int dayOfWeek,
                 const QDate &today);
    // A rule without a validity window, placed on its date of `year` (the
    // displayed year): clears that date first when it already is a holiday.
    // False when the arguments are out of range or the rule has no date.
    bool addSimpleRule(const QString &name, int type, int style, int month, int dayOrWeekNo,
                       int dayOfWeek, int year);
    // Removes the rules that fall on `date`; true if any was removed.
    bool clearHoliday(const QDate &date);
    void clearAll();
    void clearAllOfType(HolidayType type);
    // Replaces a rule in place (used when a later law ends a rule).
    void replaceRule(int index, const HolidayRule &rule);
    void appendRule(const HolidayRule &rule) { m_rules.append(rule); }

    // --- dates of rules
    QDate ruleDate(const HolidayRule &rule, int year) const;
    static bool appliesAt(const HolidayRule &rule, const QDate &date);
    static bool appliesInYear(const HolidayRule &rule, int year);
    // The rule's date in `year` under the year-based window; a citizens'
    // holiday rule only when that day is one.  Null when none.
    QDate enumHoliday(int index, int year) const;

    // --- equinoxes
    QDateTime vernalEquinox() const { return m_vernal; }
    QDateTime autumnalEquinox() const { return m_autumnal; }
    void setVernalEquinox(const QDateTime &moment) { m_vernal = moment; }
    void setAutumnalEquinox(const QDateTime &moment) { m_autumnal = moment; }
    QDate vernalEquinoxDay(int year) const;
    QDate autumnalEquinoxDay(int year) const;
    bool isVernalEquinoxDay(const QDate &date) const;
    bool isAutumnalEquinoxDay(const QDate &date) const;

    // --- questions about a date
    bool isHoliday(const QDate &date) const;
    bool isLegalHoliday(const QDate &date) const;
    bool isSpecialHoliday(const QDate &date) const;
    bool isFurikae(const QDate &date) const;
    bool isKokuminKyujitu(const QDate &date) const;
    QString holidayName(const QDate &date) const;
    // Names of all matching rules in list order, then "振替休日" on a
    // substitute holiday.
    QStringList holidayNames(const QDate &date) const;
    // Indexes of the rules that make `date` a holiday, in list order.
    QList<int> matchingRules(const QDate &date) const;

    static bool isLeapYear(int year);

    // The day from which a Sunday holiday moves to the next day that is no
    // holiday, instead of only to the Monday.
    static QDate laterSubstituteLawDate() { return QDate(2007, 1, 1); }

private:
    bool matches(const HolidayRule &rule, const QDate &date) const;
    // True when a legal rule other than the citizens' holiday switch falls on date.
    bool isRuleLegalHoliday(const QDate &date) const;
    bool hasSubstituteRuleOn(const QDate &sunday) const;
    bool fallsOn(const HolidayRule &rule, const QDate &date) const;

    QList<HolidayRule> m_rules;
    QDateTime m_vernal;
    QDateTime m_autumnal;
};

} // namespace calendar
