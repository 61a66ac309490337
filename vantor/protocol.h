#pragma once

#include <QByteArray>
#include <QList>
#include <QVariant>

// The wire format between vantord and its clients (vantorapi, vantorctl): a
// frame is a 32-bit big-endian length followed by a QDataStream of the
// operation code, a sequence number and a list of variant arguments.  Replies
// carry the sequence number of their request; pushes (notifications, alarms)
// carry sequence number 0.  A request sent with sequence number 0 gets no
// reply (subscriptions and their ends, whose results the client chooses).
namespace vantor::protocol {

enum Op : quint8 {
    Hello = 1,          // client name                          -> longest wait of a write (ms)
    Resolve = 2,        // [names]                              -> [ids], [types]
    Subscribe = 3,      // subscription id, generation, [ids]   -> (nothing)
    Unsubscribe = 4,    // subscription id                      -> (nothing)
    AlarmSubscribe = 5, // alarm subscription id                -> (nothing)
    AlarmUnsubscribe = 6, // alarm subscription id              -> (nothing)
    Read = 7,           // [ids]                                -> [status], [value bytes]
    Write = 8,          // writer's time text, [ids], [values]  -> failed item count, [results]
    List = 9,           //                                      -> [[name, type, value, comment]]
    RaiseAlarm = 10,    // text                                 -> (nothing)
    Inspect = 11,       // [names]                              -> [[name, value, binding, quality, last poll]]
    Devices = 12,       //                                      -> [[device, state, since, why, points]]
    Reload = 13,        //                                      -> reloaded, [problems]
    Reply = 64,         // status, results...
    Notify = 65,        // push: subscription id, generation, [indexes], [values]
    AlarmPush = 66,     // push: alarm subscription id, text
};

// Reply status codes.
enum Status : qint32 {
    Ok = 0,
    BadRequest = 1,
    Rejected = 2,
};

// Value types of a tag as resolve reports them.
inline constexpr quint8 TypeNumber = 8;  // 8-byte float
inline constexpr quint8 TypeText = 5;    // 16 bytes of text
inline constexpr int TextBytes = 16;
inline constexpr int NumberBytes = 8;

// Read status of a value that cannot be read.
inline constexpr quint8 StatusUnreadable = 254;

// Largest frame accepted; anything longer is a broken peer.
inline constexpr quint32 MaxFrameBytes = 16 * 1024 * 1024;

struct Message
{
    quint8 op = 0;
    quint32 seq = 0;
    QVariantList args;
};

QByteArray encode(const Message &message);

// Collects bytes as they arrive and cuts them into messages.
class FrameReader
{
public:
    void append(const QByteArray &bytes) { m_buffer.append(bytes); }
    // The next complete message; false when none is complete yet.  Sets
    // *broken when the stream cannot be a valid frame sequence.
    bool next(Message *message, bool *broken);

private:
    QByteArray m_buffer;
};

// Tag ids: the tag's position (from 1), whether the item is the comment, and
// whether the item's value is a 16-byte text, so that a writer can cut the
// value bytes of a write without asking the server.
inline qint32 makeId(int tagIndex, bool comment, bool text)
{
    return qint32(((tagIndex + 1) << 2) | (comment ? 2 : 0) | (text ? 1 : 0));
}
inline bool idIsText(qint32 id) { return id >= 0 && (id & 1); }
inline int valueBytesOf(qint32 id) { return idIsText(id) ? TextBytes : NumberBytes; }

// Helpers for lists inside the argument list.
QVariantList toList(const QList<qint32> &values);
QList<qint32> toInts(const QVariant &list);
QList<QByteArray> toBytesList(const QVariant &list);

} // namespace vantor::protocol
