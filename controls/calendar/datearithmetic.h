#pragma once

#include <QDate>

#include <Qt>

// Date steps of the calendar's navigation.
namespace calendar::datearithmetic {

// Years added keeping the month, the day clamped to the target month's
// length; subtraction stops at 1900.
QDate addYearsClamped(const QDate &date, int years);
// Months added one at a time, each step clamping the day (so 31 January plus
// two months is 28 or 29 March).
QDate addMonthsStepwise(const QDate &date, int months);
// OffsetDatePosition: years, then months, then weeks and days.
QDate offset(const QDate &date, int years, int months, int weeks, int days);

// The date a key moves the current date to (Left/Right, Up/Down, Page
// Up/Down, Home/End, with or without Ctrl); null for any other key.
QDate keyTarget(const QDate &current, int key, bool ctrl);

} // namespace calendar::datearithmetic
