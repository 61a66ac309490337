// libvantorapi.so: the product's API over a connection to vantord.
#include "vantorapi.h"

#include "clientconnection.h"
#include "productfolder.h"
#include "tagdialog.h"

#include "platform/clock.h"
#include "platform/textcodec.h"

#include <QApplication>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QTimer>

#include <cstring>
#include <limits>

namespace {

using vantor::ClientConnection;
namespace protocol = vantor::protocol;

struct Subscriber
{
    VantorNotifyRoutine routine = nullptr;
    void *control = nullptr;
    qint32 generation = 0;
};

struct AlarmTarget
{
    VantorAlarmRoutine routine = nullptr;
    void *control = nullptr;
};

// The process's one link to the product.  It lives on the thread that first
// started the API, so that pushes arrive from that thread's event loop.
struct Api
{
    int starts = 0;
    ClientConnection *connection = nullptr;
    // Closes the connection a while after the last ApiStop, so that a host
    // that starts and stops around every write does not connect every time.
    QTimer *idleClose = nullptr;
    qint32 nextSubscription = 1;

    // What belongs to the present connection.  Tag ids are the API's own
    // numbers, handed out by resolve and never reused by a later connection:
    // an id kept from an earlier connection (the server may have restarted
    // since, with other tags) is refused instead of reaching whichever tag the
    // new server gives that number.
    QHash<QByteArray, std::pair<qint32, quint8>> resolved; // name -> (id, value type)
    QHash<qint32, qint32> serverIds;                      // id -> the server's id
    qint32 nextId = 1;
    QHash<qint32, Subscriber> subscriptions;
    QHash<qint32, AlarmTarget> alarms;
    // Counts the connections that ended, so that a call can tell whether the
    // connection changed under it.
    quint64 ended = 0;

    // Subscriptions of an ended connection whose subscribers have yet to hear
    // that they are lost (told from the event loop).
    QHash<qint32, Subscriber> lost;
    bool lossQueued = false;

    QHash<qint32, QPointer<QTimer>> timers;
    qint32 nextTimer = 1;
};

// Deliberately never destroyed: hosts may call ApiStop after their
// QCoreApplication is gone, and nothing needs tearing down at exit.
Api &api()
{
    static Api *a = new Api;
    return *a;
}

void deliver(const protocol::Message &m)
{
    Api &a = api();
    if (m.op == protocol::Notify) {
        const Subscriber n = a.subscriptions.value(m.args.value(0).toInt());
        if (!n.routine)
            return;
        const qint32 generation = m.args.value(1).toInt();
        const QVariantList indexes = m.args.value(2).toList();
        const QVariantList values = m.args.value(3).toList();
        QByteArray items;
        int count = 0;
        for (int i = 0; i < indexes.size() && i < values.size(); ++i) {
            const quint32 index = indexes.at(i).toUInt();
            const QByteArray bytes = values.at(i).toByteArray();
            const int width = (index & 0x80000000u) ? protocol::TextBytes : protocol::NumberBytes;
            if (bytes.size() != width)
                continue;
            items.append(reinterpret_cast<const char *>(&index), 4);
            items.append(bytes);
            ++count;
        }
        if (count > 0)
            n.routine(n.control, generation, count, items.constData());
    } else if (m.op == protocol::AlarmPush) {
        const AlarmTarget t = a.alarms.value(m.args.value(0).toInt());
        if (t.routine)
            t.routine(t.control);
    }
}

// Tells the subscribers of an ended connection that their subscription is
// gone: a notification with a negative count.  A subscriber that
// unsubscribes meanwhile (or while others are told) hears nothing.
void deliverLosses()
{
    Api &a = api();
    a.lossQueued = false;
    const QList<qint32> ids = a.lost.keys();
    for (qint32 id : ids) {
        if (!a.lost.contains(id))
            continue;
        const Subscriber s = a.lost.take(id);
        s.routine(s.control, s.generation, VANTOR_SUBSCRIPTION_LOST, nullptr);
    }
}

// Forgets everything of the present connection: names, ids and
// subscriptions.  Only queues the subscribers' news, so that it may run
// inside another call.
void endConnection()
{
    Api &a = api();
    for (auto it = a.subscriptions.cbegin(); it != a.subscriptions.cend(); ++it)
        a.lost.insert(it.key(), it.value());
    a.subscriptions.clear();
    a.alarms.clear();
    a.resolved.clear();
    a.serverIds.clear();
    ++a.ended;
    if (!a.lost.isEmpty() && !a.lossQueued && a.connection) {
        a.lossQueued = true;
        QMetaObject::invokeMethod(a.connection, &deliverLosses, Qt::QueuedConnection);
    }
}

QString clientName()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("client") : name;
}

