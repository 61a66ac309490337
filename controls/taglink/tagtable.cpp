#include "taglink/tagtable.h"

#include <QRegularExpression>

namespace taglink {

namespace {
constexpr int Step = 16;
}

TagTable::TagTable()
{
    m_records.resize(Step);
}

int TagTable::count() const
{
    for (int i = int(m_records.size()) - 1; i >= 0; --i) {
        if (!m_records.at(i).name.isEmpty())
            return i + 1;
    }
    return 0;
}

void TagTable::ensureIndex(int index)
{
    if (index < capacity())
        return;
    m_records.resize(((index + 15) / Step + 1) * Step);
}

void TagTable::setName(int index, const QString &name)
{
    if (index < 0)
        return;
    ensureIndex(index);
    m_records[index].name = name;
}

QString TagTable::tagList() const
{
    QStringList names;
    const int n = count();
    for (int i = 0; i < n; ++i)
        names << m_records.at(i).name;
    return names.join(QStringLiteral("\r\n"));
}

void TagTable::setTagList(const QString &text)
{
    for (TagRecord &r : m_records) {
        r.name.clear();
        r.eventEnabled = 1;
        r.changed = 0;
    }
    if (text.isEmpty())
        return;
    // One name per line, whatever the line break (CR LF, CR or LF).
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    const QStringList pieces = text.split(lineBreak);
    for (int i = 0; i < pieces.size(); ++i) {
        const QString name = pieces.at(i).trimmed();
        if (name.isEmpty() && i == pieces.size() - 1)
            break;
        setName(i, name);
    }
}

int TagTable::indexOf(const QString &name)
{
    if (!m_indexBuilt) {
        const int n = count();
        m_nameIndex.clear();
        m_nameIndex.reserve(n * 12 / 10 + 16);
        for (int i = 0; i < n; ++i) {
            const QString &tagName = m_records.at(i).name;
            if (!tagName.isEmpty() && !m_nameIndex.contains(tagName))
                m_nameIndex.insert(tagName, i);
        }
        m_indexBuilt = true;
    }
    return m_nameIndex.value(name, -1);
}

void TagTable::clearNameIndex()
{
    m_nameIndex.clear();
    m_indexBuilt = false;
}

} // namespace taglink
