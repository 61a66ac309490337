#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <memory>

// A vantord on a temporary product folder, started from the built programs,
// for tests that need the real product.  The test process's VANTOR_HOME (and
// VANTOR_API, the API library to load) point at it while it lives.
class VantorProcess
{
public:
    explicit VantorProcess(const QByteArray &tagsCsv);
    ~VantorProcess();

    QString folder() const { return m_dir.path(); }
    QString file(const QString &name) const { return m_dir.filePath(name); }

    // Starts vantord and waits until it answers; false when it did not.
    bool start();
    // Ends it with SIGTERM (it saves its values) or SIGKILL.
    void stop();
    void kill();
    bool isRunning() const;
    QString serverErrors() const { return m_stderr; }

    // Runs vantorctl in the folder; its standard output, *exitCode its code.
    QString ctl(const QStringList &args, int *exitCode = nullptr) const;
    // The lines of writes.csv after its header.
    QStringList journal() const;

    static QString binDir();

private:
    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    QString m_stderr;
};
