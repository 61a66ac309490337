#pragma once

#include "calendar/daymemostore.h"
#include "calendar/holidayengine.h"

#include <QDate>
#include <QObject>
#include <QVariant>

namespace calendar {

// The model of the calendar control: the holiday engine and the day memos
// with the control's automation members (dates are automation dates, Booleans
// plain bools that cross the automation boundary as -1/0, out-arguments
// reference parameters), and the displayed month.  No widgets: the runner and
// tests use it without a screen.
class DatefoldModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double AutumnalEquinox READ AutumnalEquinox WRITE setAutumnalEquinox)
    Q_PROPERTY(double VernalEquinox READ VernalEquinox WRITE setVernalEquinox)
    Q_PROPERTY(double DatePosition READ DatePosition WRITE setDatePosition)
    Q_PROPERTY(bool OnlyThisMonth READ OnlyThisMonth WRITE setOnlyThisMonth)

public:
    // With `loadBuiltInTable` the holiday rules of the built-in table are loaded.
    explicit DatefoldModel(QObject *parent = nullptr, bool loadBuiltInTable = true);
    ~DatefoldModel() override;

    HolidayEngine &holidays() { return m_holidays; }
    const HolidayEngine &holidays() const { return m_holidays; }
    DayMemoStore &memos() { return m_memos; }
    const DayMemoStore &memos() const { return m_memos; }

    // The displayed month (its first day).  SetHolidayParam places rules in its year.
    QDate displayedMonth() const { return m_displayedMonth; }
    void setDisplayedMonth(const QDate &anyDayOfMonth);

    // ---- the current date and navigation
    QDate currentDate() const { return m_current; }
    // Sets the current date and shows its month; fires NewYear and NewMonth
    // when the displayed year or month changes, then DateClick.  An invalid
    // date or the current date itself does nothing.  True when it changed.
    bool setCurrentDate(const QDate &date);
    // Without events, for loading persisted properties.
    void resetCurrentDate(const QDate &date);
    // One month forward (+1) or back (-1) without changing the current date.
    void stepMonth(int direction);
    // A left click on a day of the grid.
    void clickDay(const QDate &day);
    // A navigation key; false when the key moves nothing.
    bool moveByKey(int key, bool ctrl);

    double DatePosition() const;
    void setDatePosition(double date);
    bool OnlyThisMonth() const { return m_onlyThisMonth; }
    void setOnlyThisMonth(bool only);

    Q_INVOKABLE double GoToday();
    Q_INVOKABLE double OffsetDatePosition(short nYears, short nMonths, short nWeeks, short nDays);

    double AutumnalEquinox() const;
    void setAutumnalEquinox(double moment);
    double VernalEquinox() const;
    void setVernalEquinox(double moment);

    // ---- holiday members
    Q_INVOKABLE bool EnumHolidayParam(short Index, QString &Name, short &Type, short &Style, short &Month,
                                      short &DayOrWeekNo, short &DayOfWeek) const;
    Q_INVOKABLE bool IsHoliday(double aDate) const;
    Q_INVOKABLE void SetHolidayParam(const QString &Name, short Type, short Style, short Month,
                                     short DayOrWeekNo, short DayOfWeek);
    Q_INVOKABLE bool EnumHoliday(short Index, short year, double &date) const;
    Q_INVOKABLE bool ClearHoliday(double aDate);
    Q_INVOKABLE void ClearAllHoliday();
    Q_INVOKABLE QString GetHolidayName(double aDate) const;
    Q_INVOKABLE bool GetHolidayParam(double aDate, QString &Name, short &Type, short &Style, short &Month,
                                     short &DayOrWeekNo, short &DayOfWeek) const;
    Q_INVOKABLE bool IsLegalHoliday(double dtDay) const;
    Q_INVOKABLE bool IsSpecialHoliday(double dtDay) const;
    Q_INVOKABLE void SetHoliday(double dtHoliday, const QString &strName, short Type);
    Q_INVOKABLE bool IsVernalEquinoxDay(double dt) const;
    Q_INVOKABLE bool IsAutumnalEquinoxDay(double dt) const;
    Q_INVOKABLE double GetVernalEquinoxDay(short nYear) const;
    Q_INVOKABLE double GetAutumnalEquinoxDay(short nYear) const;
    Q_INVOKABLE bool IsFurikae(double dt) const;
    Q_INVOKABLE bool IsKokuminKyujitu(double dt) const;
    Q_INVOKABLE bool IsLeapYear(short nYear) const;
    Q_INVOKABLE void ClearAllSpecialHoliday();
    Q_INVOKABLE void ClearAllLegalHoliday();
    // -1 when the rule was added, 0 when it was rejected.
    Q_INVOKABLE int SetHolidayParam2(const QString &Name, short Type, const QVariant &EnforceDate,
                                     const QVariant &ExpiryDate, int Substitute, short DatePattern, short Month,
                                     short DayOrWeekNo, short DayOfWeek);
    Q_INVOKABLE bool EnumHolidayParam2(short Index, QString &Name, short &Type, QVariant &EnforceDate,
                                       QVariant &ExpiryDate, bool &Substitute, short &DatePattern, short &Month,
                                       short &DayOrWeekNo, short &DayOfWeek) const;
    Q_INVOKABLE short GetHolidayParam2(double TargetDate, QVariant &Indexes) const;
    Q_INVOKABLE short GetHolidayName2(double TargetDate, QVariant &Names) const;
    Q_INVOKABLE bool EnumHolidayV(short Index, short year, QVariant &Holiday) const;
    Q_INVOKABLE bool EnumHolidayParam2V(short Index, QVariant &Name, QVariant &Type, QVariant &EnforceDate,
                                        QVariant &ExpiryDate, QVariant &Substitute, QVariant &DatePattern,
                                        QVariant &Month, QVariant &DayOrWeekNo, QVariant &DayOfWeek) const;
    Q_INVOKABLE short GetHolidayParam2V(double TargetDate, QVariant &Indexes) const;
    Q_INVOKABLE short GetHolidayName2V(double TargetDate, QVariant &Names) const;
    // Brings the rules up to the later holiday laws: with an empty file name
    // the control's own table of the laws since 2003 (昭和の日, 山の日,
    // 天皇誕生日 on 2/23, スポーツの日, the days of 2019-2021), otherwise the
    // table in the file (same layout as the built-in table), so that a site
    // can add a law without a new build.  Rows that repeat an existing rule
    // are skipped, rows that differ from one only in the expiry date end that
    // rule, all others are added as by SetHolidayParam2.  False when the file
    // cannot be read.
    Q_INVOKABLE bool AddHolidayLaws(const QString &strFileName);

    // ---- day memo members
    Q_INVOKABLE bool SetDayMemo(double dt, const QString &strText, quint32 clrText, quint32 clrBack);
    Q_INVOKABLE bool GetDayMemo(double dt, QString &strText, quint32 &clrText, quint32 &clrBack) const;
    Q_INVOKABLE bool LoadDayMemo(const QString &strFileName);
    Q_INVOKABLE bool SaveDayMemo(const QString &strFileName) const;
    Q_INVOKABLE bool ClearDayMemo(double dtDate);
    Q_INVOKABLE void ClearAllDayMemo();
    Q_INVOKABLE QVariant FindDayMemo(const QString &strKeyword, quint32 clrText, quint32 clrBack,
                                     short nOptions) const;
    Q_INVOKABLE bool GetDayMemoV(double dt, QVariant &Text, QVariant &TextColor, QVariant &BackColor) const;

signals:
    // The rules, the memos or the displayed month changed: the control is
    // modified and redraws.
    void changed();
    void DateClick(double aDate);
    void NewYear(short new_year);
    void NewMonth(short new_month);

private:
    HolidayEngine m_holidays;
    DayMemoStore m_memos;
    QDate m_displayedMonth;
    QDate m_current;
    bool m_onlyThisMonth = false;
};

} // namespace calendar
