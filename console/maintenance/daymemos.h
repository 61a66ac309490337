#pragma once

#include <QDate>
#include <QHash>
#include <QString>

namespace console {

// The day memos of the special-day file ("dayinfor.csv" in the database
// folder), as the main screen's calendar holds them after it reloaded them:
// read afresh on each construction.
class DayMemos
{
public:
    explicit DayMemos(const QString &databaseFolder);

    // The memo of a date, trimmed; empty when none (or when the file cannot be read).
    QString memoOf(const QDate &date) const;

private:
    QHash<qint64, QString> m_memos; // by day number
};

} // namespace console
