#include "clock/formatpicture.h"

namespace tickface {
namespace {

enum class Kind { Date, Time };

QChar normalised(QChar c, Kind kind)
{
    if (kind == Kind::Date) {
        if (c == QLatin1Char('Y'))
            return QLatin1Char('y');
        if (c == QLatin1Char('D'))
            return QLatin1Char('d');
        if (c == QLatin1Char('G'))
            return QLatin1Char('g');
    } else {
        if (c == QLatin1Char('M'))
            return QLatin1Char('m');
        if (c == QLatin1Char('S'))
            return QLatin1Char('s');
        if (c == QLatin1Char('T'))
            return QLatin1Char('t');
    }
    return c;
}

QString twoDigits(int n)
{
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

QString era(const QLocale &locale)
{
    return locale.language() == QLocale::Japanese ? QStringLiteral("西暦") : QStringLiteral("A.D.");
}

QString datePart(const QDateTime &t, QChar c, int count, const QLocale &locale)
{
    const QDate d = t.date();
    switch (c.unicode()) {
    case 'd':
        if (count == 1)
            return QString::number(d.day());
        if (count == 2)
            return twoDigits(d.day());
        if (count == 3)
            return locale.dayName(d.dayOfWeek(), QLocale::ShortFormat);
        return locale.dayName(d.dayOfWeek(), QLocale::LongFormat);
    case 'M':
        if (count == 1)
            return QString::number(d.month());
        if (count == 2)
            return twoDigits(d.month());
        if (count == 3)
            return locale.monthName(d.month(), QLocale::ShortFormat);
        return locale.monthName(d.month(), QLocale::LongFormat);
    case 'y':
        if (count == 1)
            return QString::number(d.year() % 100);
        if (count == 2)
            return twoDigits(d.year() % 100);
        return QString::number(d.year());
    case 'g':
        return era(locale);
    default:
        return QString(count, c);
    }
}

QString timePart(const QDateTime &t, QChar c, int count, const QLocale &locale)
{
    const QTime tm = t.time();
    const int h12 = tm.hour() % 12 == 0 ? 12 : tm.hour() % 12;
    switch (c.unicode()) {
    case 'h':
        return count == 1 ? QString::number(h12) : twoDigits(h12);
    case 'H':
        return count == 1 ? QString::number(tm.hour()) : twoDigits(tm.hour());
    case 'm':
        return count == 1 ? QString::number(tm.minute()) : twoDigits(tm.minute());
    case 's':
        return count == 1 ? QString::number(tm.second()) : twoDigits(tm.second());
    case 't': {
        const QString mark = tm.hour() < 12 ? locale.amText() : locale.pmText();
        return count == 1 ? mark.left(1) : mark;
    }
    default:
        return QString(count, c);
    }
}

QString format(const QDateTime &t, const QString &picture, const QLocale &locale, Kind kind)
{
    const QString elements = kind == Kind::Date ? QStringLiteral("dMyg") : QStringLiteral("hHmst");
    QString out;
    int i = 0;
    const int n = int(picture.size());
    while (i < n) {
        const QChar raw = picture[i];
        if (raw == QLatin1Char('\'')) {
            ++i;
            while (i < n) {
                if (picture[i] == QLatin1Char('\'')) {
                    if (i + 1 < n && picture[i + 1] == QLatin1Char('\'')) {
                        out += QLatin1Char('\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        const QChar c = normalised(raw, kind);
        if (!elements.contains(c)) {
            out += raw;
            ++i;
            continue;
        }
        int count = 0;
        while (i < n && normalised(picture[i], kind) == c) {
            ++count;
            ++i;
        }
        out += kind == Kind::Date ? datePart(t, c, count, locale) : timePart(t, c, count, locale);
    }
    return out.left(MaxFormattedLength);
}

} // namespace

QString formatDatePicture(const QDateTime &t, const QString &picture, const QLocale &locale)
{
    return format(t, picture, locale, Kind::Date);
}

QString formatTimePicture(const QDateTime &t, const QString &picture, const QLocale &locale)
{
    return format(t, picture, locale, Kind::Time);
}

QLocale defaultClockLocale()
{
    return QLocale(QLocale::Japanese, QLocale::Japan);
}

} // namespace tickface
