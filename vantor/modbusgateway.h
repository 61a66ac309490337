#pragma once

#include "modbusbindings.h"
#include "modbusdevice.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QPair>
#include <QStringList>

#include <functional>
#include <map>
#include <memory>

namespace vantor {

// The server's side of the bound tags: one ModbusDevice per device of the
// bindings, writes sent to them and answered on the server's thread, polled
// values, and the quality of every bound tag (bad while its device is down
// or refuses to read it).
class ModbusGateway : public QObject
{
    Q_OBJECT
public:
    static constexpr int DefaultTimeoutMs = 1000;

    struct PointStatus
    {
        bool good = true;
        QString why;          // when bad: "device down: timeout", "exception 2", ...
        QDateTime lastPoll;   // the server's clock; invalid before the first poll
    };
    struct DeviceStatus
    {
        QString name;         // "host:port"
        ModbusDevice::State state = ModbusDevice::State::Connecting;
        QDateTime since;
        QString why;          // when down
        int points = 0;
    };
    // Results of a write, one per item: "ok" or the error, and on success the
    // tag value the device now holds.
    using WriteDone = std::function<void(const QStringList &results, const QList<double> &held)>;

    explicit ModbusGateway(QObject *parent = nullptr);
    ~ModbusGateway() override;

    // For connecting and for every answer of a device (devices started later).
    void setTimeoutMs(int ms) { m_timeoutMs = ms; }
    int timeoutMs() const { return m_timeoutMs; }

    // Replaces the bindings: the devices of the old ones stop (writes they
    // had not sent fail as "cancelled") and the new ones start connecting.
    void configure(const ModbusBindings &bindings);
    const ModbusBindings &bindings() const { return m_bindings; }
    bool isBound(int tagIndex) const { return m_bindings.pointOfTag(tagIndex) != nullptr; }

    // Writes tag values, (tag index, value) each, to their devices.  `done`
    // runs on this object's thread, from its event loop, once every item has
    // its result; an item whose device is down fails at once.
    void write(const QList<QPair<int, double>> &items, WriteDone done);

    PointStatus pointStatus(int tagIndex) const { return m_points.value(tagIndex); }
    QList<DeviceStatus> deviceStatus() const;

signals:
    void valueRead(int tagIndex, double value);
    // wholeDevice: the change comes with its device going down or up.
    void qualityChanged(int tagIndex, bool good, const QString &why, bool wholeDevice);
    void deviceChanged(const QString &device, bool up, const QString &why);

private:
    struct Job
    {
        QStringList results;
        QList<double> held;
        int open = 0;
        WriteDone done;
    };
    struct Device
    {
        std::unique_ptr<ModbusDevice> worker;
        DeviceStatus status;
        QList<int> tagIndexes;
    };

    void finishItem(quint64 job, int item, const QString &result, double held);
    void completeJob(quint64 job);
    void onPolled(quint64 generation, int tagIndex, bool ok, double value, const QString &error);
    void onStateChanged(quint64 generation, const QString &device, ModbusDevice::State state, const QString &why);
    void setQuality(int tagIndex, bool good, const QString &why, bool wholeDevice);

    ModbusBindings m_bindings;
    std::map<QString, std::unique_ptr<Device>> m_devices;
    QHash<int, PointStatus> m_points;
    QHash<quint64, Job> m_jobs;
    quint64 m_nextJob = 1;
    quint64 m_generation = 0;
    int m_timeoutMs = DefaultTimeoutMs;
};

} // namespace vantor
