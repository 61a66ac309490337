#include "clientconnection.h"

#include "productfolder.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QMetaObject>

namespace vantor {

ClientConnection::ClientConnection(QObject *parent)
    : QObject(parent)
{
}

ClientConnection::~ClientConnection()
{
    close();
}

bool ClientConnection::open(const QString &folder, const QString &clientName, int timeoutMs)
{
    close();
    if (folder.isEmpty())
        return false;
    m_socket = std::make_unique<QLocalSocket>();
    connect(m_socket.get(), &QLocalSocket::readyRead, this, &ClientConnection::readAvailable);
    connect(m_socket.get(), &QLocalSocket::disconnected, this, &ClientConnection::lost);
    m_socket->connectToServer(socketName(folder));
    if (!m_socket->waitForConnected(timeoutMs)) {
        m_socket.reset();
        return false;
    }
    QVariantList hello;
    if (!request(protocol::Hello, {clientName}, &hello, timeoutMs)) {
        close();
        return false;
    }
    m_writeWaitMs = hello.value(0).toInt();
    return true;
}

void ClientConnection::close()
{
    if (!m_socket)
        return;
    m_socket->disconnect(this);
    m_socket->abort();
    m_socket.reset();
    m_reader = {};
    m_replies.clear();
    m_pushes.clear();
}

bool ClientConnection::isOpen() const
{
    return m_socket && m_socket->state() == QLocalSocket::ConnectedState;
}

bool ClientConnection::checkAlive()
{
    if (!isOpen())
        return false;
    // A poll that finds the peer closed moves the socket to unconnected.
    m_socket->waitForReadyRead(0);
    readAvailable();
    return isOpen();
}

bool ClientConnection::request(quint8 op, const QVariantList &args, QVariantList *results, int timeoutMs)
{
    if (!isOpen())
        return false;
    const quint32 seq = m_nextSeq++;
    if (m_nextSeq == 0)
        m_nextSeq = 1;
    const QByteArray frame = protocol::encode({op, seq, args});
    if (m_socket->write(frame) != frame.size())
        return false;
    m_socket->flush();
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        readAvailable();
        for (qsizetype i = 0; i < m_replies.size(); ++i) {
            if (m_replies.at(i).seq != seq)
                continue;
            protocol::Message reply = m_replies.takeAt(i);
            if (reply.args.isEmpty() || reply.args.at(0).toInt() != protocol::Ok)
                return false;
            if (results)
                *results = reply.args.mid(1);
            return true;
        }
        // Replies to requests that timed out earlier are of no use any more.
        m_replies.clear();
        if (!m_socket || m_socket->state() != QLocalSocket::ConnectedState || deadline.hasExpired())
            return false;
        if (!m_socket->waitForReadyRead(int(deadline.remainingTime())) && m_socket
            && m_socket->bytesAvailable() == 0)
            return false;
    }
}

bool ClientConnection::post(quint8 op, const QVariantList &args)
{
    if (!isOpen())
        return false;
    const QByteArray frame = protocol::encode({op, 0, args});
    if (m_socket->write(frame) != frame.size())
        return false;
    m_socket->flush();
    return isOpen();
}

void ClientConnection::readAvailable()
{
    if (!m_socket)
        return;
    if (m_socket->bytesAvailable() > 0)
        m_reader.append(m_socket->readAll());
    protocol::Message m;
    bool broken = false;
    while (m_reader.next(&m, &broken)) {
        if (m.op == protocol::Reply)
            m_replies.append(std::move(m));
        else
            m_pushes.append(std::move(m));
    }
    if (broken) {
        m_socket->abort();
        return;
    }
    if (!m_pushes.isEmpty() && !m_deliveryQueued) {
        m_deliveryQueued = true;
        QMetaObject::invokeMethod(this, &ClientConnection::deliverPushes, Qt::QueuedConnection);
    }
}

void ClientConnection::deliverPushes()
{
    m_deliveryQueued = false;
    const QList<protocol::Message> pushes = std::exchange(m_pushes, {});
    for (const protocol::Message &m : pushes)
        emit pushed(m);
}

} // namespace vantor
