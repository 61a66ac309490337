#pragma once

#include <QObject>
#include <QQueue>
#include <QString>
#include <QTimer>
#include <QVector>

#include <functional>

namespace switching {

// One output request: write the start values (on) or the end values of every
// tag of a group; mode is the origin the operation log records ("自動" for a
// chart event, "起動" for the catch-up at start).
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
// A tag that cannot be written keeps its log record and adds a trace entry.
class OutputQueue : public QObject
{
    Q_OBJECT
public:
    // Writes one value item ("<tag>$VALUE"); false when the link could not be opened.
    using TagWriter = std::function<bool(const QString &valueItem, float value)>;

    OutputQueue(const QString &databasePath, TagWriter writer, QObject *parent = nullptr);

    // The program named in trace entries and the index they carry (the
    // runner's by default).
    void setTraceIdentity(const QString &source, qint16 index);

    void setWritePause(int msecs) { m_pauseMs = qMax(0, msecs); }
    int writePause() const { return m_pauseMs; }

    // Fix_output: queues the request; the writes start at the next turn of
    // the event loop.
    void enqueue(int group, bool on, const QString &mode);

    bool isIdle() const { return !m_busy && m_requests.isEmpty(); }
    int pendingRequests() const { return int(m_requests.size()); }

signals:
    // Every queued request has been worked off.
    void drained();

private:
    struct Tag
    {
        QString tag;
        QString kikiName;
        float startValue = 0;
        float endValue = 0;
    };

    void scheduleNext(int msecs);
    void step();
    bool beginRequest();
    void writeTag(const Tag &tag);

    void traceDatabaseError(const QString &description) const;

    QString m_databasePath;
    QString m_traceSource = QStringLiteral("Schedule");
    qint16 m_traceIndex = 999;
    TagWriter m_writer;
    int m_pauseMs = 0;
    QQueue<OutputRequest> m_requests;
    OutputRequest m_current;
    QVector<Tag> m_tags;
    int m_nextTag = 0;
    bool m_busy = false;   // a request is being worked off
    bool m_inRequest = false;
    QTimer m_timer;
};

} // namespace switching
