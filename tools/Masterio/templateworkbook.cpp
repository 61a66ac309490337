#include "tools/Masterio/templateworkbook.h"

#include "tools/Masterio/xlsxreader.h"

#include <QFile>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <zip.h>

#include <charconv>
#include <list>

namespace masterio {
namespace {

QString columnLetters(int column) // 1 → "A", 28 → "AB"
{
    QString letters;
    for (; column > 0; column = (column - 1) / 26)
        letters.prepend(QChar(u'A' + (column - 1) % 26));
    return letters;
}

QString xmlText(const QString &text)
{
    QString clean;
    clean.reserve(text.size());
    for (const QChar c : text) {
        // Characters XML 1.0 cannot carry at all.
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r')
            continue;
        if (c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            continue;
        clean += c;
    }
    return clean.toHtmlEscaped();
}

QString numberText(double value)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}

QString cellXml(const QString &p, int row, int column, const QVariant &v)
{
    const QString ref = columnLetters(column) + QString::number(row);
    switch (v.typeId()) {
    case QMetaType::UnknownType:
        return {};
    case QMetaType::Bool:
        return QStringLiteral("<%1c r=\"%2\" t=\"b\"><%1v>%3</%1v></%1c>").arg(p, ref, v.toBool() ? u"1" : u"0");
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
        return QStringLiteral("<%1c r=\"%2\"><%1v>%3</%1v></%1c>").arg(p, ref, numberText(v.toDouble()));
    default: {
        const QString text = v.toString();
        if (text.isEmpty())
            return {};
        const bool keepBlanks = text.front().isSpace() || text.back().isSpace();
        return QStringLiteral("<%1c r=\"%2\" t=\"inlineStr\"><%1is><%1t%3>%4</%1t></%1is></%1c>")
            .arg(p, ref, keepBlanks ? QStringLiteral(" xml:space=\"preserve\"") : QString(), xmlText(text));
    }
    }
}

QString rowXml(const QString &p, int row, const QVariantList &cells)
{
    QString xml = QStringLiteral("<%1row r=\"%2\">").arg(p).arg(row);
    for (int c = 0; c < cells.size(); ++c)
        xml += cellXml(p, row, c + 1, cells.at(c));
    return xml + QStringLiteral("</%1row>").arg(p);
}

// Removes every element of a flat part ([Content_Types].xml, a .rels part)
// whose attribute has the given value.
void removeElements(QString *xml, const QString &element, const QString &attribute, const QString &value)
{
    const QRegularExpression re(QStringLiteral("<(?:\\w+:)?%1\\b[^>]*\\b%2=\"%3\"[^>]*/>")
                                    .arg(element, attribute, QRegularExpression::escape(value)));
    xml->remove(re);
}

// The parts written into the archive must live until it is closed.
class ArchiveWriter
{
public:
    ~ArchiveWriter()
    {
        if (m_zip)
            zip_discard(m_zip);
    }
    bool open(const QString &path, QString *error)
    {
        int code = 0;
        m_zip = zip_open(QFile::encodeName(path).constData(), 0, &code);
        if (!m_zip) {
            zip_error_t e;
            zip_error_init_with_code(&e, code);
            *error = QString::fromUtf8(zip_error_strerror(&e));
            zip_error_fini(&e);
        }
        return m_zip != nullptr;
    }
    bool replace(const QString &name, const QByteArray &bytes, QString *error)
    {
        const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), 0);
        m_buffers.push_back(bytes);
        zip_source_t *source = zip_source_buffer(m_zip, m_buffers.back().constData(),
                                                 zip_uint64_t(m_buffers.back().size()), 0);
        if (index < 0 || !source || zip_file_replace(m_zip, zip_uint64_t(index), source, 0) != 0) {
            if (source)
                zip_source_free(source);
            *error = QStringLiteral("%1: %2").arg(name, QString::fromUtf8(zip_strerror(m_zip)));
            return false;
        }
        return true;
    }
    void remove(const QString &name)
    {
        const zip_int64_t index = zip_name_locate(m_zip, name.toUtf8().constData(), 0);
        if (index >= 0)
            zip_delete(m_zip, zip_uint64_t(index));
    }
    bool close(QString *error)
    {
        if (zip_close(m_zip) != 0) {
            *error = QString::fromUtf8(zip_strerror(m_zip));
            return false; // the destructor discards it
        }
        m_zip = nullptr;
        return true;
    }

private:
    zip_t *m_zip = nullptr;
    std::list<QByteArray> m_buffers; // stable addresses
};

} // namespace

QString sheetDataXml(const QList<QVariantList> &rows, const QString &prefix, const QString &templateRow1)
{
    QString xml = QStringLiteral("<%1sheetData>").arg(prefix);
    for (int r = 0; r < rows.size(); ++r)
        xml += r == 0 && !templateRow1.isEmpty() ? templateRow1 : rowXml(prefix, r + 1, rows.at(r));
    return xml + QStringLiteral("</%1sheetData>").arg(prefix);
}

