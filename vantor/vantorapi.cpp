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

namespace {

using vantor::ClientConnection;
namespace protocol = vantor::protocol;

struct Notifier
{
    VantorNotifyRoutine routine = nullptr;
    void *control = nullptr;
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
    // Names resolved on this connection: ids stay valid while it lasts (a
    // server that restarts with other tags is a new connection).
    QHash<QByteArray, std::pair<qint32, quint8>> resolved;
    QHash<qint32, Notifier> subscriptions;
    QHash<qint32, AlarmTarget> alarms;
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
        const Notifier n = a.subscriptions.value(m.args.value(0).toInt());
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

QString clientName()
{
    const QString name = QCoreApplication::applicationName();
    return name.isEmpty() ? QStringLiteral("client") : name;
}

constexpr int IdleCloseMs = 2000;

bool reopen()
{
    Api &a = api();
    a.subscriptions.clear();
    a.alarms.clear();
    a.resolved.clear();
    return a.connection->open(vantor::productFolder(), clientName(), 500);
}

// The connection, opened again when the server went away meanwhile (a
// restarted server forgets the old subscriptions).
ClientConnection *link()
{
    Api &a = api();
    if (a.starts <= 0 || !a.connection)
        return nullptr;
    if (!a.connection->isOpen() && !reopen())
        return nullptr;
    return a.connection;
}

// A request that may be made again on a new connection when the one kept
// from before turns out to lead to a server that has gone (resolve and read
// change nothing, so a second try is harmless).
bool requestOnce(quint8 op, const QVariantList &args, QVariantList *results)
{
    ClientConnection *c = link();
    if (!c)
        return false;
    if (c->request(op, args, results))
        return true;
    if (c->isOpen() || !reopen())
        return false;
    return c->request(op, args, results);
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
        a.idleClose = new QTimer(a.connection);
        a.idleClose->setSingleShot(true);
        a.idleClose->setInterval(IdleCloseMs);
        QObject::connect(a.idleClose, &QTimer::timeout, a.connection, [] {
            if (api().starts == 0)
                api().connection->close();
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
        if (a.idleClose)
            a.idleClose->start();
    }
}

int32_t ApiResolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset, int32_t idOffset,
                       int32_t typeOffset, int32_t kindOffset)
{
    if (!link() || count < 0 || (count > 0 && !table))
        return 0;
    Api &a = api();
    QList<QByteArray> names;
    QVariantList unknown;
    for (int i = 0; i < count; ++i) {
        names.append(nameAt(table, stride, i, nameOffset));
        if (!a.resolved.contains(names.last()))
            unknown.append(names.last());
    }
    if (!unknown.isEmpty()) {
        QVariantList results;
        if (!requestOnce(protocol::Resolve, {QVariant(unknown)}, &results))
            return 0;
        const QList<qint32> ids = protocol::toInts(results.value(0));
        const QList<qint32> types = protocol::toInts(results.value(1));
        if (ids.size() != unknown.size() || types.size() != unknown.size())
            return 0;
        for (int i = 0; i < unknown.size(); ++i)
            a.resolved.insert(unknown.at(i).toByteArray(), {ids.at(i), quint8(types.at(i))});
    }
    for (int i = 0; i < count; ++i) {
        char *record = static_cast<char *>(table) + qsizetype(stride) * i;
        const auto [id, type] = a.resolved.value(names.at(i), {-1, quint8(protocol::TypeNumber)});
        std::memcpy(record + idOffset, &id, sizeof(id));
        record[typeOffset] = char(type);
        record[kindOffset] = char(id >= 0 && (id & 2) ? 1 : 0);
    }
    return 1;
}

int32_t ApiSubscribe(int32_t, const char *, int32_t, VantorNotifyRoutine routine, void *control,
                     int32_t generation, int32_t stride, int32_t idOffset, int32_t count, const void *table)
{
    ClientConnection *c = link();
    if (!c || !routine || count < 0 || (count > 0 && !table))
        return -1;
    QList<qint32> ids;
    for (int i = 0; i < count; ++i)
        ids.append(idAt(table, stride, i, idOffset));
    const qint32 id = api().nextSubscription++;
    if (!c->post(protocol::Subscribe, {id, generation, QVariant(protocol::toList(ids))}))
        return -1;
    api().subscriptions.insert(id, {routine, control});
    return id;
}

void ApiUnsubscribe(int32_t subscriptionId)
{
    // Forget it first: notifications already on their way are dropped.
    api().subscriptions.remove(subscriptionId);
    if (ClientConnection *c = link())
        c->post(protocol::Unsubscribe, {subscriptionId});
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
    api().alarms.remove(alarmSubscriptionId);
    if (ClientConnection *c = link())
        c->post(protocol::AlarmUnsubscribe, {alarmSubscriptionId});
}

int32_t ApiRead(int32_t, const char *, int32_t count, VantorReadItem *items, void *)
{
    if (!link())
        return -1;
    if (count < 0 || (count > 0 && !items))
        return 1;
    QList<qint32> ids;
    for (int i = 0; i < count; ++i)
        ids.append(items[i].id);
    QVariantList results;
    if (!requestOnce(protocol::Read, {QVariant(protocol::toList(ids))}, &results))
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
    QVariantList idList, valueList;
    qsizetype offset = 0;
    for (int i = 0; i < count; ++i) {
        const int width = protocol::valueBytesOf(ids[i]);
        if (offset + width > totalBytes)
            return 1;
        idList.append(ids[i]);
        valueList.append(QByteArray(static_cast<const char *>(values) + offset, width));
        offset += width;
    }
    if (offset != totalBytes)
        return 1;
    const QString time = platform::clock::now().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
    QVariantList results;
    if (!c->request(protocol::Write, {time, QVariant(idList), QVariant(valueList)}, &results))
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
