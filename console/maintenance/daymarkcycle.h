#pragma once

#include <QList>
#include <QString>

namespace console {

// A special-day mark as the calendar keeps it: a day memo with its colours
// (0x00BBGGRR).
struct SpecialDayMark
{
    QString text;
    quint32 textColor = 0;
    quint32 backColor = 0;
};

// The four marks "特日１".."特日４" in their order: black text on cyan,
// yellow, orange and red.
const QList<SpecialDayMark> &specialDayMarks();

// What a click does to a date's memo.
struct MarkStep
{
    enum Kind { Set, Clear, Keep };
    Kind kind = Keep;
    SpecialDayMark mark; // the mark to set (Set only)
};

// A click cycles the mark: no memo → 特日１ → 特日２ → 特日３ → 特日４ → no memo.
// A memo of any other text (a holiday written by another tool) is kept.
MarkStep nextSpecialDayMark(const QString &memoText);

} // namespace console
