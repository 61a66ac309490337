#pragma once

#include "protocol.h"
#include "tagstore.h"

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QString>

#include <memory>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace vantor {

class ModbusGateway;

// The product's tag server: serves the tags of a product folder to clients
// over a local socket, journals every write to writes.csv and keeps the
// values in a state file so that they survive a restart.  Tags bound in
// modbus.csv live in their Modbus TCP devices: a write to one is
// acknowledged only once its device took it, and its value follows the
// device's.
class TagServer : public QObject
{
    Q_OBJECT
public:
    explicit TagServer(const QString &folder, QObject *parent = nullptr);
    ~TagServer() override;

    // Loads tags.csv, the saved values and modbus.csv (problems go to
    // *problems), then listens.  False, with *error, when another server
    // already serves the folder, tags.csv or modbus.csv is refused or the
    // socket cannot be made.
    bool start(QStringList *problems, QString *error);
    // Reads modbus.csv again; a refused file leaves the bindings as they were.
    bool reloadBindings(QStringList *problems);
    // Writes the state file now (also done shortly after every write).
    bool saveState();

    const TagStore &store() const { return m_store; }
    // Tags bound to Modbus devices, and the devices.
    int boundTagCount() const;
    int deviceCount() const;
    int connectionCount() const { return int(m_connections.size()); }

    // The journal's header line.
    static constexpr const char *JournalHeader = "time,client,tag,value,result";

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
    // A write request as it arrived.
    struct WriteRequest
    {
        QString time;
        QString client;
        QList<qint32> ids;
        QList<QByteArray> values;
    };

    void acceptConnections();
    void readFrom(QLocalSocket *socket);
    void dropConnection(QLocalSocket *socket);
    QVariantList handle(Connection &c, const protocol::Message &m, qint32 *status);
    QVariantList handleWrite(Connection &c, const protocol::Message &m, qint32 *status);
    // Stores, journals and announces a write once every bound item has its
    // device's answer; the reply's values.
    QVariantList finishWrite(const WriteRequest &request, const QHash<int, std::pair<QString, double>> &deviceResults);
    QVariantList inspect(const QVariant &names) const;
    QVariantList devices() const;
    void notifyChanges(const QList<qint32> &changedIds);
    void raiseAlarm(const QString &text);
    void send(QLocalSocket *socket, const protocol::Message &m);
    void scheduleSave();

    void onValueRead(int tagIndex, double value);
    void onQualityChanged(int tagIndex, bool good, const QString &why, bool wholeDevice);
    void onDeviceChanged(const QString &device, bool up, const QString &why);
    // Whether a bound tag's value is to be trusted (its device answers).
    bool isGood(qint32 id) const;
    // What readers get of an item: the not-readable mark for a bound tag of bad quality.
    QByteArray effectiveValue(qint32 id) const;

    QString m_folder;
    TagStore m_store;
    ModbusGateway *m_gateway = nullptr;
    std::unique_ptr<QLocalServer> m_server;
    QHash<QLocalSocket *, Connection *> m_connections;
    QTimer *m_saveTimer = nullptr;
    bool m_dirty = false;
    bool m_replyDeferred = false;
};

} // namespace vantor
