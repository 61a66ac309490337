#include "modbusdevice.h"

#include <modbus.h>

#include <algorithm>
#include <cerrno>
#include <map>
#include <tuple>

namespace vantor {
namespace {

// The most a read request may ask for.
constexpr int MaxReadRegisters = MODBUS_MAX_READ_REGISTERS;
constexpr int MaxReadBits = MODBUS_MAX_READ_BITS;

int msecsUntil(ModbusDevice::Clock::time_point t)
{
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(t - ModbusDevice::Clock::now()).count());
}

} // namespace

ModbusDevice::ModbusDevice(const Settings &settings, const QList<ModbusPoint> &points, Callbacks callbacks)
    : m_settings(settings), m_points(points), m_callbacks(std::move(callbacks))
{
    buildBlocks();
}

ModbusDevice::~ModbusDevice()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    m_wake.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    for (const Write &w : takeWrites())
        m_callbacks.written(w.job, w.item, QStringLiteral("cancelled"), 0.0);
    closeConnection();
    if (m_ctx)
        modbus_free(m_ctx);
}

QString ModbusDevice::name() const
{
    return QStringLiteral("%1:%2").arg(m_settings.host).arg(m_settings.port);
}

void ModbusDevice::start()
{
    m_retryAt = Clock::now();
    m_thread = std::thread([this] { run(); });
}

void ModbusDevice::submit(const QList<Write> &writes)
{
    {
        std::lock_guard lock(m_mutex);
        m_writes.insert(m_writes.end(), writes.begin(), writes.end());
    }
    m_wake.notify_all();
}

std::deque<ModbusDevice::Write> ModbusDevice::takeWrites()
{
    std::lock_guard lock(m_mutex);
    return std::exchange(m_writes, {});
}

bool ModbusDevice::isException(int error)
{
    return (error > MODBUS_ENOBASE && error <= EMBXGTAR) || error == EMBBADEXC || error == EMBUNKEXC;
}

QString ModbusDevice::errorText(int error)
{
    if (error > MODBUS_ENOBASE && error <= EMBXGTAR)
        return QStringLiteral("exception %1").arg(error - MODBUS_ENOBASE);
    switch (error) {
    case EMBBADEXC:
    case EMBUNKEXC: return QStringLiteral("exception (unknown code)");
    case ETIMEDOUT: return QStringLiteral("timeout");
    case ECONNREFUSED: return QStringLiteral("connection refused");
    case ECONNRESET: return QStringLiteral("connection reset");
    case EPIPE: return QStringLiteral("connection broken");
    case EHOSTUNREACH:
    case ENETUNREACH: return QStringLiteral("unreachable");
    default: break;
    }
    QString text = QString::fromLocal8Bit(modbus_strerror(error)).toLower();
    text.replace(QLatin1Char(','), QLatin1Char(';'));
    return text;
}

void ModbusDevice::buildBlocks()
{
    // Points read back at the same period from the same unit and table go
    // into one request while their addresses follow on without a gap.
    using Key = std::tuple<int, int, int>; // period, unit, table
    std::map<Key, QList<ModbusPoint>> groups;
    for (const ModbusPoint &p : m_points) {
        if (p.pollMs > 0)
            groups[{p.pollMs, p.unit, int(p.table)}].append(p);
    }
    for (auto &[key, points] : groups) {
        std::stable_sort(points.begin(), points.end(),
                         [](const ModbusPoint &a, const ModbusPoint &b) { return a.address < b.address; });
        const int limit = std::get<2>(key) == int(ModbusPoint::Table::Coil) ? MaxReadBits : MaxReadRegisters;
        Block *block = nullptr;
        for (const ModbusPoint &p : points) {
            const int end = p.address + p.width();
            if (block && p.address <= block->start + block->count && end - block->start <= limit) {
                block->count = std::max(block->count, end - block->start);
                block->points.append(p);
                continue;
            }
            m_blocks.append(Block{p.unit, p.table, p.address, p.width(), p.pollMs, {p}, {}});
            block = &m_blocks.last();
        }
    }
}

