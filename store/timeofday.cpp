#include "store/timeofday.h"

#include <QDateTime>
#include <QRegularExpression>

namespace store {

QString hhnn(const QTime &time)
{
    return time.toString(QStringLiteral("HHmm"));
}

int hhnnss(const QTime &time)
{
    if (!time.isValid())
        return 0;
    return time.hour() * 10000 + time.minute() * 100 + time.second();
}

QString timeText(const QTime &time)
{
    return time.toString(QStringLiteral("HH:mm:ss"));
}

QTime parseTime(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QTime)
        return value.toTime();
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().time();
    QString text = value.toString().trimmed();
    // A date part in front ("1899-12-30 07:30:00") is dropped.
    static const QRegularExpression dateTimeSeparator(QStringLiteral("[ T]"));
    const int blank = text.lastIndexOf(dateTimeSeparator);
    if (blank >= 0)
        text = text.mid(blank + 1);
    for (const char *format : {"H:mm:ss", "H:mm", "HH:mm:ss.zzz"}) {
        const QTime t = QTime::fromString(text, QString::fromLatin1(format));
        if (t.isValid())
            return t;
    }
    return {};
}

} // namespace store
