#pragma once

#include "protocol.h"

#include <QObject>
#include <QString>

#include <memory>

class QLocalSocket;

namespace vantor {

// A client's connection to vantord.  Requests are synchronous with short
// timeouts (a server that is gone or hangs makes the call fail, never hang);
// pushes that arrive meanwhile are queued and handed out from the event loop
// of the connection's thread, never inside a request.
class ClientConnection : public QObject
{
    Q_OBJECT
public:
    explicit ClientConnection(QObject *parent = nullptr);
    ~ClientConnection() override;

    // Connects to the server of a product folder and introduces the client.
    bool open(const QString &folder, const QString &clientName, int timeoutMs = 1000);
    void close();
    bool isOpen() const;
    // Looks, without waiting, whether the server has gone meanwhile.
    bool checkAlive();

    // Sends a request and waits for its reply.  False when the server is not
    // reachable, does not answer in time or answers with a failure status;
    // *results gets the reply's values after the status.
    bool request(quint8 op, const QVariantList &args, QVariantList *results = nullptr, int timeoutMs = 2000);

    // The longest a write may take before the server answers (it waits for
    // the devices of bound tags), as the server said when the connection opened.
    int writeWaitMs() const { return m_writeWaitMs; }

    // Sends a request that gets no reply; false when it could not be sent.
    bool post(quint8 op, const QVariantList &args);

signals:
    void pushed(const vantor::protocol::Message &message);
    // The server closed the connection, or it broke (never sent for close()).
    // Emitted as soon as the socket notices, possibly inside a request.
    void lost();

private:
    void readAvailable();
    void deliverPushes();

    std::unique_ptr<QLocalSocket> m_socket;
    protocol::FrameReader m_reader;
    quint32 m_nextSeq = 1;
    QList<protocol::Message> m_replies;
    QList<protocol::Message> m_pushes;
    bool m_deliveryQueued = false;
    int m_writeWaitMs = 0;
};

} // namespace vantor