void ModbusDevice::run()
{
    std::unique_lock lock(m_mutex);
    auto woken = [this] { return m_stop || !m_writes.empty(); };
    while (!m_stop) {
        if (!m_writes.empty()) {
            std::deque<Write> batch = std::exchange(m_writes, {});
            lock.unlock();
            doWrites(batch);
            lock.lock();
            continue;
        }
        if (m_state != State::Up) {
            if (Clock::now() >= m_retryAt) {
                lock.unlock();
                reconnect();
                lock.lock();
            } else {
                m_wake.wait_until(lock, m_retryAt, woken);
            }
            continue;
        }
        int due = -1;
        for (int i = 0; i < m_blocks.size(); ++i) {
            if (due < 0 || m_blocks.at(i).next < m_blocks.at(due).next)
                due = i;
        }
        if (due < 0) {
            m_wake.wait(lock, woken);
        } else if (m_blocks.at(due).next <= Clock::now()) {
            lock.unlock();
            poll(m_blocks[due]);
            lock.lock();
        } else {
            m_wake.wait_until(lock, m_blocks.at(due).next, woken);
        }
    }
}

void ModbusDevice::doWrites(std::deque<Write> &writes)
{
    while (!writes.empty()) {
        const Write w = writes.front();
        writes.pop_front();
        double held = 0;
        const QString result = writeOne(w, &held);
        m_callbacks.written(w.job, w.item, result, held);
    }
}

QString ModbusDevice::writeOne(const Write &w, double *held)
{
    uint16_t raw[2] = {0, 0};
    QString why;
    if (!w.point.encode(w.value, raw, &why))
        return why;
    if (m_state == State::Down)
        return QStringLiteral("down");
    const int remaining = msecsUntil(w.deadline);
    if (remaining <= 0)
        return QStringLiteral("timeout");
    const int timeout = std::min(m_settings.timeoutMs, remaining);
    int error = 0;
    const int rc = ensureConnection(timeout, &error) ? request(
                       [&] {
                           modbus_set_slave(m_ctx, w.point.unit);
                           if (w.point.table == ModbusPoint::Table::Coil)
                               return modbus_write_bit(m_ctx, w.point.address, raw[0] ? 1 : 0);
                           if (w.point.width() == 1)
                               return modbus_write_register(m_ctx, w.point.address, raw[0]);
                           return modbus_write_registers(m_ctx, w.point.address, 2, raw);
                       },
                       timeout, &error)
                                                     : -1;
    if (rc == -1 && !isException(error)) {
        markDown(errorText(error));
        return errorText(error);
    }
    if (m_state != State::Up)
        markUp();
    if (rc == -1)
        return errorText(error);
    *held = w.point.decode(raw);
    return QStringLiteral("ok");
}

void ModbusDevice::reconnect()
{
    int error = 0;
    if (!ensureConnection(m_settings.timeoutMs, &error)) {
        markDown(errorText(error));
        return;
    }
    // Up only once the device has answered: a first poll, or a read of the
    // first point when nothing is polled.
    if (!m_blocks.isEmpty()) {
        poll(m_blocks[0]);
        return;
    }
    if (m_points.isEmpty()) {
        markUp();
        return;
    }
    const ModbusPoint &p = m_points.first();
    uint16_t regs[2];
    uint8_t bits[1];
    const int rc = request(
        [&] {
            modbus_set_slave(m_ctx, p.unit);
            return p.table == ModbusPoint::Table::Coil ? modbus_read_bits(m_ctx, p.address, 1, bits)
                                                       : modbus_read_registers(m_ctx, p.address, p.width(), regs);
        },
        m_settings.timeoutMs, &error);
    if (rc == -1 && !isException(error))
        markDown(errorText(error));
    else
        markUp();
}

