#include "tagserver.h"

#include "productfolder.h"

#include "platform/atomicfile.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

namespace vantor {
namespace {

// How long after a write the state file is written; writes in between share it.
constexpr int SaveDelayMs = 100;

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

TagServer::TagServer(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder)
{
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(SaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &TagServer::saveState);
}

TagServer::~TagServer()
{
    if (m_dirty)
        saveState();
    for (auto it = m_connections.begin(); it != m_connections.end(); ++it) {
        it.key()->disconnect(this);
        it.key()->abort();
        delete it.key();
        delete it.value();
    }
    m_connections.clear();
}

bool TagServer::start(QStringList *problems, QString *error)
{
    const QString name = socketName(m_folder);
    {
        // A server that answers owns the folder; a socket file nobody answers is stale.
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(300)) {
            if (error)
                *error = QStringLiteral("another vantord already serves %1").arg(m_folder);
            return false;
        }
    }
    if (!m_store.loadCsv(tagsFile(m_folder), problems)) {
        if (error)
            *error = QStringLiteral("tags.csv refused, nothing served");
        return false;
    }
    QFile state(stateFile(m_folder));
    if (state.open(QIODevice::ReadOnly) && !m_store.loadState(state.readAll()) && problems)
        problems->append(QStringLiteral("vantord.state: unreadable, starting from the values of tags.csv"));

    QLocalServer::removeServer(name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1: %2").arg(name, m_server->errorString());
        return false;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &TagServer::acceptConnections);
    return true;
}

bool TagServer::saveState()
{
    m_saveTimer->stop();
    QString why;
    if (!platform::writeFileAtomically(stateFile(m_folder), m_store.saveState(), &why)) {
        qWarning("vantord: cannot write the state file: %s", qPrintable(why));
        return false;
    }
    m_dirty = false;
    return true;
}

void TagServer::scheduleSave()
{
    m_dirty = true;
    if (!m_saveTimer->isActive())
        m_saveTimer->start();
}

void TagServer::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto *c = new Connection;
        c->socket = socket;
        m_connections.insert(socket, c);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readFrom(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { dropConnection(socket); });
    }
}

void TagServer::dropConnection(QLocalSocket *socket)
{
    Connection *c = m_connections.take(socket);
    if (!c)
        return;
    socket->disconnect(this);
    socket->deleteLater();
    delete c;
}

void TagServer::send(QLocalSocket *socket, const protocol::Message &m)
{
    if (socket->state() == QLocalSocket::ConnectedState)
        socket->write(protocol::encode(m));
}

void TagServer::readFrom(QLocalSocket *socket)
{
    Connection *c = m_connections.value(socket);
    if (!c)
        return;
    c->reader.append(socket->readAll());
    protocol::Message m;
    bool broken = false;
    while (c->reader.next(&m, &broken)) {
        qint32 status = protocol::Ok;
        QVariantList results = handle(*c, m, &status);
        results.prepend(status);
        if (m.seq != 0)
            send(socket, {protocol::Reply, m.seq, results});
        if (!m_connections.contains(socket))
            return;
    }
    if (broken) {
        qWarning("vantord: dropping a client that sent a broken frame");
        socket->abort();
    }
}