bool fillTemplate(const QString &templatePath, const QString &outputPath, const QList<SheetContent> &sheets,
                  QString *error)
{
    XlsxReader reader;
    if (!reader.open(templatePath, error))
        return false;
    ZipArchive zip;
    if (!zip.open(templatePath, error))
        return false;
    QList<QPair<QString, QByteArray>> parts;
    for (const SheetContent &content : sheets) {
        const QString part = reader.sheetPart(content.name);
        if (part.isEmpty()) {
            *error = QStringLiteral("%1 にシート「%2」がありません。").arg(templatePath, content.name);
            return false;
        }
        QByteArray bytes;
        if (!zip.read(part, &bytes, error))
            return false;
        QString xml = QString::fromUtf8(bytes);

        static const QRegularExpression sheetData(
            QStringLiteral("<((?:\\w+:)?)sheetData\\b[^>]*?(?:/>|>(.*?)</\\1sheetData\\s*>)"),
            QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = sheetData.match(xml);
        if (!m.hasMatch()) {
            *error = QStringLiteral("%1: シート「%2」にセルの領域がありません。").arg(templatePath, content.name);
            return false;
        }
        const QString prefix = m.captured(1);
        // The template's row 1, when its first row is row 1 and holds a value.
        QString row1;
        static const QRegularExpression firstRow(QStringLiteral("^\\s*(<((?:\\w+:)?)row\\b([^>]*?)(?:/>|>.*?</\\2row\\s*>))"),
                                                 QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch r = firstRow.match(m.captured(2));
        if (r.hasMatch()) {
            static const QRegularExpression rowNumber(QStringLiteral("\\br=\"(\\d+)\""));
            const QRegularExpressionMatch n = rowNumber.match(r.captured(3));
            if ((!n.hasMatch() || n.captured(1) == QLatin1String("1"))
                && r.captured(1).contains(QRegularExpression(QStringLiteral("<(?:\\w+:)?(?:v|is)\\b"))))
                row1 = r.captured(1);
        }
        xml.replace(m.capturedStart(0), m.capturedLength(0), sheetDataXml(content.rows, prefix, row1));

        // The used range, as the rows now stand.
        int columns = 1;
        for (const QVariantList &row : content.rows)
            columns = std::max(columns, int(row.size()));
        static const QRegularExpression dimension(QStringLiteral("<((?:\\w+:)?)dimension\\b[^>]*/>"));
        xml.replace(dimension, QStringLiteral("<\\1dimension ref=\"A1:%1%2\"/>")
                                   .arg(columnLetters(columns))
                                   .arg(std::max<qsizetype>(1, content.rows.size())));

        // What we wrote must read back as XML.
        QXmlStreamReader check(xml);
        while (!check.atEnd())
            check.readNext();
        if (check.hasError()) {
            *error = QStringLiteral("%1: %2").arg(part, check.errorString());
            return false;
        }
        parts.append({part, xml.toUtf8()});
    }

    if (QFile::exists(outputPath) && !QFile::remove(outputPath)) {
        *error = QStringLiteral("%1 を上書き出来ません。").arg(outputPath);
        return false;
    }
    if (!QFile::copy(templatePath, outputPath)) {
        *error = QStringLiteral("%1 を %2 へコピー出来ません。").arg(templatePath, outputPath);
        return false;
    }
    QFile::setPermissions(outputPath, QFile::permissions(outputPath) | QFile::WriteOwner);

    ArchiveWriter writer;
    bool ok = writer.open(outputPath, error);
    for (const auto &[part, bytes] : std::as_const(parts)) {
        if (ok)
            ok = writer.replace(part, bytes, error);
    }
    // The calculation chain lists formula cells; some of them are gone.
    if (ok) {
        const QString workbook = reader.workbookPart();
        const int slash = workbook.lastIndexOf(QLatin1Char('/'));
        const QString rels = workbook.left(slash + 1) + QStringLiteral("_rels/") + workbook.mid(slash + 1)
                             + QStringLiteral(".rels");
        QByteArray relsBytes;
        QByteArray typesBytes;
        if (zip.read(rels, &relsBytes, nullptr) && relsBytes.contains("/calcChain\"")
            && zip.read(QStringLiteral("[Content_Types].xml"), &typesBytes, nullptr)) {
            static const QRegularExpression chainTarget(
                QStringLiteral("<(?:\\w+:)?Relationship\\b[^>]*Type=\"[^\"]*/calcChain\"[^>]*/>"));
            QString relsXml = QString::fromUtf8(relsBytes);
            const QRegularExpressionMatch chain = chainTarget.match(relsXml);
            static const QRegularExpression targetAttr(QStringLiteral("\\bTarget=\"([^\"]*)\""));
            const QString target = targetAttr.match(chain.captured(0)).captured(1);
            const QString chainPart = target.startsWith(QLatin1Char('/'))
                                          ? target.mid(1)
                                          : workbook.left(slash + 1) + target;
            relsXml.remove(chainTarget);
            QString typesXml = QString::fromUtf8(typesBytes);
            removeElements(&typesXml, QStringLiteral("Override"), QStringLiteral("PartName"),
                           QLatin1Char('/') + chainPart);
            ok = writer.replace(rels, relsXml.toUtf8(), error)
                 && writer.replace(QStringLiteral("[Content_Types].xml"), typesXml.toUtf8(), error);
            if (ok)
                writer.remove(chainPart);
        }
    }
    if (ok)
        ok = writer.close(error);
    if (!ok)
        QFile::remove(outputPath);
    return ok;
}

} // namespace masterio
