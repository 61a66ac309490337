#pragma once

#include "protocol.h"
#include "tagstore.h"

#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace vantor {

// The product's tag server: serves the tags of a product folder to clients
// over a local socket, journals every accepted write to writes.csv and keeps
// the values in a state file so that they survive a restart.
class TagServer : public QObject
{
    Q_OBJECT
public:
    explicit TagServer(const QString &folder, QObject *parent = nullptr);
    ~TagServer() override;

    // Loads tags.csv (problems go to *problems) and the saved values, then
    // listens.  False, with *error, when another server already serves the
    // folder, tags.csv is refused or the socket cannot be made.
    bool start(QStringList *problems, QString *error);
    // Writes the state file now (also done shortly after every write).
    bool saveState();

    const TagStore &store() const { return m_store; }
    int connectionCount() const { return int(m_connections.size()); }

private:
    struct Subscription
    {
        qint32 generation = 0;
        QHash<qint32, QList<qint32>> indexesById; // tag id -> positions in the subscriber's table
    };
    struct Connection
    {
        QLocalSocket *socket = nullptr;
        protocol::FrameReader reader;
        QString client;
        QHash<qint32, Subscription> subscriptions;
        QSet<qint32> alarmSubscriptions;
    };

    void acceptConnections();
    void readFrom(QLocalSocket *socket);
    void dropConnection(QLocalSocket *socket);
    QVariantList handle(Connection &c, const protocol::Message &m, qint32 *status);
    QVariantList handleWrite(Connection &c, const QVariantList &args, qint32 *status);
    void notifyChanges(const QList<qint32> &changedIds);
    void raiseAlarm(const QString &text);
    void send(QLocalSocket *socket, const protocol::Message &m);
    void scheduleSave();

    QString m_folder;
    TagStore m_store;
    std::unique_ptr<QLocalServer> m_server;
    QHash<QLocalSocket *, Connection *> m_connections;
    QTimer *m_saveTimer = nullptr;
    bool m_dirty = false;
};

} // namespace vantor
