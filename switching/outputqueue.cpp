#include "switching/outputqueue.h"

#include "switching/switchingtexts.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/recordset.h"
#include "store/tracelog.h"
#include "store/valuetext.h"

#include <algorithm>
#include <limits>

namespace switching {

OutputQueue::OutputQueue(const QString &databasePath, TagWriter writer, QObject *parent)
    : QObject(parent)
    , m_databasePath(databasePath)
    , m_writer(std::move(writer))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &OutputQueue::step);
    m_retryTimer.setSingleShot(true);
    m_retryTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_retryTimer, &QTimer::timeout, this, &OutputQueue::onRetryTimer);
    m_since.start();
}

QString OutputQueue::failedNote()
{
    return texts::WriteFailed;
}

void OutputQueue::setTraceIdentity(const QString &source, qint16 index)
{
    m_traceSource = source;
    m_traceIndex = index;
}

// "Fix_output ｴﾗｰ番号 3146<source> でｴﾗｰが発生しました。" CR "<description>"
void OutputQueue::traceDatabaseError(const QString &description) const
{
    const QString message = QStringLiteral("Fix_output ｴﾗｰ番号 ") + QString::number(texts::DatabaseErrorNumber)
        + m_traceSource + QStringLiteral(" でｴﾗｰが発生しました。") + QLatin1Char('\r') + description;
    store::WriteTraceLog(message, QString::number(m_current.request.group), m_traceIndex);
}

void OutputQueue::enqueue(int group, bool on, const QString &mode)
{
    const quint64 generation = ++m_generations[group];
    m_requests.enqueue({{group, on, mode}, generation});
    // Retries of this group's earlier outputs are replaced by this one.
    m_retries.removeIf([this](const Retry &r) { return isStale(r.origin); });
    armRetryTimer();
    if (!m_busy) {
        m_busy = true;
        scheduleNext(0);
    }
}

bool OutputQueue::isStale(const Queued &queued) const
{
    return m_generations.value(queued.request.group) != queued.generation;
}

void OutputQueue::scheduleNext(int msecs)
{
    m_timer.start(msecs);
}

// One turn: a retry that is due, else the next tag of the current request,
// else the next request.
void OutputQueue::step()
{
    Retry retry;
    if (takeDueRetry(&retry)) {
        ++retry.attempt;
        if (!writeAndLog(retry.origin, retry.tag, false) && retry.attempt < m_retryDelays.size())
            m_retries.append(retry);
        armRetryTimer();
        scheduleNext(m_pauseMs);
        return;
    }
    while (true) {
        if (!m_inRequest) {
            if (m_requests.isEmpty()) {
                m_busy = false;
                emit drained();
                return;
            }
            m_current = m_requests.dequeue();
            m_inRequest = beginRequest();
            if (!m_inRequest)
                continue; // nothing to write for this group
        }
        if (m_nextTag >= m_tags.size()) {
            m_inRequest = false;
            m_tags.clear();
            continue;
        }
        const Tag tag = m_tags.at(m_nextTag++);
        writeTag(tag);
        scheduleNext(m_pauseMs);
        return;
    }
}

bool OutputQueue::beginRequest()
{
    m_tags.clear();
    m_nextTag = 0;
    store::Database db(m_databasePath);
    if (!db.open()) {
        traceDatabaseError(db.lastError());
        return false;
    }
    store::Recordset rs = db.openRecordset(store::sql::selectGroupTags(m_current.request.group));
    if (!rs.isOpen()) {
        traceDatabaseError(db.lastError());
        return false;
    }
    db.close();
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        m_tags.append({rs.text(QStringLiteral("TAG")), rs.text(QStringLiteral("KikiName")),
                       rs.single(QStringLiteral("StartValue")), rs.single(QStringLiteral("EndValue"))});
    return !m_tags.isEmpty();
}

void OutputQueue::writeTag(const Tag &tag)
{
    if (tag.tag.isEmpty())
        return; // skipped, but the pause still follows
    if (!writeAndLog(m_current, tag, true) && !m_retryDelays.isEmpty()) {
        m_retries.append({m_current, tag, m_since.elapsed(), 0});
        armRetryTimer();
    }
}

bool OutputQueue::writeAndLog(const Queued &queued, const Tag &tag, bool firstAttempt)
{
    const OutputRequest &request = queued.request;
    const float value = request.on ? tag.startValue : tag.endValue;
    const QString item = tag.tag.trimmed() + QStringLiteral("$VALUE");
    const bool written = m_writer(item, value);
    if (!written)
        store::WriteTraceLog(firstAttempt ? QStringLiteral("Fix_output タグ書込み失敗")
                                          : QStringLiteral("Fix_output タグ書込み再試行失敗"),
                             item, m_traceIndex);
    // A retry that fails again adds nothing to the operation log: the record
    // of the first failure stands until a write succeeds.
    if (!written && !firstAttempt)
        return false;

    QString action;
    if (request.on)
        action = value == 1.0f ? texts::ActionStart : value == 0.0f ? QString() : texts::ActionSet;
    else
        action = value == 0.0f ? texts::ActionEnd : texts::ActionSet;
    if (!action.isEmpty())
        store::WriteOpLog(tag.tag, tag.kikiName, action, request.mode,
                          action == texts::ActionSet ? store::setValueText(value) : QString(),
                          written ? QString() : texts::WriteFailed);
    return written;
}

bool OutputQueue::takeDueRetry(Retry *retry)
{
    const qint64 now = m_since.elapsed();
    for (int i = 0; i < m_retries.size(); ++i) {
        const Retry &r = m_retries.at(i);
        if (r.firstFailureMs + m_retryDelays.value(r.attempt) <= now) {
            *retry = m_retries.takeAt(i);
            return true;
        }
    }
    return false;
}

void OutputQueue::armRetryTimer()
{
    if (m_retries.isEmpty()) {
        m_retryTimer.stop();
        return;
    }
    qint64 next = std::numeric_limits<qint64>::max();
    for (const Retry &r : std::as_const(m_retries))
        next = std::min(next, r.firstFailureMs + m_retryDelays.value(r.attempt));
    m_retryTimer.start(int(std::clamp<qint64>(next - m_since.elapsed(), 0, 24 * 3600 * 1000)));
}

void OutputQueue::onRetryTimer()
{
    // A busy queue takes the due retry at its next turn; an idle one starts.
    if (!m_busy) {
        m_busy = true;
        scheduleNext(0);
    }
}

} // namespace switching
