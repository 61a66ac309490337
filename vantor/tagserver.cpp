#include "tagserver.h"

#include "csvtext.h"
#include "modbusgateway.h"
#include "productfolder.h"

#include "platform/atomicfile.h"
#include "platform/clock.h"
#include "platform/profile.h"
#include "platform/textfile.h"

#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>

#include <cstring>
#include <limits>

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

QByteArray numberBytes(double v)
{
    return QByteArray(reinterpret_cast<const char *>(&v), sizeof v);
}

// The time a device answers in, from Vantor.ini ([MODBUS] TIMEOUT_MS).
int readTimeout(const QString &folder, QStringList *problems)
{
    const QString text = platform::profile::readString(iniFile(folder), QStringLiteral("MODBUS"),
                                                       QStringLiteral("TIMEOUT_MS"));
    if (text.isEmpty())
        return ModbusGateway::DefaultTimeoutMs;
    bool ok = false;
    const int ms = text.toInt(&ok);
    if (ok && ms >= 50 && ms <= 60000)
        return ms;
    if (problems)
        problems->append(QStringLiteral("Vantor.ini: [MODBUS] TIMEOUT_MS %1 is not 50..60000; using %2")
                             .arg(csvtext::quoted(text))
                             .arg(ModbusGateway::DefaultTimeoutMs));
    return ModbusGateway::DefaultTimeoutMs;
}

QString timeText(const QDateTime &t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")) : QString();
}

} // namespace

TagServer::TagServer(const QString &folder, QObject *parent)
    : QObject(parent), m_folder(folder)
{
    m_saveTimer = new QTimer(this);
    m_saveTimer->setSingleShot(true);
    m_saveTimer->setInterval(SaveDelayMs);
    connect(m_saveTimer, &QTimer::timeout, this, &TagServer::saveState);
    m_gateway = new ModbusGateway(this);
    connect(m_gateway, &ModbusGateway::valueRead, this, &TagServer::onValueRead);
    connect(m_gateway, &ModbusGateway::qualityChanged, this, &TagServer::onQualityChanged);
    connect(m_gateway, &ModbusGateway::deviceChanged, this, &TagServer::onDeviceChanged);
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
    QByteArray state;
    const platform::ReadStatus stateRead = platform::readFileBytes(stateFile(m_folder), &state);
    if (stateRead != platform::ReadStatus::Missing
        && (stateRead != platform::ReadStatus::Read || !m_store.loadState(state)) && problems)
        problems->append(QStringLiteral("vantord.state: unreadable, starting from the values of tags.csv"));
    m_gateway->setTimeoutMs(readTimeout(m_folder, problems));
    ModbusBindings bindings;
    if (!bindings.load(modbusFile(m_folder), m_store, problems)) {
        if (error)
            *error = QStringLiteral("modbus.csv refused, nothing served");
        return false;
    }

    QLocalServer::removeServer(name);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(name)) {
        if (error)
            *error = QStringLiteral("cannot listen on %1: %2").arg(name, m_server->errorString());
        return false;
    }
    connect(m_server.get(), &QLocalServer::newConnection, this, &TagServer::acceptConnections);
    m_gateway->configure(bindings);
    return true;
}

bool TagServer::reloadBindings(QStringList *problems)
{
    ModbusBindings bindings;
    if (!bindings.load(modbusFile(m_folder), m_store, problems))
        return false;
    m_gateway->setTimeoutMs(readTimeout(m_folder, problems));
    m_gateway->configure(bindings);
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
        m_replyDeferred = false;
        QVariantList results = handle(*c, m, &status);
        results.prepend(status);
        if (m.seq != 0 && !m_replyDeferred)
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
        // A write to a bound tag is answered within the device timeout.
        return {m_gateway->timeoutMs() + 500};
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
            const bool readable = !bytes.isEmpty() && isGood(id);
            statuses.append(readable ? (idIsText(id) ? TypeText : TypeNumber) : StatusUnreadable);
            values.append(bytes);
        }
        return {statuses, values};
    }
    case Write:
        return handleWrite(c, m, status);
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
    case Inspect:
        return {inspect(a.value(0))};
    case Devices:
        return {devices()};
    case Reload: {
        QStringList problems;
        const bool reloaded = reloadBindings(&problems);
        return {reloaded, problems};
    }
    default:
        *status = BadRequest;
        return {};
    }
}

