#pragma once

#include <QString>

namespace calendar {

// The colour value that means "none" (the calendar's own colour).
inline constexpr quint32 NoColor = 0xFFFFFFFFu;

// A short memo attached to a date: text and optional colours (0x00BBGGRR).
struct DayMemo
{
    QString text;
    quint32 textColor = NoColor;
    quint32 backColor = NoColor;

    bool operator==(const DayMemo &other) const = default;
};

// DfdFindDayMemoConstants
enum FindDayMemoOption : qint16 {
    DfdWholeWord = 2,
    DfdMatchCase = 4,
};

} // namespace calendar
