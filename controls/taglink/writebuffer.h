#pragma once

#include <QByteArray>
#include <QList>

namespace taglink {

// Buffered writes in the order they were made: tag ids and their value
// bytes (8 for a number, 16 for a text), at most 128 entries.
class WriteBuffer
{
public:
    static constexpr int Capacity = 128;

    bool isEmpty() const { return m_ids.isEmpty(); }
    bool isFull() const { return m_ids.size() >= Capacity; }
    int size() const { return int(m_ids.size()); }

    // False when the buffer is full.
    bool append(qint32 id, const QByteArray &value);
    void clear();

    const QList<qint32> &ids() const { return m_ids; }
    const QByteArray &values() const { return m_values; }

private:
    QList<qint32> m_ids;
    QByteArray m_values;
};

} // namespace taglink