QVariantList TagServer::handleWrite(Connection &c, const protocol::Message &m, qint32 *status)
{
    WriteRequest request;
    request.time = m.args.value(0).toString();
    request.client = c.client;
    request.ids = protocol::toInts(m.args.value(1));
    request.values = protocol::toBytesList(m.args.value(2));
    if (request.ids.size() != request.values.size()) {
        *status = protocol::BadRequest;
        return {};
    }
    // The value items of bound tags go to their devices; the rest is the
    // server's own and is stored as soon as the devices have answered.
    QList<QPair<int, double>> bound;
    QList<int> boundItems;
    for (int i = 0; i < request.ids.size(); ++i) {
        const qint32 id = request.ids.at(i);
        if (!m_store.isValidId(id) || (id & 2) || protocol::idIsText(id)
            || request.values.at(i).size() != protocol::NumberBytes)
            continue;
        const int tagIndex = (id >> 2) - 1;
        if (!m_gateway->isBound(tagIndex))
            continue;
        double v = 0;
        std::memcpy(&v, request.values.at(i).constData(), sizeof v);
        bound.append({tagIndex, v});
        boundItems.append(i);
    }
    if (bound.isEmpty())
        return finishWrite(request, {});

    m_replyDeferred = true;
    const QPointer<QLocalSocket> socket = c.socket;
    const quint32 seq = m.seq;
    m_gateway->write(bound, [this, request, boundItems, socket, seq](const QStringList &results,
                                                                      const QList<double> &held) {
        QHash<int, std::pair<QString, double>> byItem;
        for (int i = 0; i < boundItems.size(); ++i)
            byItem.insert(boundItems.at(i), {results.value(i), held.value(i)});
        QVariantList reply = finishWrite(request, byItem);
        reply.prepend(qint32(protocol::Ok));
        if (seq != 0 && socket && m_connections.contains(socket))
            send(socket, {protocol::Reply, seq, reply});
    });
    return {};
}

QVariantList TagServer::finishWrite(const WriteRequest &request,
                                    const QHash<int, std::pair<QString, double>> &deviceResults)
{
    QByteArray journal;
    QList<qint32> changedIds;
    QVariantList results;
    int failed = 0;
    for (int i = 0; i < request.ids.size(); ++i) {
        const qint32 id = request.ids.at(i);
        const QByteArray &value = request.values.at(i);
        QString result = QStringLiteral("ok");
        bool changed = false;
        const auto device = deviceResults.constFind(i);
        if (device != deviceResults.constEnd()) {
            result = device->first;
            // The device's own value: what a read of it would give back.
            if (result == QLatin1String("ok"))
                m_store.write(id, numberBytes(device->second), &changed);
        } else if (!m_store.write(id, value, &changed)) {
            // An item the server does not know is refused and not journaled.
            ++failed;
            results.append(QStringLiteral("unknown item"));
            continue;
        }
        if (result != QLatin1String("ok"))
            ++failed;
        results.append(result);
        if (changed && !changedIds.contains(id))
            changedIds.append(id);
        const QString line = csvField(request.time) + QLatin1Char(',') + csvField(request.client) + QLatin1Char(',')
                             + csvField(m_store.itemLabel(id)) + QLatin1Char(',')
                             + csvField(m_store.valueText(id, value)) + QLatin1Char(',') + csvField(result)
                             + QLatin1Char('\n');
        journal += line.toUtf8();
    }
    if (!journal.isEmpty()) {
        const QString path = journalFile(m_folder);
        if (!QFile::exists(path) || QFile(path).size() == 0)
            journal.prepend(QByteArray(JournalHeader) + '\n');
        QString why;
        if (!platform::appendToFile(path, journal, &why))
            qWarning("vantord: cannot append to writes.csv: %s", qPrintable(why));
        if (!changedIds.isEmpty())
            scheduleSave();
    }
    notifyChanges(changedIds);
    return {failed, results};
}

