#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

#include <chrono>
#include <functional>
#include <future>

// Small helpers shared by the test executables.
namespace testsupport {

// Sets SCH_BIN_DIR, SCH_SOURCE_DIR and SCH_SHARED_DIR to this build's folders
// when they are not set (ctest passes on only the first variable of a test's
// environment list), so that tests and the programs they start agree.
void setDefaultEnvironment();

// Folder of the built programs (bin/), from SCH_BIN_DIR or beside the test binary.
QString binDir();
// The source tree and the shared data folder beside it.
QString sourceDir();
QString sharedDir();

QByteArray readAll(const QString &path);
bool writeAll(const QString &path, const QByteArray &bytes);

// Runs the event loop until pred holds or the time is up; the result of pred.
bool waitUntil(const std::function<bool()> &pred, int timeoutMs);

// Runs `work` on a helper thread while this thread keeps its event loop
// turning, for a call that blocks on something this thread serves (a
// command channel, a stand-in runner); the result of work.
template<typename Work>
auto whileServing(Work work)
{
    auto future = std::async(std::launch::async, std::move(work));
    while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    return future.get();
}

} // namespace testsupport
