#include "modbussimulator.h"

#include <QDeadlineTimer>

ModbusSimulator::ModbusSimulator(const QString &units)
{
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral("/usr/bin/python3"),
                    {qEnvironmentVariable("SCH_SOURCE_DIR") + QStringLiteral("/tools/modbussim/modbus_sim.py"),
                     QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--units"), units});
    if (!m_process.waitForStarted(5000)) {
        m_why = m_process.errorString();
        return;
    }
    const QString ready = command(QString());
    if (ready.startsWith(QLatin1String("ready ")))
        m_port = ready.mid(6).toInt();
    else
        m_why = ready + QString::fromUtf8(m_process.readAllStandardError());
}

ModbusSimulator::~ModbusSimulator()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.write("quit\n");
    m_process.closeWriteChannel();
    if (!m_process.waitForFinished(3000)) {
        m_process.kill();
        m_process.waitForFinished(2000);
    }
}

QString ModbusSimulator::command(const QString &line)
{
    if (!line.isEmpty()) {
        m_process.write(line.toUtf8() + '\n');
        m_process.waitForBytesWritten(1000);
    }
    QDeadlineTimer deadline(10000);
    while (!m_process.canReadLine() && !deadline.hasExpired() && m_process.state() == QProcess::Running)
        m_process.waitForReadyRead(int(qMin<qint64>(deadline.remainingTime(), 100)));
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

QList<int> ModbusSimulator::get(const QString &table, int address, int count, int unit)
{
    const QString answer = command(QStringLiteral("get %1 %2 %3 %4").arg(unit).arg(table).arg(address).arg(count));
    QList<int> values;
    if (!answer.startsWith(QLatin1String("value ")))
        return values;
    for (const QString &v : answer.mid(6).split(QLatin1Char(' '), Qt::SkipEmptyParts))
        values.append(v.toInt());
    return values;
}

bool ModbusSimulator::set(const QString &table, int address, const QList<int> &values, int unit)
{
    QString line = QStringLiteral("set %1 %2 %3").arg(unit).arg(table).arg(address);
    for (int v : values)
        line += QLatin1Char(' ') + QString::number(v);
    return command(line) == QLatin1String("ok");
}

bool ModbusSimulator::stop() { return command(QStringLiteral("stop")) == QLatin1String("stopped"); }
bool ModbusSimulator::start() { return command(QStringLiteral("start")).startsWith(QLatin1String("started")); }
bool ModbusSimulator::mute() { return command(QStringLiteral("mute")) == QLatin1String("muted"); }
bool ModbusSimulator::unmute() { return command(QStringLiteral("unmute")) == QLatin1String("unmuted"); }
