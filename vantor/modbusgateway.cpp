#include "modbusgateway.h"

#include "platform/clock.h"

#include <QMetaObject>
#include <QPointer>

namespace vantor {

ModbusGateway::ModbusGateway(QObject *parent)
    : QObject(parent)
{
}

ModbusGateway::~ModbusGateway()
{
    // The threads end before this object: nothing calls back into it later.
    m_devices.clear();
}

void ModbusGateway::configure(const ModbusBindings &bindings)
{
    m_devices.clear();
    const quint64 generation = ++m_generation;
    for (auto it = m_points.cbegin(); it != m_points.cend(); ++it) {
        if (!bindings.pointOfTag(it.key()) && !it->good)
            emit qualityChanged(it.key(), true, QString(), false);
    }
    m_points.clear();
    m_bindings = bindings;

    for (const QString &name : m_bindings.devices()) {
        QList<ModbusPoint> points;
        for (const ModbusPoint &p : m_bindings.points()) {
            if (p.device() == name)
                points.append(p);
        }
        auto device = std::make_unique<Device>();
        device->status.name = name;
        device->status.points = int(points.size());
        device->status.since = platform::clock::now();
        for (const ModbusPoint &p : std::as_const(points)) {
            device->tagIndexes.append(p.tagIndex);
            m_points.insert(p.tagIndex, PointStatus{});
        }
        ModbusDevice::Settings settings;
        settings.host = points.first().host;
        settings.port = points.first().port;
        settings.timeoutMs = m_timeoutMs;
        // Results travel to this thread; the device's thread never touches this object.
        ModbusDevice::Callbacks callbacks;
        callbacks.written = [this](quint64 job, int item, const QString &result, double held) {
            QMetaObject::invokeMethod(this, [=, this] { finishItem(job, item, result, held); }, Qt::QueuedConnection);
        };
        callbacks.polled = [this, generation](int tagIndex, bool ok, double value, const QString &error) {
            QMetaObject::invokeMethod(
                this, [=, this] { onPolled(generation, tagIndex, ok, value, error); }, Qt::QueuedConnection);
        };
        callbacks.stateChanged = [this, generation, name](ModbusDevice::State state, const QString &why) {
            QMetaObject::invokeMethod(
                this, [=, this] { onStateChanged(generation, name, state, why); }, Qt::QueuedConnection);
        };
        device->worker = std::make_unique<ModbusDevice>(settings, points, std::move(callbacks));
        device->worker->start();
        m_devices.emplace(name, std::move(device));
    }
}

void ModbusGateway::write(const QList<QPair<int, double>> &items, WriteDone done)
{
    const quint64 id = m_nextJob++;
    Job &job = m_jobs[id];
    job.results = QStringList(items.size(), QString());
    job.held = QList<double>(items.size(), 0.0);
    job.open = int(items.size());
    job.done = std::move(done);

    const auto deadline = ModbusDevice::Clock::now() + std::chrono::milliseconds(m_timeoutMs);
    std::map<ModbusDevice *, QList<ModbusDevice::Write>> batches;
    for (int i = 0; i < items.size(); ++i) {
        const ModbusPoint *point = m_bindings.pointOfTag(items.at(i).first);
        const auto device = point ? m_devices.find(point->device()) : m_devices.end();
        QString failure;
        if (device == m_devices.end())
            failure = QStringLiteral("not bound");
        else if (device->second->worker->state() == ModbusDevice::State::Down)
            failure = QStringLiteral("down"); // noticed once already: fails at once
        if (!failure.isEmpty()) {
            job.results[i] = failure;
            --job.open;
            continue;
        }
        batches[device->second->worker.get()].append({id, i, *point, items.at(i).second, deadline});
    }
    for (auto &[device, writes] : batches)
        device->submit(writes);
    if (job.open == 0)
        QMetaObject::invokeMethod(this, [this, id] { completeJob(id); }, Qt::QueuedConnection);
}

void ModbusGateway::finishItem(quint64 id, int item, const QString &result, double held)
{
    const auto it = m_jobs.find(id);
    if (it == m_jobs.end() || item < 0 || item >= it->results.size())
        return;
    it->results[item] = result;
    it->held[item] = held;
    if (--it->open == 0)
        completeJob(id);
}

void ModbusGateway::completeJob(quint64 id)
{
    const Job job = m_jobs.take(id);
    if (job.done)
        job.done(job.results, job.held);
}

void ModbusGateway::onPolled(quint64 generation, int tagIndex, bool ok, double value, const QString &error)
{
    if (generation != m_generation || !m_points.contains(tagIndex))
        return;
    m_points[tagIndex].lastPoll = platform::clock::now();
    if (!ok) {
        setQuality(tagIndex, false, error, false);
        return;
    }
    setQuality(tagIndex, true, QString(), false);
    emit valueRead(tagIndex, value);
}

void ModbusGateway::onStateChanged(quint64 generation, const QString &name, ModbusDevice::State state,
                                   const QString &why)
{
    const auto it = m_devices.find(name);
    if (generation != m_generation || it == m_devices.end())
        return;
    Device &device = *it->second;
    const ModbusDevice::State before = device.status.state;
    device.status.state = state;
    device.status.since = platform::clock::now();
    device.status.why = why;
    const bool up = state == ModbusDevice::State::Up;
    for (int tagIndex : std::as_const(device.tagIndexes))
        setQuality(tagIndex, up, up ? QString() : QStringLiteral("device down: ") + why, true);
    // A device that answers from the start is no news.
    if (!up || before == ModbusDevice::State::Down)
        emit deviceChanged(name, up, why);
}

void ModbusGateway::setQuality(int tagIndex, bool good, const QString &why, bool wholeDevice)
{
    PointStatus &status = m_points[tagIndex];
    const bool changed = status.good != good;
    status.good = good;
    status.why = why;
    if (changed)
        emit qualityChanged(tagIndex, good, why, wholeDevice);
}

QList<ModbusGateway::DeviceStatus> ModbusGateway::deviceStatus() const
{
    QList<DeviceStatus> list;
    for (const QString &name : m_bindings.devices()) {
        const auto it = m_devices.find(name);
        if (it != m_devices.end())
            list.append(it->second->status);
    }
    return list;
}

} // namespace vantor
