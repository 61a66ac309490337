#include "scriptvalue.h"

#include "automation/variantconventions.h"

#include <QDateTime>

namespace ctlhost {

bool splitWords(const QString &line, QStringList *words)
{
    words->clear();
    QString current;
    bool inWord = false;
    bool inQuote = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (inQuote) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    inQuote = false;
                }
            } else {
                current += c;
            }
            continue;
        }
        if (c.isSpace()) {
            if (inWord) {
                words->append(current);
                current.clear();
                inWord = false;
            }
            continue;
        }
        if (c == QLatin1Char('"')) {
            inQuote = true;
            inWord = true;
            current += QChar(0x1); // marks the word as quoted; removed by the caller
            continue;
        }
        current += c;
        inWord = true;
    }
    if (inWord)
        words->append(current);
    return !inQuote;
}

QVariant parseValue(const QString &word, bool quoted)
{
    if (quoted)
        return word;
    if (word.compare(QLatin1String("empty"), Qt::CaseInsensitive) == 0)
        return {};
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<qint16>(automation::VariantTrue);
    if (word.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return QVariant::fromValue<qint16>(automation::VariantFalse);
    if (word.startsWith(QLatin1String("date:"), Qt::CaseInsensitive)) {
        const QString text = word.mid(5);
        QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
        if (!dt.isValid())
            dt = QDateTime(QDate::fromString(text, Qt::ISODate), QTime(0, 0));
        if (dt.isValid())
            return automation::toOleDate(dt);
        return word;
    }
    bool ok = false;
    if (word.startsWith(QLatin1String("&H"), Qt::CaseInsensitive) || word.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        const quint32 v = word.mid(2).toUInt(&ok, 16);
        if (ok)
            return QVariant::fromValue<quint32>(v);
    }
    const qlonglong n = word.toLongLong(&ok);
    if (ok) {
        if (n >= -32768 && n <= 32767)
            return QVariant::fromValue<qint16>(qint16(n));
        return QVariant::fromValue<qint32>(qint32(n));
    }
    const double d = word.toDouble(&ok);
    if (ok)
        return d;
    return word;
}

} // namespace ctlhost
