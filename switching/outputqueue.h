#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QObject>
#include <QQueue>
#include <QString>
#include <QTimer>
#include <QVector>

#include <functional>

namespace switching {

// One output request: write the start values (on) or the end values of every
// tag of a group; mode is the origin the operation log records ("自動" for a
// chart event, "起動" for the catch-up at start, "手動" for the console).
struct OutputRequest
{
    int group = 0;
    bool on = false;
    QString mode;
};

// Fix_output, one request after the other.  Requests are queued and worked
// off by the event loop, one tag per turn, so the form stays responsive and
// an output can never start inside another: every group's writes complete, in
// the order the requests came.  The write pause after each tag (MENTE TIMER)
// is a timer, never a sleep.
//
// A group's tags are read from KikiTable when its turn comes, on a connection
// that is closed before the first tag is written.  Each tag is one write
// through the tag writer (the tag link's open-write-flush-close cycle),
// followed by its operation-log record:
//   on:  value 1 "開始", value 0 no record, other values "設定" with the value;
//   off: value 0 "終了", other values "設定" with the value.
// A row with an empty TAG writes nothing but is still followed by the pause.
//
// A write that the plant refused or never received keeps its record, which
// then ends in "書込失敗" (so operators never read it as a switched device),
// and a trace entry.  The write is tried again after the retry delays (by
// default 5, 15 and 30 seconds after the failure), by timers, as a turn of
// its own between the tags of other requests; a retry that succeeds writes
// the usual record, one that fails only a trace entry.  Retries of a group
// are dropped as soon as a later output of the same group is queued: the
// equipment then follows that output, never an older one.
class OutputQueue : public QObject
{
    Q_OBJECT
public:
    // Writes one value item ("<tag>$VALUE"); false when the write did not
    // reach the plant or the plant refused it.
    using TagWriter = std::function<bool(const QString &valueItem, float value)>;

    OutputQueue(const QString &databasePath, TagWriter writer, QObject *parent = nullptr);

    // The program named in trace entries and the index they carry (the
    // runner's by default).
    void setTraceIdentity(const QString &source, qint16 index);

    void setWritePause(int msecs) { m_pauseMs = qMax(0, msecs); }
    int writePause() const { return m_pauseMs; }

    // When a failed write is tried again, in milliseconds after the failure,
    // ascending; empty = never.
    void setRetryDelays(const QList<int> &msecs) { m_retryDelays = msecs; }
    QList<int> retryDelays() const { return m_retryDelays; }

    // Fix_output: queues the request; the writes start at the next turn of
    // the event loop.
    void enqueue(int group, bool on, const QString &mode);

    bool isIdle() const { return !m_busy && m_requests.isEmpty(); }
    int pendingRequests() const { return int(m_requests.size()); }
    // Failed writes still waiting for a retry.
    int pendingRetries() const { return int(m_retries.size()); }

    // The note that ends the record of a failed write.
    static QString failedNote();

signals:
    // Every queued request, and every retry that was due, has been worked off.
    void drained();

private:
    struct Tag
    {
        QString tag;
        QString kikiName;
        float startValue = 0;
        float endValue = 0;
    };
    struct Queued
    {
        OutputRequest request;
        quint64 generation = 0; // the group's output count when it was queued
    };
    struct Retry
    {
        Queued origin;
        Tag tag;
        qint64 firstFailureMs = 0; // on m_since
        int attempt = 0;           // retries done so far
    };

    void scheduleNext(int msecs);
    void step();
    bool beginRequest();
    void writeTag(const Tag &tag);
    // Writes one tag of a request and logs it; false when the write failed.
    bool writeAndLog(const Queued &queued, const Tag &tag, bool firstAttempt);
    bool takeDueRetry(Retry *retry);
    void armRetryTimer();
    void onRetryTimer();
    bool isStale(const Queued &queued) const;

    void traceDatabaseError(const QString &description) const;

    QString m_databasePath;
    QString m_traceSource = QStringLiteral("Schedule");
    qint16 m_traceIndex = 999;
    TagWriter m_writer;
    int m_pauseMs = 0;
    QList<int> m_retryDelays{5000, 15000, 30000};
    QQueue<Queued> m_requests;
    Queued m_current;
    QVector<Tag> m_tags;
    int m_nextTag = 0;
    bool m_busy = false;   // a request or a retry is being worked off
    bool m_inRequest = false;
    QTimer m_timer;
    QHash<int, quint64> m_generations; // outputs queued so far, by group
    QList<Retry> m_retries;
    QTimer m_retryTimer;
    QElapsedTimer m_since;
};

} // namespace switching
