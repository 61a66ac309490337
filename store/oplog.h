#pragma once

#include "store/tracelog.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>

namespace store {

class Settings;

// The operation log: one CSV record per operation that changed the plant or
// the settings, in "<LOG DIR>/SCHLOGyyyymmdd.CSV", CP932 with CR LF, six fields
// each between double quotes, no header:
//   time "yyyy/m/d  hh:nn:ss", "操作", subject, object, action, origin text
// where the origin text is "スケジュール(<origin>)", and for the action "設定"
// "スケジュール(<origin>) <value>に設定".
//
// The log is on when LOG FLG is 1 and LOG DIR is not empty; both are read once
// (fromSettings at program start).  Writing never fails towards the caller: a
// record that cannot be written becomes one trace entry
// "操作ログ出力エラー：エラーNO<n>:<description>" with the subject as value and
// index 999.  Each record is one append (open, one write, close).
class OpLog
{
public:
    // A log that is off.
    OpLog() = default;
    OpLog(bool enabled, const QString &folder, const TraceLog &trace = TraceLog());
    // LOG FLG and LOG DIR of the settings, read now.
    static OpLog fromSettings(const Settings &settings, const TraceLog &trace = TraceLog());

    // On, with a folder.
    bool isActive() const { return m_enabled && !m_folder.trimmed().isEmpty(); }
    QString folder() const { return m_folder; }
    const TraceLog &trace() const { return m_trace; }

    // One record.  setValue is the value that was set, used only when the
    // action is "設定" (see setValueText()).  A note (for example "書込失敗")
    // ends the origin field after a blank.
    void write(const QString &subject, const QString &object, const QString &action, const QString &origin,
               const QString &setValue = QString(), const QString &note = QString()) const noexcept;

    QString filePath(const QDate &date) const;
    // "SCHLOG20261206.CSV"
    static QString fileName(const QDate &date);
    // The bytes of one record (CP932, CR LF).
    static QByteArray record(const QDateTime &when, const QString &subject, const QString &object,
                             const QString &action, const QString &origin, const QString &setValue = QString(),
                             const QString &note = QString());
    // The trace message of a failed record, from a system error number.
    static QString failureMessage(int systemErrorNumber);

private:
    bool m_enabled = false;
    QString m_folder;
    TraceLog m_trace;
};

} // namespace store
