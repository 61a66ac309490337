#include "tools/Masterio/tagcsv.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QDir>
#include <QLocale>

#include <cmath>

namespace masterio {

const QList<TagColumn> &tagColumns()
{
    using K = TagColumn::Kind;
    static const QList<TagColumn> columns = {
        {QStringLiteral("tag名称"), K::Text, QString()},
        {QStringLiteral("Yukoflg桁"), K::Pattern, QStringLiteral("0")},
        {QStringLiteral("最大値"), K::Number, QStringLiteral("999")},
        {QStringLiteral("最小値"), K::Number, QStringLiteral("0")},
        {QStringLiteral("大項目NO"), K::Number, QStringLiteral("0")},
        {QStringLiteral("中項目NO"), K::Number, QStringLiteral("0")},
        {QStringLiteral("小項目NO"), K::Number, QStringLiteral("0")},
        {QStringLiteral("単位NO"), K::Number, QStringLiteral("0")},
        {QStringLiteral("収集種別"), K::Number, QStringLiteral("0")},
        {QStringLiteral("TOTAL_FLG"), K::Text, QStringLiteral("TRUE")},
        {QStringLiteral("AVE_FLG"), K::Text, QStringLiteral("TRUE")},
        {QStringLiteral("MAX_FLG"), K::Text, QStringLiteral("TRUE")},
        {QStringLiteral("MIN_FLG"), K::Text, QStringLiteral("TRUE")},
        {QStringLiteral("種別"), K::Number, QStringLiteral("0")},
        {QStringLiteral("P種別"), K::Number, QStringLiteral("0")},
        {QStringLiteral("パルスMAX"), K::Text, QString()},
        {QStringLiteral("換算係数"), K::Number, QStringLiteral("1")},
        {QStringLiteral("A"), K::Text, QString()},
        {QStringLiteral("B"), K::Text, QString()},
        {QStringLiteral("C"), K::Text, QString()},
        {QStringLiteral("D"), K::Text, QString()},
        {QStringLiteral("E"), K::Text, QString()},
        {QStringLiteral("F"), K::Text, QString()},
        {QStringLiteral("CALC"), K::Text, QString()},
    };
    return columns;
}

QList<QStringList> parseCsv(const QString &text, QList<int> *lines)
{
    QList<QStringList> records;
    QStringList fields;
    QString field;
    bool quoted = false;      // inside quotes
    bool wasQuoted = false;   // the field began with a quote
    bool recordHasText = false;
    int line = 1;
    int recordLine = 1;

    auto endField = [&] {
        fields << (wasQuoted ? field : field.trimmed());
        field.clear();
        wasQuoted = false;
    };
    auto endRecord = [&] {
        endField();
        if (recordHasText) { // a record of empty fields only (",,,,") is an empty line
            records << fields;
            if (lines)
                *lines << recordLine;
        }
        fields.clear();
        recordHasText = false;
    };

    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < text.size() && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                if (c == u'\n')
                    ++line;
                field += c;
            }
            continue;
        }
        if (c == u'"' && field.trimmed().isEmpty()) {
            field.clear();
            quoted = wasQuoted = recordHasText = true;
        } else if (c == u',') {
            endField();
        } else if (c == u'\r' || c == u'\n') {
            if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            endRecord();
            ++line;
            recordLine = line;
        } else if (wasQuoted && c.isSpace()) {
            // blanks between a closing quote and the comma
        } else {
            field += c;
            if (!c.isSpace())
                recordHasText = true;
        }
    }
    if (!field.isEmpty() || !fields.isEmpty() || wasQuoted)
        endRecord();
    return records;
}

QString displayPattern(const QString &field)
{
    static const QStringList patterns = {QStringLiteral("X"), QStringLiteral("X.0"), QStringLiteral("X.00"),
                                         QStringLiteral("X.000"), QStringLiteral("X.0000")};
    const QString f = field.trimmed().toUpper();
    if (patterns.contains(f))
        return QString(f).replace(u'X', u'0');
    return QStringLiteral("0");
}

bool readTagCsv(const QString &path, QList<TagRecord> *records, Failure *failure)
{
    QByteArray bytes;
    QString why;
    switch (platform::readFileBytes(path, &bytes, &why)) {
    case platform::ReadStatus::Read:
        break;
    case platform::ReadStatus::Missing:
        *failure = {Failure::FileNotFound, QStringLiteral("%1 が見つかりません。").arg(QDir::toNativeSeparators(path))};
        return false;
    case platform::ReadStatus::NotRegular:
    case platform::ReadStatus::Failed:
        *failure = {Failure::WorkbookError, QStringLiteral("%1 を読めません: %2").arg(path, why)};
        return false;
    }
    QList<int> lines;
    const QList<QStringList> rows = parseCsv(platform::decodeText(bytes), &lines);
    const QList<TagColumn> &columns = tagColumns();
    QLocale plain = QLocale::c();
    plain.setNumberOptions(QLocale::RejectGroupSeparator);
    QList<TagRecord> out;
    for (int r = 0; r < rows.size(); ++r) {
        QStringList fields = rows.at(r);
        const QString where = QStringLiteral("%1 行目: ").arg(lines.at(r));
        if (!fields.isEmpty() && fields.first() == TagCsvHeading)
            continue;
        // Trailing empty fields (a comma too many) are no fields.
        while (fields.size() > TagCsvFields && fields.last().isEmpty())
            fields.removeLast();
        if (fields.size() != TagCsvFields) {
            *failure = {Failure::BadCell, where + QStringLiteral("項目が %1 個あります (%2 個の項目が必要です)。")
                                                      .arg(fields.size())
                                                      .arg(TagCsvFields)};
            return false;
        }
        TagRecord record;
        record.line = lines.at(r);
        record.tag = fields.at(1);
        if (record.tag.isEmpty()) {
            *failure = {Failure::BadCell, where + QStringLiteral("タグ名 (2 番目の項目) が空です。")};
            return false;
        }
        for (int c = 0; c < columns.size(); ++c) {
            const TagColumn &column = columns.at(c);
            const QString field = fields.at(c + 2);
            const QString text = field.isEmpty() ? column.whenEmpty : field;
            switch (column.kind) {
            case TagColumn::Kind::Text:
                record.values << (text.isNull() ? QStringLiteral("") : text); // empty text, not null
                break;
            case TagColumn::Kind::Pattern:
                record.values << displayPattern(field);
                break;
            case TagColumn::Kind::Number: {
                bool ok = false;
                const double n = plain.toDouble(text.trimmed(), &ok);
                if (!ok || !std::isfinite(n)) {
                    *failure = {Failure::BadCell,
                                where + QStringLiteral("%1「%2」は数値ではありません。").arg(column.name, field)};
                    return false;
                }
                record.values << n;
                break;
            }
            }
        }
        out << record;
    }
    *records = out;
    return true;
}

} // namespace masterio