constexpr int IdleCloseMs = 2000;

bool reopen()
{
    Api &a = api();
    a.connection->close();
    endConnection();
    return a.connection->open(vantor::productFolder(), clientName(), 500);
}

// The connection, opened again when the server went away meanwhile (a
// restarted server knows neither the old ids nor the old subscriptions).
ClientConnection *link()
{
    Api &a = api();
    if (a.starts <= 0 || !a.connection)
        return nullptr;
    if (!a.connection->isOpen() && !reopen())
        return nullptr;
    return a.connection;
}

// The server's ids of ids handed out on the present connection; false when
// one of them is of an earlier connection.  Negative ids (names the product
// does not know) pass as they are.
bool toServerIds(const QList<qint32> &ids, QList<qint32> *serverIds)
{
    const Api &a = api();
    serverIds->clear();
    serverIds->reserve(ids.size());
    for (qint32 id : ids) {
        if (id < 0) {
            serverIds->append(-1);
            continue;
        }
        const auto it = a.serverIds.constFind(id);
        if (it == a.serverIds.constEnd())
            return false;
        serverIds->append(it.value());
    }
    return true;
}

QByteArray nameAt(const void *table, int stride, int index, int offset)
{
    const char *name = nullptr;
    std::memcpy(&name, static_cast<const char *>(table) + qsizetype(stride) * index + offset, sizeof(name));
    return name ? QByteArray(name) : QByteArray();
}

qint32 idAt(const void *table, int stride, int index, int offset)
{
    qint32 id = -1;
    std::memcpy(&id, static_cast<const char *>(table) + qsizetype(stride) * index + offset, sizeof(id));
    return id;
}

} // namespace

