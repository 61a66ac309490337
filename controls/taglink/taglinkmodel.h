#pragma once

#include "taglink/plantapi.h"
#include "taglink/tagtable.h"
#include "taglink/writebuffer.h"

#include <QObject>
#include <QString>
#include <QVariant>

namespace automation {
class PropertyBag;
}

namespace taglink {

// Everything the tag-link control knows and does: the tag table with its
// cached values, the link to the product (open, close, reads through
// notifications, direct and buffered writes), the product timer and the
// events.  No widgets: the control's widget only draws an icon over it.
class TaglinkModel : public QObject
{
    Q_OBJECT
    Q_PROPERTY(qint16 LoginID READ loginId WRITE setLoginId)
    Q_PROPERTY(QString LoginPassword READ loginPassword WRITE setLoginPassword)
    Q_PROPERTY(bool Active READ isActive WRITE setActive)
    Q_PROPERTY(bool BufferedWriteMode READ bufferedWriteMode WRITE setBufferedWriteMode)
    Q_PROPERTY(bool TimerEnabled READ timerEnabled WRITE setTimerEnabled)
    Q_PROPERTY(qint32 TimerInterval READ timerInterval WRITE setTimerInterval)
    Q_PROPERTY(QString TagList READ tagList WRITE setTagList)
    Q_PROPERTY(qint32 PLCTagCount READ tagCount)

public:
    explicit TaglinkModel(QObject *parent = nullptr);
    ~TaglinkModel() override;

    // The product's API; the process's libvantorapi.so unless given another.
    void setApi(PlantApiPtr api);
    PlantApi *api() const { return m_api.get(); }

    // In design mode the link is never really opened.
    void setDesignMode(bool design) { m_designMode = design; }
    bool designMode() const { return m_designMode; }

    qint16 loginId() const { return m_loginId; }
    void setLoginId(qint16 id);
    QString loginPassword() const { return m_password; }
    void setLoginPassword(const QString &password);
    bool isActive() const { return m_active; }
    void setActive(bool active);
    bool bufferedWriteMode() const { return m_buffered; }
    void setBufferedWriteMode(bool buffered);
    bool timerEnabled() const { return m_timerEnabled; }
    void setTimerEnabled(bool enabled);
    qint32 timerInterval() const { return m_timerInterval; }
    void setTimerInterval(qint32 ms);
    QString tagList() const { return m_table.tagList(); }
    void setTagList(const QString &text);
    qint32 tagCount() const { return m_table.count(); }

    Q_INVOKABLE bool Open();
    Q_INVOKABLE void Close();
    Q_INVOKABLE void FlushWriteBuffer();
    Q_INVOKABLE void DisableAllPLCTagChangeEvnet();
    Q_INVOKABLE bool TagSelectDialog();
    Q_INVOKABLE void ResetAllPLCTagChangeFlag();

    // Indexed properties.  A tag is a table index (16- or 32-bit integer) or a name.
    Q_INVOKABLE QVariant PLCTagValue(const QVariant &tag);
    Q_INVOKABLE void setPLCTagValue(const QVariant &tag, const QVariant &value);
    Q_INVOKABLE QString PLCTagName(qint32 index) const;
    Q_INVOKABLE void setPLCTagName(qint32 index, const QString &name);
    Q_INVOKABLE bool PLCTagChangeFlag(qint32 index) const;
    Q_INVOKABLE void setPLCTagChangeFlag(qint32 index, bool changed);
    Q_INVOKABLE bool EnablePLCTagChangeEvent(qint32 index) const;
    Q_INVOKABLE void setEnablePLCTagChangeEvent(qint32 index, bool enabled);

    // Starts the API, shows the product's tag selection and stops the API;
    // true with the chosen names (CR LF separated) when the user confirmed.
    bool selectTags(QString *list);

    // State for hosts and tests.
    bool isOpened() const { return m_opened; }
    int capacity() const { return m_table.capacity(); }
    int pendingWrites() const { return m_buffer.size(); }
    // The plant's answer to the last write sent (a flush of the buffer or an
    // unbuffered write): 0 = taken, negative = the plant could not be
    // reached, positive = items were refused.
    int lastWriteResult() const { return m_lastWriteResult; }
    qint32 generation() const { return m_generation; }
    qint32 tagId(int index) const;

    void saveProperties(automation::PropertyBag &bag) const;
    bool loadProperties(const automation::PropertyBag &bag);

signals:
    void PLCTagChange();
    void Timer();
    void Alarm();

private:
    static void onNotification(void *control, int32_t generation, int32_t count, const void *items);
    static void onAlarm(void *control);
    static void onTimer(void *control, int32_t timerId);
    void handleNotification(int32_t generation, int32_t count, const void *items);
    void linkLost();

    int indexOfTag(const QVariant &tag);
    bool valueBytes(const TagRecord &record, const QVariant &value, QByteArray *bytes) const;
    void stopTimer();

    PlantApiPtr m_api;
    TagTable m_table;
    WriteBuffer m_buffer;

    qint16 m_loginId = 0;
    QString m_password;
    QByteArray m_passwordBytes;
    bool m_active = false;
    bool m_buffered = false;
    bool m_timerEnabled = false;
    qint32 m_timerInterval = 0;

    bool m_designMode = false;
    bool m_opened = false;
    bool m_initialRead = false;
    qint32 m_generation = 0;
    qint32 m_lastWriteResult = 0;
    qint32 m_subscription = -1;
    qint32 m_alarmSubscription = -1;
    qint32 m_timerId = 0;
};

} // namespace taglink
