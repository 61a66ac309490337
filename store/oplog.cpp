#include "store/oplog.h"

#include "platform/atomicfile.h"
#include "platform/clock.h"
#include "platform/textcodec.h"
#include "store/settings.h"

#include <QDir>
#include <QStringList>

#include <cerrno>

namespace store {
namespace {

// A field between double quotes; a quote inside is doubled so that a record
// always keeps its six fields.
QString field(const QString &text)
{
    QString t = text;
    t.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + t + QLatin1Char('"');
}

// The programs' own error numbers and texts for the failures of a file write.
struct FileError {
    int number;
    const char *text;
};

FileError fileErrorOf(int systemErrorNumber)
{
    switch (systemErrorNumber) {
    case ENOENT:
    case ENOTDIR:
        return {76, "パスが見つかりません。"};
    case EACCES:
    case EPERM:
    case EROFS:
        return {70, "書き込みできません。"};
    case ENOSPC:
    case EDQUOT:
        return {61, "ディスクの空き容量が不足しています。"};
    case EISDIR:
    case ENAMETOOLONG:
    case EINVAL:
        return {75, "パス名が無効です。"};
    default:
        return {57, "デバイス I/O エラーです。"};
    }
}

} // namespace

OpLog::OpLog(bool enabled, const QString &folder, const TraceLog &trace)
    : m_enabled(enabled)
    , m_folder(folder.trimmed())
    , m_trace(trace)
{
}

OpLog OpLog::fromSettings(const Settings &settings, const TraceLog &trace)
{
    const bool on = settings.opLogEnabled();
    return OpLog(on, on ? settings.opLogFolder() : QString(), trace);
}

QString OpLog::fileName(const QDate &date)
{
    return QStringLiteral("SCHLOG") + date.toString(QStringLiteral("yyyyMMdd")) + QStringLiteral(".CSV");
}

QString OpLog::filePath(const QDate &date) const
{
    return QDir(m_folder).filePath(fileName(date));
}

QByteArray OpLog::record(const QDateTime &when, const QString &subject, const QString &object, const QString &action,
                         const QString &origin, const QString &setValue, const QString &note)
{
    QString last = QStringLiteral("スケジュール(") + origin + QLatin1Char(')');
    if (action == QStringLiteral("設定"))
        last += QLatin1Char(' ') + setValue + QStringLiteral("に設定");
    if (!note.isEmpty())
        last += QLatin1Char(' ') + note;
    const QStringList fields = {
        field(when.toString(QStringLiteral("yyyy/M/d  HH:mm:ss"))),
        field(QStringLiteral("操作")),
        field(subject),
        field(object),
        field(action),
        field(last),
    };
    return platform::toCp932(fields.join(QLatin1Char(',')) + QStringLiteral("\r\n"));
}

QString OpLog::failureMessage(int systemErrorNumber)
{
    const FileError e = fileErrorOf(systemErrorNumber);
    return QStringLiteral("操作ログ出力エラー：エラーNO") + QString::number(e.number) + QLatin1Char(':')
           + QString::fromUtf8(e.text);
}

void OpLog::write(const QString &subject, const QString &object, const QString &action, const QString &origin,
                  const QString &setValue, const QString &note) const noexcept
{
    try {
        if (!isActive())
            return;
        const QDateTime now = platform::clock::now();
        int errorNumber = 0;
        if (!platform::appendToFile(filePath(now.date()), record(now, subject, object, action, origin, setValue, note),
                                    nullptr, &errorNumber)) {
            m_trace.write(failureMessage(errorNumber), subject, TraceLog::RunnerIndex);
        }
    } catch (...) {
        // Never towards the caller.
    }
}

} // namespace store