extern "C" {

int32_t ApiStart(void)
{
    Api &a = api();
    if (!QCoreApplication::instance())
        return 0;
    if (!a.connection) {
        a.connection = new ClientConnection;
        QObject::connect(a.connection, &ClientConnection::pushed, a.connection, &deliver);
        QObject::connect(a.connection, &ClientConnection::lost, a.connection, &endConnection);
        a.idleClose = new QTimer(a.connection);
        a.idleClose->setSingleShot(true);
        a.idleClose->setInterval(IdleCloseMs);
        QObject::connect(a.idleClose, &QTimer::timeout, a.connection, [] {
            if (api().starts == 0) {
                api().connection->close();
                endConnection();
            }
        });
    }
    a.idleClose->stop();
    ++a.starts;
    if (!a.connection->checkAlive() && !reopen()) {
        --a.starts;
        return 0;
    }
    return 1;
}

void ApiStop(void)
{
    Api &a = api();
    if (a.starts <= 0)
        return;
    if (--a.starts == 0) {
        a.subscriptions.clear();
        a.alarms.clear();
        a.lost.clear();
        if (a.idleClose)
            a.idleClose->start();
    }
}

int32_t ApiResolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset, int32_t idOffset,
                       int32_t typeOffset, int32_t kindOffset)
{
    if (count < 0 || (count > 0 && !table))
        return 0;
    Api &a = api();
    QList<QByteArray> names;
    for (int i = 0; i < count; ++i)
        names.append(nameAt(table, stride, i, nameOffset));
    // A second try when the connection turns out to have gone: names, unlike
    // ids, mean the same on a new connection.
    for (int attempt = 0; attempt < 2; ++attempt) {
        ClientConnection *c = link();
        if (!c)
            return 0;
        const quint64 ended = a.ended;
        QVariantList unknown;
        for (const QByteArray &name : std::as_const(names)) {
            if (!a.resolved.contains(name) && !unknown.contains(name))
                unknown.append(name);
        }
        if (!unknown.isEmpty()) {
            QVariantList results;
            const bool answered = c->request(protocol::Resolve, {QVariant(unknown)}, &results);
            if (a.ended != ended)
                continue;
            if (!answered)
                return 0;
            const QList<qint32> ids = protocol::toInts(results.value(0));
            const QList<qint32> types = protocol::toInts(results.value(1));
            if (ids.size() != unknown.size() || types.size() != unknown.size())
                return 0;
            for (int i = 0; i < unknown.size(); ++i) {
                qint32 id = -1;
                if (ids.at(i) >= 0) {
                    id = a.nextId;
                    // Wraps only after two thousand million names.
                    a.nextId = a.nextId == std::numeric_limits<qint32>::max() ? 1 : a.nextId + 1;
                    a.serverIds.insert(id, ids.at(i));
                }
                a.resolved.insert(unknown.at(i).toByteArray(), {id, quint8(types.at(i))});
            }
        }
        for (int i = 0; i < count; ++i) {
            char *record = static_cast<char *>(table) + qsizetype(stride) * i;
            const auto [id, type] = a.resolved.value(names.at(i), {-1, quint8(protocol::TypeNumber)});
            const qint32 serverId = a.serverIds.value(id, -1);
            std::memcpy(record + idOffset, &id, sizeof(id));
            record[typeOffset] = char(type);
            record[kindOffset] = char(serverId >= 0 && (serverId & 2) ? 1 : 0);
        }
        return 1;
    }
    return 0;
}

int32_t ApiSubscribe(int32_t, const char *, int32_t, VantorNotifyRoutine routine, void *control,
                     int32_t generation, int32_t stride, int32_t idOffset, int32_t count, const void *table)
{
    ClientConnection *c = link();
    if (!c || !routine || count < 0 || (count > 0 && !table))
        return -1;
    QList<qint32> ids, serverIds;
    for (int i = 0; i < count; ++i)
        ids.append(idAt(table, stride, i, idOffset));
    if (!toServerIds(ids, &serverIds))
        return -1;
    Api &a = api();
    const qint32 id = a.nextSubscription++;
    if (!c->post(protocol::Subscribe, {id, generation, QVariant(protocol::toList(serverIds))}))
        return -1;
    a.subscriptions.insert(id, {routine, control, generation});
    return id;
}

void ApiUnsubscribe(int32_t subscriptionId)
{
    // Forget it first: notifications already on their way are dropped.  A
    // subscription of an earlier connection has nothing to end on the server.
    Api &a = api();
    a.lost.remove(subscriptionId);
    if (a.subscriptions.remove(subscriptionId) && a.connection && a.connection->isOpen())
        a.connection->post(protocol::Unsubscribe, {subscriptionId});
}

int32_t ApiAlarmSubscribe(int32_t, VantorAlarmRoutine routine, void *control, int32_t)
{
    ClientConnection *c = link();
    if (!c || !routine)
        return -1;
    const qint32 id = api().nextSubscription++;
    if (!c->post(protocol::AlarmSubscribe, {id}))
        return -1;
    api().alarms.insert(id, {routine, control});
    return id;
}

void ApiAlarmUnsubscribe(int32_t alarmSubscriptionId)
{
    Api &a = api();
    if (a.alarms.remove(alarmSubscriptionId) && a.connection && a.connection->isOpen())
        a.connection->post(protocol::AlarmUnsubscribe, {alarmSubscriptionId});
}

