#include "calendar/daymemostore.h"

#include <cmath>

namespace calendar {

int DayMemoStore::bucketOf(double date)
{
    const quint32 day = quint32(qint32(std::trunc(date)));
    return int((day / 16) % BucketCount);
}

void DayMemoStore::set(double date, const DayMemo &memo)
{
    QList<Entry> &chain = m_buckets[size_t(bucketOf(date))];
    for (Entry &e : chain) {
        if (e.date == date) {
            e.memo = memo;
            return;
        }
    }
    chain.prepend(Entry{date, memo});
}

std::optional<DayMemo> DayMemoStore::get(double date) const
{
    for (const Entry &e : m_buckets[size_t(bucketOf(date))]) {
        if (e.date == date)
            return e.memo;
    }
    return std::nullopt;
}

bool DayMemoStore::remove(double date)
{
    QList<Entry> &chain = m_buckets[size_t(bucketOf(date))];
    for (qsizetype i = 0; i < chain.size(); ++i) {
        if (chain.at(i).date == date) {
            chain.removeAt(i);
            return true;
        }
    }
    return false;
}

void DayMemoStore::clear()
{
    for (QList<Entry> &chain : m_buckets)
        chain.clear();
}

int DayMemoStore::count() const
{
    int n = 0;
    for (const QList<Entry> &chain : m_buckets)
        n += int(chain.size());
    return n;
}

QList<DayMemoStore::Entry> DayMemoStore::entries() const
{
    QList<Entry> all;
    for (const QList<Entry> &chain : m_buckets)
        all += chain;
    return all;
}

QList<double> DayMemoStore::find(const QString &keyword, quint32 textColor, quint32 backColor, int options) const
{
    const bool matchCase = options & DfdMatchCase;
    const bool wholeWord = options & DfdWholeWord;
    const QString key = matchCase ? keyword : keyword.toUpper();
    QList<double> dates;
    for (const QList<Entry> &chain : m_buckets) {
        for (const Entry &e : chain) {
            if (!key.isEmpty()) {
                const QString text = matchCase ? e.memo.text : e.memo.text.toUpper();
                if (wholeWord ? text != key : !text.contains(key))
                    continue;
            }
            if (textColor != NoColor && textColor != e.memo.textColor)
                continue;
            if (backColor != NoColor && backColor != e.memo.backColor)
                continue;
            dates << e.date;
        }
    }
    return dates;
}

} // namespace calendar
