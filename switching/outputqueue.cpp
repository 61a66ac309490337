#include "switching/outputqueue.h"

#include "switching/switchingtexts.h"
#include "store/catalogue.h"
#include "store/database.h"
#include "store/logging.h"
#include "store/recordset.h"
#include "store/tracelog.h"
#include "store/valuetext.h"

namespace switching {

OutputQueue::OutputQueue(const QString &databasePath, TagWriter writer, QObject *parent)
    : QObject(parent)
    , m_databasePath(databasePath)
    , m_writer(std::move(writer))
{
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &OutputQueue::step);
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
    store::WriteTraceLog(message, QString::number(m_current.group), m_traceIndex);
}

void OutputQueue::enqueue(int group, bool on, const QString &mode)
{
    m_requests.enqueue({group, on, mode});
    if (!m_busy) {
        m_busy = true;
        scheduleNext(0);
    }
}

void OutputQueue::scheduleNext(int msecs)
{
    m_timer.start(msecs);
}

// One turn: the next tag of the current request, or the next request.
void OutputQueue::step()
{
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
    store::Recordset rs = db.openRecordset(store::sql::selectGroupTags(m_current.group));
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
    const float value = m_current.on ? tag.startValue : tag.endValue;
    const QString item = tag.tag.trimmed() + QStringLiteral("$VALUE");
    if (!m_writer(item, value))
        store::WriteTraceLog(QStringLiteral("Fix_output タグ書込み失敗"), item, m_traceIndex);

    QString action;
    if (m_current.on)
        action = value == 1.0f ? texts::ActionStart : value == 0.0f ? QString() : texts::ActionSet;
    else
        action = value == 0.0f ? texts::ActionEnd : texts::ActionSet;
    if (action.isEmpty())
        return;
    store::WriteOpLog(tag.tag, tag.kikiName, action, m_current.mode,
                      action == texts::ActionSet ? store::setValueText(value) : QString());
}

} // namespace switching
