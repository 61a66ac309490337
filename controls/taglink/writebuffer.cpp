#include "taglink/writebuffer.h"

namespace taglink {

bool WriteBuffer::append(qint32 id, const QByteArray &value)
{
    if (isFull())
        return false;
    m_ids.append(id);
    m_values.append(value);
    return true;
}

void WriteBuffer::clear()
{
    m_ids.clear();
    m_values.clear();
}

} // namespace taglink
