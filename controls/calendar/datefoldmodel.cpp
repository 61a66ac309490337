#include "calendar/datefoldmodel.h"

#include "calendar/datearithmetic.h"
#include "calendar/daymemofile.h"
#include "calendar/monthgrid.h"
#include "calendar/holidaytable.h"
#include "calendar/oledate.h"
#include "platform/clock.h"
#include "platform/textfile.h"

#include "automation/variantconventions.h"


namespace calendar {
namespace {

// A validity limit given as a variant: empty, null or anything that is no
// date means no limit.
QDate limitDate(const QVariant &v)
{
    if (!v.isValid() || v.isNull())
        return {};
    switch (v.typeId()) {
    case QMetaType::QDate:
        return v.toDate();
    case QMetaType::QDateTime:
        return v.toDateTime().date();
    case QMetaType::QString: {
        const QString s = v.toString().trimmed();
        for (const char *format : {"yyyy/M/d", "yyyy-M-d", "yyyy/M/d H:m:s", "yyyy-M-dTH:m:s"}) {
            const QDate d = QDateTime::fromString(s, QLatin1String(format)).date();
            if (d.isValid())
                return d;
            const QDate dd = QDate::fromString(s, QLatin1String(format));
            if (dd.isValid())
                return dd;
        }
        return {};
    }
    default: {
        bool ok = false;
        const double ole = v.toDouble(&ok);
        return ok ? oleDateDay(ole) : QDate();
    }
    }
}

// A limit as hosts see it: the date, or the null variant for no limit.
QVariant dateVariant(const QDate &d)
{
    return d.isValid() ? QVariant(toOleDate(d)) : automation::nullVariant();
}

QVariant indexArray(const QList<int> &indexes)
{
    if (indexes.isEmpty())
        return {};
    QVariantList list;
    for (int i : indexes)
        list << QVariant::fromValue<qint16>(qint16(i));
    return list;
}

QVariant nameArray(const QStringList &names)
{
    if (names.isEmpty())
        return {};
    QVariantList list;
    for (const QString &n : names)
        list << n;
    return list;
}

} // namespace

DatefoldModel::DatefoldModel(QObject *parent, bool loadBuiltInTable)
    : QObject(parent)
{
    const QDate today = platform::clock::today();
    m_displayedMonth = QDate(today.year(), today.month(), 1);
    m_current = today;
    if (loadBuiltInTable)
        loadHolidayTable(m_holidays, parseHolidayTable(builtInHolidayTable()), today);
}

DatefoldModel::~DatefoldModel() = default;

void DatefoldModel::setDisplayedMonth(const QDate &anyDayOfMonth)
{
    if (!anyDayOfMonth.isValid())
        return;
    const QDate first(anyDayOfMonth.year(), anyDayOfMonth.month(), 1);
    if (first == m_displayedMonth)
        return;
    m_displayedMonth = first;
    emit changed();
}

bool DatefoldModel::setCurrentDate(const QDate &date)
{
    if (!date.isValid() || date == m_current)
        return false;
    const QDate before = m_displayedMonth;
    m_current = date;
    m_displayedMonth = QDate(date.year(), date.month(), 1);
    emit changed();
    if (before.year() != date.year())
        emit NewYear(short(date.year()));
    if (before != m_displayedMonth)
        emit NewMonth(short(date.month()));
    emit DateClick(toOleDate(date));
    return true;
}

void DatefoldModel::resetCurrentDate(const QDate &date)
{
    if (!date.isValid())
        return;
    m_current = date;
    m_displayedMonth = QDate(date.year(), date.month(), 1);
    emit changed();
}

void DatefoldModel::stepMonth(int direction)
{
    const QDate before = m_displayedMonth;
    m_displayedMonth = m_displayedMonth.addMonths(direction >= 0 ? 1 : -1);
    if (m_displayedMonth.year() != before.year())
        emit NewYear(short(m_displayedMonth.year()));
    emit NewMonth(short(m_displayedMonth.month()));
    emit changed();
}

void DatefoldModel::clickDay(const QDate &day)
{
    if (!day.isValid())
        return;
    const int offset = monthgrid::monthOffset(m_displayedMonth, day);
    if (offset == 0) {
        if (!setCurrentDate(day))
            emit DateClick(toOleDate(day));
    } else if (!m_onlyThisMonth) {
        stepMonth(offset);
    }
}

bool DatefoldModel::moveByKey(int key, bool ctrl)
{
    const QDate target = datearithmetic::keyTarget(m_current, key, ctrl);
    if (!target.isValid())
        return false;
    if (m_onlyThisMonth && (target.year() != m_current.year() || target.month() != m_current.month()))
        return false;
    return setCurrentDate(target);
}

double DatefoldModel::DatePosition() const
{
    return toOleDate(m_current);
}

void DatefoldModel::setDatePosition(double date)
{
    if (date == 0)
        return;
    setCurrentDate(oleDateDay(date));
}

void DatefoldModel::setOnlyThisMonth(bool only)
{
    m_onlyThisMonth = only;
    emit changed();
}

double DatefoldModel::GoToday()
{
    setCurrentDate(platform::clock::today());
    return toOleDate(m_current);
}

double DatefoldModel::OffsetDatePosition(short nYears, short nMonths, short nWeeks, short nDays)
{
    setCurrentDate(datearithmetic::offset(m_current, nYears, nMonths, nWeeks, nDays));
    return toOleDate(m_current);
}

double DatefoldModel::AutumnalEquinox() const
{
    return toOleDate(m_holidays.autumnalEquinox());
}

void DatefoldModel::setAutumnalEquinox(double moment)
{
    const QDateTime m = fromOleDate(moment);
    if (!m.isValid())
        return;
    m_holidays.setAutumnalEquinox(m);
    emit changed();
}

double DatefoldModel::VernalEquinox() const
{
    return toOleDate(m_holidays.vernalEquinox());
}

void DatefoldModel::setVernalEquinox(double moment)
{
    const QDateTime m = fromOleDate(moment);
    if (!m.isValid())
        return;
    m_holidays.setVernalEquinox(m);
    emit changed();
}

// ------------------------------------------------------------------ holidays

bool DatefoldModel::EnumHolidayParam(short Index, QString &Name, short &Type, short &Style, short &Month,
                                     short &DayOrWeekNo, short &DayOfWeek) const
{
    const HolidayRule *r = m_holidays.rule(Index);
    if (!r)
        return false;
    Name = r->name;
    Type = r->type;
    Style = r->style;
    Month = r->month;
    DayOrWeekNo = r->dayOrWeekNo;
    DayOfWeek = r->dayOfWeek;
    return true;
}

bool DatefoldModel::IsHoliday(double aDate) const
{
    return m_holidays.isHoliday(oleDateDay(aDate));
}

void DatefoldModel::SetHolidayParam(const QString &Name, short Type, short Style, short Month, short DayOrWeekNo,
                                    short DayOfWeek)
{
    if (m_holidays.addSimpleRule(Name, Type, Style, Month, DayOrWeekNo, DayOfWeek, m_displayedMonth.year()))
        emit changed();
}

bool DatefoldModel::EnumHoliday(short Index, short year, double &date) const
{
    if (!m_holidays.rule(Index))
        return false;
    date = toOleDate(m_holidays.enumHoliday(Index, year));
    return true;
}

bool DatefoldModel::ClearHoliday(double aDate)
{
    const bool removed = m_holidays.clearHoliday(oleDateDay(aDate));
    if (removed)
        emit changed();
    return removed;
}

void DatefoldModel::ClearAllHoliday()
{
    m_holidays.clearAll();
    emit changed();
}

QString DatefoldModel::GetHolidayName(double aDate) const
{
    return m_holidays.holidayName(oleDateDay(aDate));
}

bool DatefoldModel::GetHolidayParam(double aDate, QString &Name, short &Type, short &Style, short &Month,
                                    short &DayOrWeekNo, short &DayOfWeek) const
{
    const QList<int> indexes = m_holidays.matchingRules(oleDateDay(aDate));
    if (indexes.isEmpty())
        return false;
    return EnumHolidayParam(short(indexes.first()), Name, Type, Style, Month, DayOrWeekNo, DayOfWeek);
}

bool DatefoldModel::IsLegalHoliday(double dtDay) const
{
    return m_holidays.isLegalHoliday(oleDateDay(dtDay));
}

bool DatefoldModel::IsSpecialHoliday(double dtDay) const
{
    return m_holidays.isSpecialHoliday(oleDateDay(dtDay));
}

void DatefoldModel::SetHoliday(double dtHoliday, const QString &strName, short Type)
{
    const QDate d = oleDateDay(dtHoliday);
    if (!d.isValid())
        return;
    SetHolidayParam(strName, Type, DfdMonthDay, short(d.month()), short(d.day()), 0);
}

bool DatefoldModel::IsVernalEquinoxDay(double dt) const
{
    return m_holidays.isVernalEquinoxDay(oleDateDay(dt));
}

bool DatefoldModel::IsAutumnalEquinoxDay(double dt) const
{
    return m_holidays.isAutumnalEquinoxDay(oleDateDay(dt));
}

double DatefoldModel::GetVernalEquinoxDay(short nYear) const
{
    return toOleDate(m_holidays.vernalEquinoxDay(nYear));
}

double DatefoldModel::GetAutumnalEquinoxDay(short nYear) const
{
    return toOleDate(m_holidays.autumnalEquinoxDay(nYear));
}

bool DatefoldModel::IsFurikae(double dt) const
{
    return m_holidays.isFurikae(oleDateDay(dt));
}

bool DatefoldModel::IsKokuminKyujitu(double dt) const
{
    return m_holidays.isKokuminKyujitu(oleDateDay(dt));
}

bool DatefoldModel::IsLeapYear(short nYear) const
{
    return HolidayEngine::isLeapYear(nYear);
}

void DatefoldModel::ClearAllSpecialHoliday()
{
    m_holidays.clearAllOfType(DfdSpecialHoliday);
    emit changed();
}

void DatefoldModel::ClearAllLegalHoliday()
{
    m_holidays.clearAllOfType(DfdLegalHoliday);
    emit changed();
}

int DatefoldModel::SetHolidayParam2(const QString &Name, short Type, const QVariant &EnforceDate,
                                    const QVariant &ExpiryDate, int Substitute, short DatePattern, short Month,
                                    short DayOrWeekNo, short DayOfWeek)
{
    const bool added = m_holidays.addRule(Name, Type, limitDate(EnforceDate), limitDate(ExpiryDate), Substitute,
                                          DatePattern, Month, DayOrWeekNo, DayOfWeek, platform::clock::today());
    if (added)
        emit changed();
    return added ? -1 : 0;
}

bool DatefoldModel::EnumHolidayParam2(short Index, QString &Name, short &Type, QVariant &EnforceDate,
                                      QVariant &ExpiryDate, bool &Substitute, short &DatePattern, short &Month,
                                      short &DayOrWeekNo, short &DayOfWeek) const
{
    const HolidayRule *r = m_holidays.rule(Index);
    if (!r)
        return false;
    Name = r->name;
    Type = r->type;
    EnforceDate = dateVariant(r->enforceDate);
    ExpiryDate = dateVariant(r->expiryDate);
    Substitute = r->substitute;
    DatePattern = r->style;
    Month = r->month;
    DayOrWeekNo = r->dayOrWeekNo;
    DayOfWeek = r->dayOfWeek;
    return true;
}

short DatefoldModel::GetHolidayParam2(double TargetDate, QVariant &Indexes) const
{
    const QList<int> indexes = m_holidays.matchingRules(oleDateDay(TargetDate));
    Indexes = indexArray(indexes);
    return short(indexes.size());
}

short DatefoldModel::GetHolidayName2(double TargetDate, QVariant &Names) const
{
    const QStringList names = m_holidays.holidayNames(oleDateDay(TargetDate));
    Names = nameArray(names);
    return short(names.size());
}

bool DatefoldModel::EnumHolidayV(short Index, short year, QVariant &Holiday) const
{
    double date = 0;
    if (!EnumHoliday(Index, year, date))
        return false;
    Holiday = date;
    return true;
}

bool DatefoldModel::EnumHolidayParam2V(short Index, QVariant &Name, QVariant &Type, QVariant &EnforceDate,
                                       QVariant &ExpiryDate, QVariant &Substitute, QVariant &DatePattern,
                                       QVariant &Month, QVariant &DayOrWeekNo, QVariant &DayOfWeek) const
{
    QString name;
    short type = 0, pattern = 0, month = 0, day = 0, weekday = 0;
    bool substitute = false;
    QVariant enforce, expiry;
    if (!EnumHolidayParam2(Index, name, type, enforce, expiry, substitute, pattern, month, day, weekday))
        return false;
    Name = name;
    Type = QVariant::fromValue<qint16>(type);
    EnforceDate = enforce;
    ExpiryDate = expiry;
    Substitute = QVariant::fromValue<qint32>(substitute ? -1 : 0);
    DatePattern = QVariant::fromValue<qint16>(pattern);
    Month = QVariant::fromValue<qint16>(month);
    DayOrWeekNo = QVariant::fromValue<qint16>(day);
    DayOfWeek = QVariant::fromValue<qint16>(weekday);
    return true;
}

short DatefoldModel::GetHolidayParam2V(double TargetDate, QVariant &Indexes) const
{
    return GetHolidayParam2(TargetDate, Indexes);
}

short DatefoldModel::GetHolidayName2V(double TargetDate, QVariant &Names) const
{
    return GetHolidayName2(TargetDate, Names);
}

bool DatefoldModel::AddHolidayLaws(const QString &strFileName)
{
    QByteArray table;
    if (strFileName.isEmpty()) {
        table = laterHolidayLawsTable();
    } else {
        if (platform::readFileBytes(strFileName, &table) != platform::ReadStatus::Read)
            return false;
    }
    if (applyHolidayLaws(m_holidays, parseHolidayTable(table), platform::clock::today()) > 0)
        emit changed();
    return true;
}

// ------------------------------------------------------------------ day memos

bool DatefoldModel::SetDayMemo(double dt, const QString &strText, quint32 clrText, quint32 clrBack)
{
    m_memos.set(dt, DayMemo{strText, clrText, clrBack});
    emit changed();
    return true;
}

bool DatefoldModel::GetDayMemo(double dt, QString &strText, quint32 &clrText, quint32 &clrBack) const
{
    const std::optional<DayMemo> memo = m_memos.get(dt);
    if (!memo)
        return false;
    strText = memo->text;
    clrText = memo->textColor;
    clrBack = memo->backColor;
    return true;
}

bool DatefoldModel::LoadDayMemo(const QString &strFileName)
{
    if (!daymemofile::load(m_memos, strFileName))
        return false;
    emit changed();
    return true;
}

bool DatefoldModel::SaveDayMemo(const QString &strFileName) const
{
    return daymemofile::save(m_memos, strFileName);
}

bool DatefoldModel::ClearDayMemo(double dtDate)
{
    const bool removed = m_memos.remove(dtDate);
    if (removed)
        emit changed();
    return removed;
}

void DatefoldModel::ClearAllDayMemo()
{
    m_memos.clear();
    emit changed();
}

QVariant DatefoldModel::FindDayMemo(const QString &strKeyword, quint32 clrText, quint32 clrBack, short nOptions) const
{
    const QList<double> dates = m_memos.find(strKeyword, clrText, clrBack, nOptions);
    if (dates.isEmpty())
        return {};
    QVariantList list;
    for (double d : dates)
        list << d;
    return list;
}

bool DatefoldModel::GetDayMemoV(double dt, QVariant &Text, QVariant &TextColor, QVariant &BackColor) const
{
    const std::optional<DayMemo> memo = m_memos.get(dt);
    if (!memo)
        return false;
    Text = memo->text;
    TextColor = QVariant::fromValue<qint32>(qint32(memo->textColor));
    BackColor = QVariant::fromValue<qint32>(qint32(memo->backColor));
    return true;
}

} // namespace calendar
