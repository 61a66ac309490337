#pragma once

#include <QList>
#include <QProcess>
#include <QString>

// A Modbus TCP device on a free loopback port: tools/modbussim/modbus_sim.py
// of the source tree named by SCH_SOURCE_DIR (pymodbus, an implementation
// that is not ours) run with Debian's Python.
// Its coils and holding registers are read and changed through its command
// lines; it can close its port, open it again, and stop answering.
class ModbusSimulator
{
public:
    explicit ModbusSimulator(const QString &units = QStringLiteral("1"));
    ~ModbusSimulator();

    bool isRunning() const { return m_port > 0; }
    int port() const { return m_port; }
    QString why() const { return m_why; }

    // The values at an address ("coil" or "holding"); empty on failure.
    QList<int> get(const QString &table, int address, int count = 1, int unit = 1);
    bool set(const QString &table, int address, const QList<int> &values, int unit = 1);
    // Closes the port and every connection / listens on the same port again.
    bool stop();
    bool start();
    // Keeps connections open but answers nothing / answers again.
    bool mute();
    bool unmute();

    // One command line and its answer line.
    QString command(const QString &line);

private:
    QProcess m_process;
    int m_port = 0;
    QString m_why;
};
