#pragma once

#include "testsupport.h"

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

class RunnerSite;

using testsupport::waitUntil;

// The runner's start and stop records, as RunnerSite::opLog() gives them.
inline const QString RunnerStart = QStringLiteral("スケジュール管理|||スケジュール(開始)");
inline const QString RunnerStop = QStringLiteral("スケジュール管理|||スケジュール(停止)");

// A stand-in plant: vantord serving a temporary product folder.
class Plant
{
public:
    explicit Plant(const QStringList &numberTags);
    ~Plant();

    QString folder() const { return m_dir.path(); }
    bool start();
    void stop();
    // "tag=value" per journaled write, in order.
    QStringList journal() const;

private:
    QTemporaryDir m_dir;
    QProcess m_process;
};

// The Schedule program of a site, with its clock started at a moment.
class Runner
{
public:
    Runner(const RunnerSite &site, const Plant *plant);
    ~Runner();

    // Starts the program; clockStart "YYYY-MM-DD HH:MM:SS".
    void start(const QString &clockStart, const QStringList &arguments = {});
    // Waits until its command channel answers.
    bool waitReady(int timeoutMs = 10000);
    bool waitFinished(int timeoutMs = 5000);
    // Pokes "999" and waits for the end.
    bool stop();
    QProcess &process() { return m_process; }
    QProcessEnvironment environment(const QString &clockStart) const;

private:
    const RunnerSite &m_site;
    const Plant *m_plant;
    QProcess m_process;
};
