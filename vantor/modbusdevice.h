#pragma once

#include "modbuspoint.h"

#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

typedef struct _modbus modbus_t;

namespace vantor {

// One Modbus TCP device (host and port): its own connection and its own
// thread, so that a device that does not answer never delays the others.
// Writes go first; between them the device's points are polled, contiguous
// points of a poll period read in one request.  A device that fails is
// marked down at once: from then on its writes fail at once ("down") while
// the connection is opened again in the background, after 0.5 s, then after
// twice as long each time up to 2 s.  It is up again only once it
// has answered a request.
//
// Everything is reported through the callbacks, from the device's thread.
class ModbusDevice
{
public:
    enum class State { Connecting, Up, Down };
    using Clock = std::chrono::steady_clock;

    struct Settings
    {
        QString host;
        int port = 502;
        int timeoutMs = 1000;    // for connecting and for every answer
        int retryFirstMs = 500;  // back-off of reconnections
        int retryMaxMs = 2000;
    };

    // One item of a write request; it fails as "timeout" when it cannot be
    // sent and answered before its deadline.
    struct Write
    {
        quint64 job = 0;
        int item = 0;
        ModbusPoint point;
        double value = 0;
        Clock::time_point deadline;
    };

    struct Callbacks
    {
        // A write's result: "ok" or the error ("timeout", "exception 2",
        // "down", "connection refused", ...), and on success the tag value
        // the device now holds.
        std::function<void(quint64 job, int item, const QString &result, double held)> written;
        // A poll of a point: its tag value, or the device's refusal of it.
        std::function<void(int tagIndex, bool ok, double value, const QString &error)> polled;
        std::function<void(State state, const QString &why)> stateChanged;
    };

    ModbusDevice(const Settings &settings, const QList<ModbusPoint> &points, Callbacks callbacks);
    // Stops the thread (waiting for a request under way); writes not yet
    // sent fail as "cancelled".
    ~ModbusDevice();

    void start();
    void submit(const QList<Write> &writes);
    State state() const { return m_state.load(); }
    QString name() const;

    // The text of a libmodbus failure (errno after a call): "timeout",
    // "exception <n>", "connection refused", ...
    static QString errorText(int error);
    static bool isException(int error);

private:
    struct Block
    {
        int unit = 1;
        ModbusPoint::Table table = ModbusPoint::Table::Holding;
        int start = 0;
        int count = 0;
        int periodMs = 1000;
        QList<ModbusPoint> points;
        Clock::time_point next;
    };

    void run();
    void buildBlocks();
    void doWrites(std::deque<Write> &writes);
    QString writeOne(const Write &w, double *held);
    void reconnect();
    // Opens the connection if it is not open; false with *error (an errno).
    bool ensureConnection(int timeoutMs, int *error);
    void closeConnection();
    // Runs one request on the open connection; -1 with *error on failure.  A
    // connection the device closed since the last request (many devices close
    // idle ones) is opened again and the request repeated once.
    int request(const std::function<int()> &call, int timeoutMs, int *error);
    // Reads a block; false when the connection failed (the device is then down).
    bool poll(Block &block);
    void setTimeout(int ms);
    void markUp();
    void markDown(const QString &why);
    std::deque<Write> takeWrites();

    const Settings m_settings;
    const QList<ModbusPoint> m_points;
    const Callbacks m_callbacks;
    QList<Block> m_blocks;

    std::thread m_thread;
    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Write> m_writes;
    bool m_stop = false;

    std::atomic<State> m_state{State::Connecting};
    modbus_t *m_ctx = nullptr;
    bool m_connected = false;
    bool m_fresh = false;  // opened since the last request
    int m_retryMs = 0;
    Clock::time_point m_retryAt;
};

} // namespace vantor
