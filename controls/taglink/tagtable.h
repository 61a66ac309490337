#pragma once

#include "taglink/tagrecord.h"

#include <QHash>
#include <QList>
#include <QString>

namespace taglink {

// The tag table: a capacity that grows in steps of 16, the names, and the
// name index (built on the first look-up by name after it was emptied).
class TagTable
{
public:
    TagTable();

    int capacity() const { return int(m_records.size()); }
    // The index of the last entry with a non-empty name, plus one.
    int count() const;

    TagRecord &at(int index) { return m_records[index]; }
    const TagRecord &at(int index) const { return m_records.at(index); }

    // Grows the table so that `index` lies inside it; new entries have their
    // event flag set.
    void ensureIndex(int index);
    void setName(int index, const QString &name);

    // All names joined with CR LF (none after the last).
    QString tagList() const;
    // Clears every name (event flags back to 1, changed flags to 0) and
    // stores one name per line of the text, trimmed.
    void setTagList(const QString &text);

    // Index of a name (exact, case matters) among the counted tags, or -1.
    int indexOf(const QString &name);
    void clearNameIndex();

private:
    QList<TagRecord> m_records;
    QHash<QString, int> m_nameIndex;
    bool m_indexBuilt = false;
};

} // namespace taglink
