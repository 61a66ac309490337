#include "vantorprocess.h"

#include "testsupport.h"
#include "productfolder.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QLocalSocket>
#include <QThread>

#include <csignal>

QString VantorProcess::binDir()
{
    return testsupport::binDir();
}

VantorProcess::VantorProcess(const QByteArray &tagsCsv)
{
    if (!tagsCsv.isNull())
        testsupport::writeAll(m_dir.filePath(QStringLiteral("tags.csv")), tagsCsv);
    qputenv("VANTOR_HOME", QFile::encodeName(m_dir.path()));
    qputenv("VANTOR_API", QFile::encodeName(binDir() + QStringLiteral("/libvantorapi.so")));
}

VantorProcess::~VantorProcess()
{
    stop();
}

bool VantorProcess::start()
{
    stop();
    m_process = std::make_unique<QProcess>();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("VANTOR_HOME"), m_dir.path());
    m_process->setProcessEnvironment(env);
    m_process->start(binDir() + QStringLiteral("/vantord"), {});
    if (!m_process->waitForStarted(5000))
        return false;
    // Ready once its socket answers.
    const QString name = vantor::socketName(m_dir.path());
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired()) {
        QLocalSocket probe;
        probe.connectToServer(name);
        if (probe.waitForConnected(100))
            return true;
        if (m_process->state() == QProcess::NotRunning)
            break;
        m_process->waitForFinished(10);
    }
    return false;
}

void VantorProcess::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(5000)) {
            m_process->kill();
            m_process->waitForFinished(2000);
        }
    }
    m_stderr += QString::fromUtf8(m_process->readAllStandardError());
    m_process.reset();
}

void VantorProcess::kill()
{
    if (!m_process)
        return;
    m_process->kill();
    m_process->waitForFinished(2000);
    m_stderr += QString::fromUtf8(m_process->readAllStandardError());
    m_process.reset();
}

bool VantorProcess::isRunning() const
{
    return m_process && m_process->state() == QProcess::Running;
}

QString VantorProcess::ctl(const QStringList &args, int *exitCode) const
{
    QProcess p;
    p.start(binDir() + QStringLiteral("/vantorctl"), QStringList{QStringLiteral("--home"), m_dir.path()} + args);
    p.waitForFinished(10000);
    if (exitCode)
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    return QString::fromUtf8(p.readAllStandardOutput());
}

QStringList VantorProcess::journal() const
{
    QStringList lines = QString::fromUtf8(testsupport::readAll(file(QStringLiteral("writes.csv"))))
                            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    if (!lines.isEmpty() && lines.first().startsWith(QLatin1String("time,client,tag,value")))
        lines.removeFirst();
    return lines;
}
