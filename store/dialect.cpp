#include "store/dialect.h"

#include <QRegularExpression>

namespace store {
namespace {

// Translates one stretch of text that lies outside quotes and brackets.
QString translatePlain(const QString &piece)
{
    QString s = piece;
    static const QRegularExpression deleteStar(QStringLiteral("\\bDELETE\\s+\\*\\s*FROM\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    s.replace(deleteStar, QStringLiteral("DELETE FROM"));
    static const QRegularExpression distinctRow(QStringLiteral("\\bDISTINCTROW\\s+"),
                                                QRegularExpression::CaseInsensitiveOption);
    s.replace(distinctRow, QString());
    static const QRegularExpression boolWord(QStringLiteral("\\b(TRUE|FALSE)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    QString out;
    int last = 0;
    auto it = boolWord.globalMatch(s);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const int start = int(m.capturedStart());
        // "Schedule.True" or "x.False" are column names, not literals.
        if (start > 0 && s.at(start - 1) == QLatin1Char('.'))
            continue;
        out += s.mid(last, start - last);
        out += m.captured(1).compare(QLatin1String("TRUE"), Qt::CaseInsensitive) == 0 ? QStringLiteral("-1")
                                                                                        : QStringLiteral("0");
        last = int(m.capturedEnd());
    }
    out += s.mid(last);
    return out;
}

} // namespace

QString toSqlite(const QString &accessSql)
{
    // Split into plain stretches, quoted texts and bracketed names; only the
    // plain stretches are translated.  Keywords never span such a boundary.
    QString out;
    QString plain;
    const int n = int(accessSql.size());
    int i = 0;
    while (i < n) {
        const QChar c = accessSql.at(i);
        if (c == QLatin1Char('\'') || c == QLatin1Char('"') || c == QLatin1Char('[')) {
            const QChar close = c == QLatin1Char('[') ? QLatin1Char(']') : c;
            int j = i + 1;
            for (;;) {
                if (j >= n)
                    break;
                if (accessSql.at(j) == close) {
                    // A doubled quote inside quoted text stands for one quote.
                    if (close != QLatin1Char(']') && j + 1 < n && accessSql.at(j + 1) == close) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            out += translatePlain(plain);
            plain.clear();
            out += accessSql.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        plain += c;
        ++i;
    }
    out += translatePlain(plain);

    // A trailing ";" (and blanks) ends the only statement; drop it so the
    // driver never sees a second, empty statement.
    int end = int(out.size());
    while (end > 0 && (out.at(end - 1).isSpace() || out.at(end - 1) == QLatin1Char(';')))
        --end;
    out.truncate(end);
    return out;
}

} // namespace store
