#include "platform/commandserver.h"

#include "platform/commandchannel.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

namespace platform {

namespace {
// A sender that never finishes its line must not make the owner hold memory.
constexpr qsizetype MaxRequestBytes = 64 * 1024;
}

CommandServer::CommandServer(const QString &application, const QString &topic, QObject *parent)
    : QObject(parent)
    , m_socketName(channel::socketName(application, topic))
{
}

CommandServer::~CommandServer() = default;

void CommandServer::addItem(const QString &item, const QString &text)
{
    m_items.insert(item.toLower(), text);
}

QString CommandServer::itemText(const QString &item) const
{
    return m_items.value(item.toLower());
}

void CommandServer::setItemText(const QString &item, const QString &text)
{
    const QString key = item.toLower();
    if (m_items.contains(key))
        m_items[key] = text;
}

bool CommandServer::isListening() const
{
    return m_server && m_server->isListening();
}

bool CommandServer::listen(QString *error)
{
    if (isListening())
        return true;
    // A live owner answers; a socket file without an owner is left over.
    {
        QLocalSocket probe;
        probe.connectToServer(m_socketName);
        if (probe.waitForConnected(300)) {
            if (error)
                *error = QStringLiteral("another program serves %1").arg(m_socketName);
            return false;
        }
    }
    QLocalServer::removeServer(m_socketName);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &CommandServer::onNewConnection);
    if (!m_server->listen(m_socketName)) {
        if (error)
            *error = m_server->errorString();
        delete m_server;
        m_server = nullptr;
        return false;
    }
    return true;
}

void CommandServer::onNewConnection()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { onReadyRead(socket); });
        if (socket->bytesAvailable() > 0)
            onReadyRead(socket);
    }
}

void CommandServer::onReadyRead(QLocalSocket *socket)
{
    QPointer<QLocalSocket> guard(socket);
    while (guard && socket->canReadLine()) {
        const QByteArray line = socket->readLine();
        QString changed;
        const QByteArray reply = handle(line.trimmed(), &changed);
        socket->write(reply + '\n');
        socket->flush();
        socket->waitForBytesWritten(1000);
        if (!changed.isEmpty()) {
            // After the answer, so that the sender is released even when the
            // owner ends the program in its handler.
            const QString text = m_items.value(changed);
            QMetaObject::invokeMethod(this, [this, changed, text] { emit itemChanged(changed, text); },
                                      Qt::QueuedConnection);
        }
    }
    if (guard && socket->bytesAvailable() > MaxRequestBytes)
        socket->abort();
}

QByteArray CommandServer::handle(const QByteArray &line, QString *changedItem)
{
    auto answer = [](const QJsonObject &o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); };
    auto refuse = [&](const QString &why) {
        return answer({{QStringLiteral("ok"), false}, {QStringLiteral("error"), why}});
    };
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(line, &parseError);
    if (!doc.isObject())
        return refuse(QStringLiteral("malformed request"));
    const QJsonObject req = doc.object();
    const QString op = req.value(QStringLiteral("op")).toString();
    const QString item = req.value(QStringLiteral("item")).toString().toLower();

    if (op == QLatin1String("ping"))
        return answer({{QStringLiteral("ok"), true}});
    if (op == QLatin1String("activate")) {
        QMetaObject::invokeMethod(this, [this] { emit activateRequested(); }, Qt::QueuedConnection);
        return answer({{QStringLiteral("ok"), true}});
    }
    if (op == QLatin1String("request") || op == QLatin1String("poke")) {
        if (!m_items.contains(item))
            return refuse(QStringLiteral("unknown item %1").arg(item));
        if (op == QLatin1String("request"))
            return answer({{QStringLiteral("ok"), true}, {QStringLiteral("text"), m_items.value(item)}});
        const QString text = req.value(QStringLiteral("text")).toString();
        if (m_items.value(item) != text) {
            m_items[item] = text;
            *changedItem = item;
        }
        return answer({{QStringLiteral("ok"), true}});
    }
    return refuse(QStringLiteral("unknown operation %1").arg(op));
}

} // namespace platform
