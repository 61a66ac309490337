#include "runner/daychange.h"

#include "runner/daytables.h"
#include "runner/logpurge.h"
#include "runner/runnertexts.h"
#include "store/backup.h"
#include "store/daycode.h"
#include "store/logging.h"
#include "store/maintenance.h"
#include "store/oplog.h"
#include "store/secondcopy.h"
#include "store/settings.h"
#include "store/sitepaths.h"
#include "store/tracelog.h"

namespace runner {

namespace {
const QString DateFormat = QStringLiteral("yyyy/MM/dd");

void trace(const QString &message, const QString &value = QString())
{
    store::WriteTraceLog(message, value, store::TraceLog::RunnerIndex);
}
} // namespace

DayChange::DayChange(const QString &programFolder, const store::Settings &settings, Hooks hooks)
    : m_programFolder(programFolder)
    , m_settings(settings)
    , m_hooks(std::move(hooks))
{
}

std::optional<DayChange::Kind> DayChange::due(const QDate &lastDone, const QDate &today)
{
    if (!lastDone.isValid() || lastDone >= today)
        return std::nullopt;
    return lastDone.addDays(1) == today ? Kind::Roll : Kind::Rebuild;
}

QDate DayChange::lastDone(bool *inDatabase) const
{
    QDate recorded;
    const bool found =
        daytables::recordedDay(store::paths::databasePath(m_programFolder), &recorded) && recorded.isValid();
    if (inDatabase)
        *inDatabase = found;
    if (found)
        return recorded;
    return QDate::fromString(m_settings.readLocal(Section, Key), DateFormat);
}

bool DayChange::recordDone(const QDate &day) const
{
    QString why;
    if (!daytables::recordFirstDay(store::paths::databasePath(m_programFolder), day, &why)) {
        trace(texts::errorMessage(QStringLiteral("日替わり処理 日付の記録"), texts::DatabaseErrorNumber, why));
        return false;
    }
    syncSettingsCopy();
    return true;
}

DayChange::CopyResult DayChange::syncSettingsCopy() const
{
    QDate recorded;
    if (!daytables::recordedDay(store::paths::databasePath(m_programFolder), &recorded) || !recorded.isValid())
        return CopyResult::Current; // nothing to copy from
    const QString text = recorded.toString(DateFormat);
    if (m_settings.readLocal(Section, Key) == text)
        return CopyResult::Current;
    return m_settings.writeLocal(Section, Key, text) ? CopyResult::Written : CopyResult::Failed;
}

std::optional<int> DayChange::dayCodeOf(const QDate &date) const
{
    const QString memo = m_hooks.memoOf ? m_hooks.memoOf(date) : QString();
    const std::optional<int> code = store::dayCode(date, memo);
    if (!code)
        trace(QStringLiteral("日替わり処理 特日の指定が不明です。空の日になります。"),
              memo.trimmed() + QLatin1Char(' ') + date.toString(DateFormat));
    return code;
}

bool DayChange::run(Kind kind, const QDate &today, QString *error)
{
    trace(texts::DayChangeBegin);
    if (m_hooks.reloadMemos)
        m_hooks.reloadMemos();

    // Databese_Load: the four statements (or the rebuild) in one transaction.
    const QString database = store::paths::databasePath(m_programFolder);
    const QDate tomorrow = today.addDays(1);
    QString why;
    const daytables::Result rolled = kind == Kind::Roll
        ? daytables::roll(database, today, dayCodeOf(tomorrow), &why)
        : daytables::rebuild(database, today, dayCodeOf(today), dayCodeOf(tomorrow), &why);
    if (rolled == daytables::Result::Failed) {
        trace(texts::errorMessage(QStringLiteral("日替わり処理"), texts::DatabaseErrorNumber, why));
        if (error)
            *error = why;
        return false;
    }
    if (rolled == daytables::Result::AlreadyDone) {
        trace(QStringLiteral("日替わり処理 この日は日替わり済みです。"), today.toString(DateFormat));
        return true;
    }

    if (m_hooks.loadChart)
        m_hooks.loadChart();
    store::maintenance::clearAtDayChange(m_settings);
    logpurge::deleteOldTrace(store::paths::traceFolder(m_programFolder), today);

    // Backup and second copy: consistent copies that replace the previous
    // ones only when complete.
    if (m_hooks.connectionOpen && m_hooks.connectionOpen()) {
        trace(texts::BackupWhileOpen);
    } else {
        QString copyError;
        if (!store::backupDatabase(database, store::paths::backupPath(m_programFolder), &copyError))
            trace(QStringLiteral("日替わり処理 バックアップ失敗"), copyError);
        // The second copy replaces only a missing file or an older database
        // copy in an existing folder, never a file of the site (secondcopy.h).
        const QString second = m_settings.secondCopyPath();
        if (!second.isEmpty()
            && store::secondcopy::copyDatabase(database, second, store::secondcopy::siteFiles(m_programFolder, database),
                                               store::TraceLog::RunnerIndex, &copyError)
                == store::secondcopy::Outcome::Failed)
            trace(QStringLiteral("日替わり処理 二重化失敗"), copyError);
    }

    const store::OpLog &opLog = store::currentOpLog();
    if (opLog.isActive())
        logpurge::purgeOperationLogs(opLog.folder(), today, m_settings.opLogKeepDays());

    trace(texts::DayChangeEnd);
    return true;
}

} // namespace runner