QVariantList TagServer::inspect(const QVariant &names) const
{
    QVariantList rows;
    for (const QByteArray &name : protocol::toBytesList(names)) {
        const qint32 id = m_store.resolve(name, nullptr);
        if (id < 0) {
            rows.append(QVariant(QVariantList{}));
            continue;
        }
        const int tagIndex = (id >> 2) - 1;
        const ModbusPoint *point = (id & 2) ? nullptr : m_gateway->bindings().pointOfTag(tagIndex);
        const ModbusGateway::PointStatus status = m_gateway->pointStatus(tagIndex);
        const QString quality = !point || status.good ? QStringLiteral("good") : QStringLiteral("bad: ") + status.why;
        rows.append(QVariant(QVariantList{m_store.itemLabel(id), m_store.valueText(id, m_store.read(id)),
                                          point ? point->describe() : QString(), quality,
                                          point ? timeText(status.lastPoll) : QString()}));
    }
    return rows;
}

QVariantList TagServer::devices() const
{
    QVariantList rows;
    for (const ModbusGateway::DeviceStatus &d : m_gateway->deviceStatus()) {
        const QString state = d.state == ModbusDevice::State::Up     ? QStringLiteral("up")
                              : d.state == ModbusDevice::State::Down ? QStringLiteral("down")
                                                                     : QStringLiteral("connecting");
        rows.append(QVariant(QVariantList{d.name, state, timeText(d.since), d.why, d.points}));
    }
    return rows;
}

int TagServer::boundTagCount() const
{
    return int(m_gateway->bindings().points().size());
}

int TagServer::deviceCount() const
{
    return int(m_gateway->bindings().devices().size());
}

bool TagServer::isGood(qint32 id) const
{
    if (id < 4 || (id & 2))
        return true;
    return m_gateway->pointStatus((id >> 2) - 1).good;
}

QByteArray TagServer::effectiveValue(qint32 id) const
{
    if (!isGood(id))
        return numberBytes(std::numeric_limits<double>::infinity());
    return m_store.read(id);
}

void TagServer::onValueRead(int tagIndex, double value)
{
    if (tagIndex < 0 || tagIndex >= m_store.size())
        return;
    const qint32 id = m_store.valueId(tagIndex);
    bool changed = false;
    if (!m_store.write(id, numberBytes(value), &changed) || !changed)
        return;
    // The device keeps a read value; it goes into the state file with the
    // next write or when the server ends, not every time a poll sees a change.
    m_dirty = true;
    notifyChanges({id});
}

void TagServer::onQualityChanged(int tagIndex, bool good, const QString &why, bool wholeDevice)
{
    if (tagIndex < 0 || tagIndex >= m_store.size())
        return;
    // Subscribers see a tag of bad quality as not readable.
    notifyChanges({m_store.valueId(tagIndex)});
    if (wholeDevice)
        return;
    const QString name = m_store.tag(tagIndex).name;
    raiseAlarm(good ? QStringLiteral("%1 readable again").arg(name) : QStringLiteral("%1 not readable: %2").arg(name, why));
}

void TagServer::onDeviceChanged(const QString &device, bool up, const QString &why)
{
    raiseAlarm(up ? QStringLiteral("modbus device %1 answers again").arg(device)
                  : QStringLiteral("modbus device %1 down: %2").arg(device, why));
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
                const QByteArray bytes = effectiveValue(id);
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