int32_t ApiRead(int32_t, const char *, int32_t count, VantorReadItem *items, void *)
{
    ClientConnection *c = link();
    if (!c)
        return -1;
    if (count < 0 || (count > 0 && !items))
        return 1;
    QList<qint32> ids, serverIds;
    for (int i = 0; i < count; ++i)
        ids.append(items[i].id);
    if (!toServerIds(ids, &serverIds))
        return VANTOR_EARLIER_CONNECTION;
    QVariantList results;
    if (!c->request(protocol::Read, {QVariant(protocol::toList(serverIds))}, &results))
        return -1;
    const QList<qint32> statuses = protocol::toInts(results.value(0));
    const QList<QByteArray> values = protocol::toBytesList(results.value(1));
    if (statuses.size() != count || values.size() != count)
        return -1;
    for (int i = 0; i < count; ++i) {
        VantorReadItem &item = items[i];
        item.status = uchar(statuses.at(i));
        std::memset(item.value, 0, sizeof(item.value));
        const QByteArray &v = values.at(i);
        std::memcpy(item.value, v.constData(), size_t(qMin<qsizetype>(v.size(), sizeof(item.value))));
    }
    return 0;
}

int32_t ApiWrite(int32_t, const char *, int32_t, int32_t count, int32_t totalBytes, const int32_t *ids,
                 const void *values)
{
    ClientConnection *c = link();
    if (!c)
        return -1;
    if (count <= 0 || !ids || !values)
        return 1;
    QList<qint32> serverIds;
    if (!toServerIds(QList<qint32>(ids, ids + count), &serverIds))
        return VANTOR_EARLIER_CONNECTION;
    QVariantList idList, valueList;
    qsizetype offset = 0;
    for (int i = 0; i < count; ++i) {
        const int width = protocol::valueBytesOf(serverIds.at(i));
        if (offset + width > totalBytes)
            return 1;
        idList.append(serverIds.at(i));
        valueList.append(QByteArray(static_cast<const char *>(values) + offset, width));
        offset += width;
    }
    if (offset != totalBytes)
        return 1;
    const QString time = platform::clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    QVariantList results;
    // A write to a tag bound to a device is answered once the device has answered.
    const int timeoutMs = qMax(2000, c->writeWaitMs() + 1000);
    if (!c->request(protocol::Write, {time, QVariant(idList), QVariant(valueList)}, &results, timeoutMs))
        return -1;
    return results.value(0).toInt() == 0 ? 0 : 2;
}

int32_t ApiTagDialog(char *buffer, int32_t bufferSize)
{
    if (!buffer || bufferSize <= 0 || !qobject_cast<QApplication *>(QCoreApplication::instance()))
        return 0;
    buffer[0] = '\0';
    ClientConnection *c = link();
    QVariantList results;
    if (!c || !c->request(protocol::List, {}, &results))
        return 0;
    vantor::TagDialog dialog(results.value(0).toList(), QApplication::activeWindow());
    if (dialog.exec() != QDialog::Accepted)
        return 0;
    // Whole names only: a selection longer than the buffer loses its last names.
    QByteArray text;
    for (const QString &name : dialog.selection()) {
        const QByteArray line = (text.isEmpty() ? QByteArray() : QByteArray("\r\n")) + platform::toCp932(name);
        if (text.size() + line.size() >= bufferSize)
            break;
        text += line;
    }
    std::memcpy(buffer, text.constData(), size_t(text.size()));
    buffer[text.size()] = '\0';
    return 1;
}

int32_t ApiTimerStart(void *control, int32_t intervalMs, VantorTimerRoutine routine)
{
    if (!routine || intervalMs <= 0 || !QCoreApplication::instance())
        return 0;
    Api &a = api();
    const qint32 id = a.nextTimer++;
    auto *timer = new QTimer;
    timer->setInterval(intervalMs);
    QObject::connect(timer, &QTimer::timeout, timer, [control, routine, id] { routine(control, id); });
    a.timers.insert(id, timer);
    timer->start();
    return id;
}

void ApiTimerStop(int32_t timerId)
{
    const QPointer<QTimer> timer = api().timers.take(timerId);
    if (timer) {
        timer->stop();
        timer->deleteLater();
    }
}

} // extern "C"
