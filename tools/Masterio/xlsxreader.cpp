#include "tools/Masterio/xlsxreader.h"

#include <QDir>
#include <QHash>
#include <QLocale>
#include <QXmlStreamReader>

namespace masterio {
namespace {

struct Relationship
{
    QString type;
    QString target; // resolved to a part name inside the package
};

// "xl/workbook.xml" → "xl/_rels/workbook.xml.rels"
QString relationshipsPartOf(const QString &part)
{
    const int slash = part.lastIndexOf(QLatin1Char('/'));
    return part.left(slash + 1) + QStringLiteral("_rels/") + part.mid(slash + 1) + QStringLiteral(".rels");
}

// A relationship target relative to the part that names it; "/..." is relative to the package root.
QString resolveTarget(const QString &sourcePart, const QString &target)
{
    if (target.startsWith(QLatin1Char('/')))
        return QDir::cleanPath(target.mid(1));
    const int slash = sourcePart.lastIndexOf(QLatin1Char('/'));
    return QDir::cleanPath(sourcePart.left(slash + 1) + target);
}

QString xmlError(const QString &part, const QXmlStreamReader &xml)
{
    return QStringLiteral("%1 (%2 行): %3").arg(part).arg(xml.lineNumber()).arg(xml.errorString());
}

bool readRelationships(const ZipArchive &zip, const QString &sourcePart, QHash<QString, Relationship> *out,
                       QString *error)
{
    const QString part = relationshipsPartOf(sourcePart);
    QByteArray bytes;
    if (!zip.read(part, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("Relationship")) {
            const auto a = xml.attributes();
            if (a.value(QLatin1String("TargetMode")) == QLatin1String("External"))
                continue;
            out->insert(a.value(QLatin1String("Id")).toString(),
                        {a.value(QLatin1String("Type")).toString(),
                         resolveTarget(sourcePart, a.value(QLatin1String("Target")).toString())});
        }
    }
    if (xml.hasError()) {
        *error = xmlError(part, xml);
        return false;
    }
    return true;
}

// The plain text of a string item (<si> or <is>): its <t> elements, directly
// or inside rich-text runs <r>; phonetic guides <rPh> are skipped.  The reader
// stands on the item's start element and ends on its end element.
QString readStringItem(QXmlStreamReader &xml)
{
    QString text;
    while (xml.readNextStartElement()) {
        if (xml.name() == QLatin1String("t")) {
            text += xml.readElementText();
        } else if (xml.name() == QLatin1String("r")) {
            while (xml.readNextStartElement()) {
                if (xml.name() == QLatin1String("t"))
                    text += xml.readElementText();
                else
                    xml.skipCurrentElement();
            }
        } else {
            xml.skipCurrentElement(); // rPh, phoneticPr, ...
        }
    }
    return text;
}

} // namespace

bool XlsxReader::open(const QString &path, QString *error)
{
    m_sheets.clear();
    m_sharedStrings.clear();
    m_sharedStringsLoaded = false;
    m_sharedStringsPart.clear();
    m_workbookPart.clear();
    if (!m_zip.open(path, error))
        return false;

    // The package's main part: the workbook.
    QHash<QString, Relationship> root;
    if (!readRelationships(m_zip, QString(), &root, error))
        return false;
    QString workbookPart;
    for (const Relationship &r : std::as_const(root)) {
        if (r.type.endsWith(QLatin1String("/officeDocument")))
            workbookPart = r.target;
    }
    if (workbookPart.isEmpty()) {
        *error = QStringLiteral("ワークブックではありません (officeDocument がありません)。");
        return false;
    }
    m_workbookPart = workbookPart;
    QHash<QString, Relationship> parts;
    if (!readRelationships(m_zip, workbookPart, &parts, error))
        return false;
    for (const Relationship &r : std::as_const(parts)) {
        if (r.type.endsWith(QLatin1String("/sharedStrings")))
            m_sharedStringsPart = r.target;
    }

    QByteArray bytes;
    if (!m_zip.read(workbookPart, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement() || xml.name() != QLatin1String("sheet"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        QString id;
        for (const QXmlStreamAttribute &attribute : a) {
            if (attribute.name() == QLatin1String("id")) // r:id, whatever the prefix
                id = attribute.value().toString();
        }
        const auto rel = parts.constFind(id);
        if (rel != parts.constEnd() && rel->type.endsWith(QLatin1String("/worksheet")))
            m_sheets.append({a.value(QLatin1String("name")).toString(), rel->target});
    }
    if (xml.hasError()) {
        *error = xmlError(workbookPart, xml);
        return false;
    }
    return true;
}

QStringList XlsxReader::sheetNames() const
{
    QStringList names;
    for (const SheetEntry &s : m_sheets)
        names << s.name;
    return names;
}

QString XlsxReader::findSheet(const QString &name) const
{
    for (const SheetEntry &s : m_sheets) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return s.name;
    }
    return {};
}

QString XlsxReader::sheetPart(const QString &name) const
{
    for (const SheetEntry &s : m_sheets) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0)
            return s.part;
    }
    return {};
}

