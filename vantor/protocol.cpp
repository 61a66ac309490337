#include "protocol.h"

#include <QDataStream>
#include <QIODevice>

namespace vantor::protocol {

QByteArray encode(const Message &message)
{
    QByteArray frame;
    QDataStream out(&frame, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << quint32(0) << message.op << message.seq << message.args;
    const quint32 length = quint32(frame.size() - 4);
    frame[0] = char((length >> 24) & 0xff);
    frame[1] = char((length >> 16) & 0xff);
    frame[2] = char((length >> 8) & 0xff);
    frame[3] = char(length & 0xff);
    return frame;
}

bool FrameReader::next(Message *message, bool *broken)
{
    *broken = false;
    if (m_buffer.size() < 4)
        return false;
    const auto *p = reinterpret_cast<const uchar *>(m_buffer.constData());
    const quint32 length = (quint32(p[0]) << 24) | (quint32(p[1]) << 16) | (quint32(p[2]) << 8) | quint32(p[3]);
    if (length > MaxFrameBytes || length < 5) {
        *broken = true;
        return false;
    }
    if (quint32(m_buffer.size()) < 4 + length)
        return false;
    QDataStream in(m_buffer.mid(4, length));
    in.setVersion(QDataStream::Qt_6_0);
    Message m;
    in >> m.op >> m.seq >> m.args;
    m_buffer.remove(0, int(4 + length));
    if (in.status() != QDataStream::Ok) {
        *broken = true;
        return false;
    }
    *message = std::move(m);
    return true;
}

QVariantList toList(const QList<qint32> &values)
{
    QVariantList list;
    list.reserve(values.size());
    for (qint32 v : values)
        list.append(v);
    return list;
}

QList<qint32> toInts(const QVariant &list)
{
    QList<qint32> values;
    const QVariantList l = list.toList();
    values.reserve(l.size());
    for (const QVariant &v : l)
        values.append(v.toInt());
    return values;
}

QList<QByteArray> toBytesList(const QVariant &list)
{
    QList<QByteArray> values;
    const QVariantList l = list.toList();
    values.reserve(l.size());
    for (const QVariant &v : l)
        values.append(v.toByteArray());
    return values;
}

} // namespace vantor::protocol