bool ModbusDevice::poll(Block &block)
{
    uint16_t regs[MaxReadRegisters];
    uint8_t bits[MaxReadBits];
    const bool coil = block.table == ModbusPoint::Table::Coil;
    int error = 0;
    const int rc = ensureConnection(m_settings.timeoutMs, &error)
                       ? request(
                             [&] {
                                 modbus_set_slave(m_ctx, block.unit);
                                 return coil ? modbus_read_bits(m_ctx, block.start, block.count, bits)
                                             : modbus_read_registers(m_ctx, block.start, block.count, regs);
                             },
                             m_settings.timeoutMs, &error)
                       : -1;
    if (rc == -1 && !isException(error)) {
        markDown(errorText(error));
        return false;
    }
    if (m_state != State::Up)
        markUp();
    const Clock::time_point now = Clock::now();
    if (rc == -1 && block.points.size() > 1) {
        // One point the device refuses spoils the whole request: from now on
        // each point of the block is read by itself.
        const Block whole = block;
        m_blocks.removeAt(&block - m_blocks.constData());
        for (const ModbusPoint &p : whole.points)
            m_blocks.append(Block{p.unit, p.table, p.address, p.width(), p.pollMs, {p}, now});
        return true;
    }
    for (const ModbusPoint &p : std::as_const(block.points)) {
        if (rc == -1) {
            m_callbacks.polled(p.tagIndex, false, 0.0, errorText(error));
            continue;
        }
        const int offset = p.address - block.start;
        uint16_t raw[2] = {0, 0};
        for (int i = 0; i < p.width(); ++i)
            raw[i] = coil ? uint16_t(bits[offset + i]) : regs[offset + i];
        m_callbacks.polled(p.tagIndex, true, p.decode(raw), QString());
    }
    block.next += std::chrono::milliseconds(block.periodMs);
    if (block.next <= now)
        block.next = now + std::chrono::milliseconds(block.periodMs);
    return true;
}

bool ModbusDevice::ensureConnection(int timeoutMs, int *error)
{
    if (m_connected)
        return true;
    if (!m_ctx) {
        m_ctx = modbus_new_tcp_pi(m_settings.host.toUtf8().constData(), QByteArray::number(m_settings.port).constData());
        if (!m_ctx) {
            *error = errno;
            return false;
        }
    }
    setTimeout(timeoutMs);
    if (modbus_connect(m_ctx) == -1) {
        *error = errno;
        return false;
    }
    m_connected = true;
    m_fresh = true;
    return true;
}

int ModbusDevice::request(const std::function<int()> &call, int timeoutMs, int *error)
{
    const bool mayRepeat = !m_fresh;
    m_fresh = false;
    setTimeout(timeoutMs);
    int rc = call();
    *error = errno;
    const bool closedByDevice = *error == ECONNRESET || *error == EPIPE || *error == ECONNABORTED
                                || *error == ENOTCONN || *error == EBADF;
    if (rc != -1 || !mayRepeat || !closedByDevice)
        return rc;
    closeConnection();
    if (!ensureConnection(timeoutMs, error))
        return -1;
    m_fresh = false;
    setTimeout(timeoutMs);
    rc = call();
    *error = errno;
    return rc;
}

void ModbusDevice::closeConnection()
{
    if (m_connected)
        modbus_close(m_ctx);
    m_connected = false;
}

void ModbusDevice::setTimeout(int ms)
{
    ms = std::max(ms, 1);
    modbus_set_response_timeout(m_ctx, uint32_t(ms / 1000), uint32_t(ms % 1000) * 1000);
}

void ModbusDevice::markUp()
{
    m_retryMs = 0;
    const Clock::time_point now = Clock::now();
    for (Block &b : m_blocks)
        b.next = now;
    m_state = State::Up;
    m_callbacks.stateChanged(State::Up, QString());
}

void ModbusDevice::markDown(const QString &why)
{
    closeConnection();
    m_retryMs = m_retryMs == 0 ? m_settings.retryFirstMs : std::min(m_retryMs * 2, m_settings.retryMaxMs);
    m_retryAt = Clock::now() + std::chrono::milliseconds(m_retryMs);
    if (m_state.exchange(State::Down) != State::Down)
        m_callbacks.stateChanged(State::Down, why);
}

} // namespace vantor