bool XlsxReader::loadSharedStrings(QString *error)
{
    if (m_sharedStringsLoaded)
        return true;
    m_sharedStringsLoaded = true;
    if (m_sharedStringsPart.isEmpty() || !m_zip.contains(m_sharedStringsPart))
        return true; // a workbook without texts, or with inline texts only
    QByteArray bytes;
    if (!m_zip.read(m_sharedStringsPart, &bytes, error))
        return false;
    QXmlStreamReader xml(bytes);
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("si"))
            m_sharedStrings << readStringItem(xml);
    }
    if (xml.hasError()) {
        *error = xmlError(m_sharedStringsPart, xml);
        return false;
    }
    return true;
}

bool XlsxReader::readSheet(const QString &name, XlsxSheet *sheet, QString *error)
{
    const SheetEntry *entry = nullptr;
    for (const SheetEntry &s : m_sheets) {
        if (s.name.compare(name, Qt::CaseInsensitive) == 0) {
            entry = &s;
            break;
        }
    }
    if (!entry) {
        *error = QStringLiteral("シート「%1」がありません。").arg(name);
        return false;
    }
    if (!loadSharedStrings(error))
        return false;
    QByteArray bytes;
    if (!m_zip.read(entry->part, &bytes, error))
        return false;

    *sheet = XlsxSheet(entry->name);
    QXmlStreamReader xml(bytes);
    int row = 0;
    int column = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("row")) {
            bool ok = false;
            const int r = xml.attributes().value(QLatin1String("r")).toInt(&ok);
            row = ok && r > 0 ? r : row + 1;
            column = 0;
            continue;
        }
        if (xml.name() != QLatin1String("c"))
            continue;
        const QXmlStreamAttributes a = xml.attributes();
        const QString reference = a.value(QLatin1String("r")).toString();
        int cellRow = 0;
        const int cellColumn = reference.isEmpty() ? 0 : XlsxSheet::columnOf(reference, &cellRow);
        column = cellColumn > 0 ? cellColumn : column + 1;
        if (cellRow > 0)
            row = cellRow;
        const QString type = a.value(QLatin1String("t")).toString();

        QString value;
        bool hasValue = false;
        QString inlineText;
        bool hasInline = false;
        while (xml.readNextStartElement()) {
            if (xml.name() == QLatin1String("v")) {
                value = xml.readElementText();
                hasValue = true;
            } else if (xml.name() == QLatin1String("is")) {
                inlineText = readStringItem(xml);
                hasInline = true;
            } else {
                xml.skipCurrentElement(); // f (formula), extLst
            }
        }

        XlsxCell cell;
        if (type == QLatin1String("inlineStr")) {
            if (hasInline) {
                cell.kind = XlsxCell::Kind::Text;
                cell.text = inlineText;
            }
        } else if (!hasValue) {
            // no value: an empty (formatted) cell or a formula never computed
        } else if (type == QLatin1String("s")) {
            bool ok = false;
            const int index = value.trimmed().toInt(&ok);
            cell.kind = XlsxCell::Kind::Text;
            if (ok && index >= 0 && index < m_sharedStrings.size())
                cell.text = m_sharedStrings.at(index);
        } else if (type == QLatin1String("str") || type == QLatin1String("d")) {
            cell.kind = XlsxCell::Kind::Text;
            cell.text = value;
        } else if (type == QLatin1String("b")) {
            cell.kind = XlsxCell::Kind::Boolean;
            const QString v = value.trimmed();
            cell.number = v == QLatin1String("1") || v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0 ? 1 : 0;
        } else if (type == QLatin1String("e")) {
            cell.kind = XlsxCell::Kind::Error;
            cell.text = value;
        } else {
            bool ok = false;
            const double number = QLocale::c().toDouble(value.trimmed(), &ok);
            cell.kind = ok ? XlsxCell::Kind::Number : XlsxCell::Kind::Text;
            cell.number = ok ? number : 0;
            cell.text = value;
        }
        if (row > 0 && column > 0)
            sheet->setCell(row, column, cell);
    }
    if (xml.hasError()) {
        *error = xmlError(entry->part, xml);
        return false;
    }
    return true;
}

} // namespace masterio
