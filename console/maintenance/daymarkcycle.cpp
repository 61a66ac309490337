#include "console/maintenance/daymarkcycle.h"

namespace console {

const QList<SpecialDayMark> &specialDayMarks()
{
    static const QList<SpecialDayMark> marks{
        {QStringLiteral("特日１"), 0, 0x00FFFF00}, // cyan
        {QStringLiteral("特日２"), 0, 0x0000FFFF}, // yellow
        {QStringLiteral("特日３"), 0, 0x000080FF}, // orange
        {QStringLiteral("特日４"), 0, 0x000000FF}, // red
    };
    return marks;
}

MarkStep nextSpecialDayMark(const QString &memoText)
{
    const QList<SpecialDayMark> &marks = specialDayMarks();
    if (memoText.isEmpty())
        return {MarkStep::Set, marks.first()};
    for (int i = 0; i < marks.size(); ++i) {
        if (marks.at(i).text == memoText)
            return i + 1 < marks.size() ? MarkStep{MarkStep::Set, marks.at(i + 1)} : MarkStep{MarkStep::Clear, {}};
    }
    return {};
}

} // namespace console
