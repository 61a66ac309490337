#include "processes.h"

#include "runnersite.h"
#include "testsupport.h"

#include "platform/commandchannel.h"

#include <QCoreApplication>
#include <QFile>

Plant::Plant(const QStringList &numberTags)
{
    QByteArray csv = "name,type,value,comment\n";
    for (const QString &tag : numberTags)
        csv += tag.toUtf8() + ",number,0,\n";
    testsupport::writeAll(m_dir.filePath(QStringLiteral("tags.csv")), csv);
    m_process.setProcessChannelMode(QProcess::ForwardedOutputChannel);
}

Plant::~Plant()
{
    stop();
}

bool Plant::start()
{
    m_process.start(testsupport::binDir() + QStringLiteral("/vantord"), {folder()});
    if (!m_process.waitForStarted(5000))
        return false;
    QByteArray said;
    return waitUntil(
        [&] {
            said += m_process.readAllStandardError();
            return said.contains("serving");
        },
        5000);
}

void Plant::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QStringList Plant::journal() const
{
    QStringList out;
    const QStringList lines =
        QString::fromUtf8(testsupport::readAll(m_dir.filePath(QStringLiteral("writes.csv")))).split(QLatin1Char('\n'));
    for (const QString &line : lines) {
        const QStringList f = line.split(QLatin1Char(','));
        if (f.size() < 4 || f.at(0) == QLatin1String("time"))
            continue;
        out << f.at(2) + QLatin1Char('=') + f.at(3);
    }
    return out;
}

Runner::Runner(const RunnerSite &site, const Plant *plant)
    : m_site(site)
    , m_plant(plant)
{
    m_process.setProcessChannelMode(QProcess::ForwardedChannels);
}

Runner::~Runner()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished();
    }
}

QProcessEnvironment Runner::environment(const QString &clockStart) const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("SCH_HOME"), m_site.home());
    env.insert(QStringLiteral("SCH_CLOCK_START"), clockStart);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    if (m_plant)
        env.insert(QStringLiteral("VANTOR_HOME"), m_plant->folder());
    else
        env.remove(QStringLiteral("VANTOR_HOME"));
    return env;
}

void Runner::start(const QString &clockStart, const QStringList &arguments)
{
    m_process.setProcessEnvironment(environment(clockStart));
    m_process.start(testsupport::binDir() + QStringLiteral("/Schedule"), arguments);
    m_process.waitForStarted(5000);
}

bool Runner::waitReady(int timeoutMs)
{
    return waitUntil(
        [this] {
            return m_process.state() == QProcess::Running
                && platform::channel::isServing(QStringLiteral("schedule"), QStringLiteral("frmCal"), 200);
        },
        timeoutMs);
}

bool Runner::waitFinished(int timeoutMs)
{
    return waitUntil([this] { return m_process.state() == QProcess::NotRunning; }, timeoutMs);
}

bool Runner::stop()
{
    platform::channel::poke(QStringLiteral("schedule"), QStringLiteral("frmCal"), QStringLiteral("txtDDE"),
                            QStringLiteral("999"));
    return waitFinished();
}