QVariantList TagServer::handle(Connection &c, const protocol::Message &m, qint32 *status)
{
    using namespace protocol;
    const QVariantList &a = m.args;
    switch (m.op) {
    case Hello:
        c.client = a.value(0).toString();
        return {};
    case Resolve: {
        QVariantList ids, types;
        for (const QByteArray &name : toBytesList(a.value(0))) {
            quint8 type = TypeNumber;
            ids.append(m_store.resolve(name, &type));
            types.append(type);
        }
        return {ids, types};
    }
    case Subscribe: {
        // The client names its subscriptions, so that subscribing needs no reply.
        Subscription s;
        const qint32 id = a.value(0).toInt();
        s.generation = a.value(1).toInt();
        const QList<qint32> ids = toInts(a.value(2));
        for (int i = 0; i < ids.size(); ++i) {
            if (m_store.isValidId(ids.at(i)))
                s.indexesById[ids.at(i)].append(i);
        }
        c.subscriptions.insert(id, s);
        return {};
    }
    case Unsubscribe:
        c.subscriptions.remove(a.value(0).toInt());
        return {};
    case AlarmSubscribe:
        c.alarmSubscriptions.insert(a.value(0).toInt());
        return {};
    case AlarmUnsubscribe:
        c.alarmSubscriptions.remove(a.value(0).toInt());
        return {};
    case Read: {
        QVariantList statuses, values;
        for (qint32 id : toInts(a.value(0))) {
            const QByteArray bytes = m_store.read(id);
            statuses.append(bytes.isEmpty() ? StatusUnreadable : (idIsText(id) ? TypeText : TypeNumber));
            values.append(bytes);
        }
        return {statuses, values};
    }
    case Write:
        return handleWrite(c, a, status);
    case List: {
        QVariantList tags;
        for (int i = 0; i < m_store.size(); ++i) {
            const Tag &t = m_store.tag(i);
            const qint32 id = makeId(i, false, t.isText);
            tags.append(QVariant(QVariantList{t.name, t.isText ? QStringLiteral("text") : QStringLiteral("number"),
                                              m_store.valueText(id, m_store.read(id)), t.comment, id}));
        }
        return {tags};
    }
    case RaiseAlarm:
        raiseAlarm(a.value(0).toString());
        return {};
    default:
        *status = BadRequest;
        return {};
    }
}

QVariantList TagServer::handleWrite(Connection &c, const QVariantList &args, qint32 *status)
{
    const QString time = args.value(0).toString();
    const QList<qint32> ids = protocol::toInts(args.value(1));
    const QList<QByteArray> values = protocol::toBytesList(args.value(2));
    if (ids.size() != values.size()) {
        *status = protocol::BadRequest;
        return {};
    }
    QByteArray journal;
    QList<qint32> changedIds;
    int rejected = 0;
    for (int i = 0; i < ids.size(); ++i) {
        bool changed = false;
        if (!m_store.write(ids.at(i), values.at(i), &changed)) {
            ++rejected;
            continue;
        }
        if (changed && !changedIds.contains(ids.at(i)))
            changedIds.append(ids.at(i));
        const QString line = csvField(time) + QLatin1Char(',') + csvField(c.client) + QLatin1Char(',')
                             + csvField(m_store.itemLabel(ids.at(i))) + QLatin1Char(',')
                             + csvField(m_store.valueText(ids.at(i), values.at(i))) + QLatin1Char('\n');
        journal += line.toUtf8();
    }
    if (!journal.isEmpty()) {
        const QString path = journalFile(m_folder);
        if (!QFile::exists(path) || QFile(path).size() == 0)
            journal.prepend("time,client,tag,value\n");
        QString why;
        if (!platform::appendToFile(path, journal, &why))
            qWarning("vantord: cannot append to writes.csv: %s", qPrintable(why));
        scheduleSave();
    }
    notifyChanges(changedIds);
    return {rejected};
}

void TagServer::notifyChanges(const QList<qint32> &changedIds)
{
    if (changedIds.isEmpty())
        return;
    for (Connection *c : std::as_const(m_connections)) {
        for (auto s = c->subscriptions.cbegin(); s != c->subscriptions.cend(); ++s) {
            QVariantList indexes, values;
            for (qint32 id : changedIds) {
                const auto it = s->indexesById.constFind(id);
                if (it == s->indexesById.constEnd())
                    continue;
                const QByteArray bytes = m_store.read(id);
                const quint32 textBit = protocol::idIsText(id) ? 0x80000000u : 0u;
                for (qint32 index : it.value()) {
                    indexes.append(quint32(index) | textBit);
                    values.append(bytes);
                }
            }
            if (!indexes.isEmpty())
                send(c->socket, {protocol::Notify, 0, {s.key(), s->generation, indexes, values}});
        }
    }
}

void TagServer::raiseAlarm(const QString &text)
{
    for (Connection *c : std::as_const(m_connections)) {
        for (qint32 id : std::as_const(c->alarmSubscriptions))
            send(c->socket, {protocol::AlarmPush, 0, {id, text}});
    }
}

} // namespace vantor
