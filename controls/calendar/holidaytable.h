#pragma once

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>

namespace calendar {

class HolidayEngine;

// One line of a holiday table: the fields in the table's column order
// "名称,タイプ,施行日,有効期限,振替休日,パターン,月,日or週№,曜日".
struct HolidayTableRow
{
    QString name;
    int type = 0;
    QDate enforceDate;   // null: no limit (the field's integer value was 0)
    QDate expiryDate;
    qint32 substitute = 0;
    int style = 0;
    int month = 0;
    int dayOrWeekNo = 0;
    int dayOfWeek = 0;
};

// Reads a holiday table: CP932 or UTF-8 text, lines ended by CR LF (or LF),
// a header line that is skipped, empty lines skipped, lines of more than 255
// bytes or with fields that are no numbers dropped.
QList<HolidayTableRow> parseHolidayTable(const QByteArray &bytes);

// The table the control loads when it is created (the laws in force in 2003).
QByteArray builtInHolidayTable();
// The later laws: 昭和の日, みどりの日 on 5/4, 山の日, 天皇誕生日 on 2/23,
// スポーツの日, the one-off days of 2019 and the moved days of 2020 and 2021.
QByteArray laterHolidayLawsTable();

// Adds every row as a checked rule (rows that fail the checks are dropped);
// the number of rules added.
int loadHolidayTable(HolidayEngine &engine, const QList<HolidayTableRow> &rows, const QDate &today);

// Applies a table of later laws: a row equal to an existing rule is skipped
// (so applying twice changes nothing); a row that differs from an existing
// rule only in its expiry date ends (or re-opens) that rule at the row's
// expiry date; every other row is added as a checked rule.  The number of
// rules added or changed.
int applyHolidayLaws(HolidayEngine &engine, const QList<HolidayTableRow> &rows, const QDate &today);

} // namespace calendar
