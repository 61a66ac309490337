#pragma once

#include "calendar/daymemo.h"

#include <QList>

#include <array>
#include <optional>

namespace calendar {

// The memo table: automation date (compared exactly, so the time of day is
// part of the key) → memo.  A hash table of 17 buckets; a date's bucket is
// (its integer part taken as unsigned / 16) modulo 17, so runs of 16 days
// share a bucket, and new dates go to the head of their bucket's chain.
// Every walk goes bucket 0 to 16, each chain from its head: files written
// from it list the memos in that order, which other installations share.
class DayMemoStore
{
public:
    struct Entry
    {
        double date = 0;
        DayMemo memo;
    };

    static constexpr int BucketCount = 17;
    static int bucketOf(double date);

    // Stores or replaces the memo of `date`.
    void set(double date, const DayMemo &memo);
    std::optional<DayMemo> get(double date) const;
    bool contains(double date) const { return get(date).has_value(); }
    // True if there was a memo.
    bool remove(double date);
    void clear();
    int count() const;
    bool isEmpty() const { return count() == 0; }

    // Every memo in walking order.
    QList<Entry> entries() const;

    // Dates of the memos whose text matches `keyword` (empty matches all;
    // DfdMatchCase compares as written, otherwise in upper case; DfdWholeWord
    // needs the whole text, otherwise the keyword must occur in it) and whose
    // colours equal textColor and backColor (NoColor matches any), in walking order.
    QList<double> find(const QString &keyword, quint32 textColor, quint32 backColor, int options) const;

private:
    std::array<QList<Entry>, BucketCount> m_buckets; // each chain kept head first
};

} // namespace calendar
