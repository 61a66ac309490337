#include "taglink/taglinkmodel.h"

#include "taglink/diagnosticlog.h"
#include "taglink/vantorlibrary.h"

#include "automation/propertybag.h"
#include "automation/variantconventions.h"
#include "platform/textcodec.h"

#include <QRegularExpression>

#include <cmath>
#include <cstddef>
#include <cstring>
#include <vector>

namespace taglink {
namespace {

// A tag as the product's resolve and subscribe operations see it.
struct ApiTag
{
    const char *name;
    qint32 id;
    quint8 valueType;
    quint8 kind;
    quint8 reserved[2];
};

constexpr qint32 None = -1;

bool isCp932LeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}

// The text in the product's code page, cut to 16 bytes without splitting a
// character, zero padded.
QByteArray toText16(const QString &text)
{
    QByteArray bytes = platform::toCp932(text);
    int keep = 0;
    for (int i = 0; i < bytes.size();) {
        const int width = isCp932LeadByte(uchar(bytes.at(i))) ? 2 : 1;
        if (i + width > TextValueBytes)
            break;
        i += width;
        keep = i;
    }
    bytes.truncate(keep);
    bytes.append(QByteArray(TextValueBytes - bytes.size(), '\0'));
    return bytes;
}

QString fromText16(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return platform::fromCp932(end < 0 ? bytes : bytes.left(end));
}

QByteArray numberBytes(double v)
{
    return QByteArray(reinterpret_cast<const char *>(&v), sizeof v);
}

// A text written to a number tag: a decimal number ("12", "-3.5", ".5",
// "1e3"), blanks around it allowed.  Anything else, "inf" and "nan" among
// them, is no value to send to equipment.
bool parseDecimal(const QString &text, double *value)
{
    static const QRegularExpression decimal(
        QStringLiteral("^[+-]?(?:[0-9]+(?:\\.[0-9]*)?|\\.[0-9]+)(?:[eE][+-]?[0-9]+)?$"));
    const QString t = text.trimmed();
    if (!decimal.match(t).hasMatch())
        return false;
    bool ok = false;
    const double v = t.toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return false;
    *value = v;
    return true;
}

// A direct write changes the cached text when it differs in the first 14
// characters (bytes of the product's code page, up to the end of the text).
bool textDiffers(const QByteArray &cached, const QByteArray &written)
{
    return qstrncmp(cached.constData(), written.constData(), 14) != 0;
}

} // namespace

TaglinkModel::TaglinkModel(QObject *parent)
    : QObject(parent)
{
}

TaglinkModel::~TaglinkModel()
{
    stopTimer();
    Close();
}

void TaglinkModel::setApi(PlantApiPtr api)
{
    Close();
    m_api = std::move(api);
}

qint32 TaglinkModel::tagId(int index) const
{
    return index >= 0 && index < m_table.capacity() ? m_table.at(index).id : -1;
}

void TaglinkModel::setLoginId(qint16 id)
{
    Close();
    m_loginId = id;
}

void TaglinkModel::setLoginPassword(const QString &password)
{
    Close();
    m_password = password;
    m_passwordBytes = platform::toCp932(password);
}

void TaglinkModel::setActive(bool active)
{
    if (active)
        Open();
    else
        Close();
}

void TaglinkModel::setBufferedWriteMode(bool buffered)
{
    m_buffered = buffered;
    FlushWriteBuffer();
}

void TaglinkModel::setTimerEnabled(bool enabled)
{
    if (!enabled) {
        stopTimer();
        m_timerEnabled = false;
        return;
    }
    m_timerEnabled = true;
    if (m_designMode || m_timerId != 0 || m_timerInterval <= 0)
        return;
    if (!m_api)
        m_api = VantorLibrary::instance();
    m_timerId = m_api->timerStart(this, m_timerInterval, &TaglinkModel::onTimer);
    if (m_timerId == 0)
        m_timerEnabled = false;
}

void TaglinkModel::setTimerInterval(qint32 ms)
{
    m_timerInterval = qMax(0, ms);
}

void TaglinkModel::stopTimer()
{
    if (m_timerId != 0 && m_api)
        m_api->timerStop(m_timerId);
    m_timerId = 0;
}

void TaglinkModel::setTagList(const QString &text)
{
    Close();
    m_table.setTagList(text);
}

bool TaglinkModel::Open()
{
    m_table.clearNameIndex();
    if (m_designMode) {
        m_active = true;
        return true;
    }
    if (!m_opened) {
        const int n = m_table.count();
        if (n == 0)
            return false;
        if (!m_api)
            m_api = VantorLibrary::instance();
        if (!m_api->start())
            return false;

        std::vector<QByteArray> names(static_cast<size_t>(n));
        std::vector<ApiTag> tags(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            names[size_t(i)] = platform::toCp932(m_table.at(i).name);
            tags[size_t(i)] = ApiTag{names[size_t(i)].constData(), -1, 0, 0, {0, 0}};
        }
        if (!m_api->resolveTags(n, tags.data(), sizeof(ApiTag), offsetof(ApiTag, name), offsetof(ApiTag, id),
                                offsetof(ApiTag, valueType), offsetof(ApiTag, kind))) {
            m_api->stop();
            return false;
        }
        QList<TagRecord> opened;
        for (int i = 0; i < n; ++i) {
            TagRecord &r = m_table.at(i);
            r.id = tags[size_t(i)].id;
            r.valueType = tags[size_t(i)].valueType;
            opened.append(r);
        }
        DiagnosticLog::writeOpening(opened);

        for (int i = 0; i < n; ++i) {
            TagRecord &r = m_table.at(i);
            r.number = NotReadable;
            r.text.fill('\0', TextValueBytes);
        }

        m_initialRead = true;
        m_subscription = m_api->subscribe(m_loginId, m_passwordBytes.constData(), 3, &TaglinkModel::onNotification,
                                          this, m_generation, sizeof(ApiTag), offsetof(ApiTag, id), n, tags.data());
        if (m_subscription < 0) {
            m_subscription = None;
            m_initialRead = false;
            m_api->stop();
            return false;
        }
        m_alarmSubscription = m_api->alarmSubscribe(0, &TaglinkModel::onAlarm, this, 0);

        std::vector<VantorReadItem> items(static_cast<size_t>(n));
        std::memset(items.data(), 0, items.size() * sizeof(VantorReadItem));
        for (int i = 0; i < n; ++i)
            items[size_t(i)].id = m_table.at(i).id;
        std::vector<unsigned char> work(static_cast<size_t>(n) * 32 + 64);
        if (m_api->read(m_loginId, m_passwordBytes.constData(), n, items.data(), work.data()) == 0) {
            for (int i = 0; i < n; ++i) {
                const VantorReadItem &item = items[size_t(i)];
                TagRecord &r = m_table.at(i);
                switch (item.status) {
                case VANTOR_STATUS_UNREADABLE:
                    break;
                case VANTOR_STATUS_BYTE:
                    r.number = double(item.value[0]);
                    break;
                case VANTOR_STATUS_TEXT:
                    r.text = QByteArray(reinterpret_cast<const char *>(item.value), TextValueBytes);
                    break;
                default:
                    std::memcpy(&r.number, item.value, sizeof(double));
                    break;
                }
            }
        }
        for (int i = 0; i < n; ++i)
            m_table.at(i).changed = 1;
        m_initialRead = false;
        m_opened = true;
    }
    m_active = true;
    emit PLCTagChange();
    return true;
}

void TaglinkModel::Close()
{
    m_table.clearNameIndex();
    m_active = false;
    if (m_designMode || !m_opened)
        return;
    ++m_generation;
    m_api->unsubscribe(m_subscription);
    m_subscription = None;
    m_api->alarmUnsubscribe(m_alarmSubscription);
    m_alarmSubscription = None;
    m_api->stop();
    m_opened = false;
}

void TaglinkModel::FlushWriteBuffer()
{
    // Writes made before a Close wait for the flush after the next Open.
    if (m_buffer.isEmpty() || !m_opened || !m_api)
        return;
    // Writes that failed are not sent again later, when they would switch
    // equipment at the wrong moment; the host reads the answer from
    // lastWriteResult() and decides.
    m_lastWriteResult = m_api->write(m_loginId, m_passwordBytes.constData(), 0, m_buffer.size(),
                                     int(m_buffer.values().size()), m_buffer.ids().constData(),
                                     m_buffer.values().constData());
    m_buffer.clear();
    if (m_lastWriteResult < 0)
        linkLost();
}

void TaglinkModel::linkLost()
{
    // The product's connection ended under the open link, and with it the
    // ids and the subscription: the link closes (Active False) and the host
    // hears it through PLCTagChange.  Opening again resolves the names anew.
    if (!m_opened)
        return;
    Close();
    emit PLCTagChange();
}

void TaglinkModel::DisableAllPLCTagChangeEvnet()
{
    for (int i = 0; i < m_table.capacity(); ++i)
        m_table.at(i).eventEnabled = 0;
}

void TaglinkModel::ResetAllPLCTagChangeFlag()
{
    for (int i = 0; i < m_table.capacity(); ++i)
        m_table.at(i).changed = 0;
}

bool TaglinkModel::selectTags(QString *list)
{
    if (!m_api)
        m_api = VantorLibrary::instance();
    if (!m_api->start())
        return false;
    QByteArray buffer(65536, '\0');
    const bool confirmed = m_api->tagDialog(buffer.data(), int(buffer.size())) != 0;
    m_api->stop();
    if (confirmed && list)
        *list = platform::fromCp932(buffer.left(buffer.indexOf('\0')));
    return confirmed;
}

bool TaglinkModel::TagSelectDialog()
{
    QString list;
    if (!selectTags(&list))
        return false;
    setTagList(list);
    return true;
}

int TaglinkModel::indexOfTag(const QVariant &tag)
{
    switch (tag.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
        return tag.toInt();
    case QMetaType::QString:
        return m_table.indexOf(tag.toString());
    default:
        return -1;
    }
}

QVariant TaglinkModel::PLCTagValue(const QVariant &tag)
{
    if (!m_active)
        return {};
    const int index = indexOfTag(tag);
    if (index < 0 || index >= m_table.count())
        return {};
    TagRecord &r = m_table.at(index);
    r.changed = 0;
    if (r.isText())
        return fromText16(r.text);
    return r.number;
}

bool TaglinkModel::valueBytes(const TagRecord &record, const QVariant &value, QByteArray *bytes) const
{
    if (record.isText()) {
        if (value.typeId() != QMetaType::QString)
            return false;
        *bytes = toText16(value.toString());
        return true;
    }
    switch (value.typeId()) {
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Float:
    case QMetaType::Double:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        *bytes = numberBytes(value.toDouble());
        return true;
    case QMetaType::QString: {
        // A text that is no decimal number is refused rather than written as 0.
        double v = 0;
        if (!parseDecimal(value.toString(), &v))
            return false;
        *bytes = numberBytes(v);
        return true;
    }
    default:
        return false;
    }
}

void TaglinkModel::setPLCTagValue(const QVariant &tag, const QVariant &value)
{
    if (!m_active || !m_opened)
        return;
    const int index = indexOfTag(tag);
    if (index < 0 || index >= m_table.count())
        return;
    TagRecord &r = m_table.at(index);
    if (r.id < 0)
        return;
    QByteArray bytes;
    if (!valueBytes(r, value, &bytes))
        return;
    if (m_buffered) {
        if (!m_buffer.append(r.id, bytes))
            return;
        if (m_buffer.isFull())
            FlushWriteBuffer();
        return;
    }
    const qint32 id = r.id;
    m_lastWriteResult = m_api->write(m_loginId, m_passwordBytes.constData(), 0, 1, int(bytes.size()), &id,
                                     bytes.constData());
    if (m_lastWriteResult < 0)
        linkLost();
    if (m_lastWriteResult != 0)
        return;
    if (r.isText()) {
        if (textDiffers(r.text, bytes)) {
            r.text = bytes;
            r.changed = 1;
        }
    } else {
        double v = 0;
        std::memcpy(&v, bytes.constData(), sizeof v);
        if (std::memcmp(&v, &r.number, sizeof v) != 0) {
            r.number = v;
            r.changed = 1;
        }
    }
}

QString TaglinkModel::PLCTagName(qint32 index) const
{
    if (index < 0 || index >= m_table.capacity())
        return {};
    return m_table.at(index).name;
}

void TaglinkModel::setPLCTagName(qint32 index, const QString &name)
{
    if (index < 0)
        return;
    Close();
    m_table.setName(index, name);
}

bool TaglinkModel::PLCTagChangeFlag(qint32 index) const
{
    return index >= 0 && index < m_table.count() && m_table.at(index).changed;
}

void TaglinkModel::setPLCTagChangeFlag(qint32 index, bool changed)
{
    if (index >= 0 && index < m_table.count())
        m_table.at(index).changed = changed ? 1 : 0;
}

bool TaglinkModel::EnablePLCTagChangeEvent(qint32 index) const
{
    return index >= 0 && index < m_table.count() && m_table.at(index).eventEnabled;
}

void TaglinkModel::setEnablePLCTagChangeEvent(qint32 index, bool enabled)
{
    if (index >= 0 && index < m_table.count())
        m_table.at(index).eventEnabled = enabled ? 1 : 0;
}

void TaglinkModel::onNotification(void *control, int32_t generation, int32_t count, const void *items)
{
    static_cast<TaglinkModel *>(control)->handleNotification(generation, count, items);
}

void TaglinkModel::onAlarm(void *control)
{
    emit static_cast<TaglinkModel *>(control)->Alarm();
}

void TaglinkModel::onTimer(void *control, int32_t)
{
    emit static_cast<TaglinkModel *>(control)->Timer();
}

void TaglinkModel::handleNotification(int32_t generation, int32_t count, const void *items)
{
    if (count == VANTOR_SUBSCRIPTION_LOST && generation == m_generation) {
        linkLost();
        return;
    }
    if (generation != m_generation || !m_active || !items)
        return;
    const auto *p = static_cast<const char *>(items);
    const int n = m_table.count();
    bool raise = false;
    for (int i = 0; i < count; ++i) {
        quint32 word = 0;
        std::memcpy(&word, p, 4);
        p += 4;
        const bool text = word & 0x80000000u;
        const int index = int(word & 0x7fffffffu);
        const char *value = p;
        p += text ? TextValueBytes : 8;
        if (index >= n)
            continue;
        TagRecord &r = m_table.at(index);
        if (text != r.isText())
            continue;
        bool changed = false;
        if (text) {
            if (std::memcmp(r.text.constData(), value, TextValueBytes) != 0) {
                r.text = QByteArray(value, TextValueBytes);
                changed = true;
            }
        } else if (std::memcmp(&r.number, value, 8) != 0) {
            std::memcpy(&r.number, value, 8);
            changed = true;
        }
        if (changed) {
            r.changed = 1;
            if (r.eventEnabled)
                raise = true;
        }
    }
    if (raise && !m_initialRead)
        emit PLCTagChange();
}

void TaglinkModel::saveProperties(automation::PropertyBag &bag) const
{
    bag.setVersion(1, 0);
    bag.write(QStringLiteral("LOGINID"), m_loginId);
    bag.write(QStringLiteral("LOGINPASSWORD"), m_password);
    bag.write(QStringLiteral("ACTIVE"), automation::toVariantBool(m_active));
    bag.write(QStringLiteral("BUFFEREDWIREMODE"), automation::toVariantBool(m_buffered));
    bag.write(QStringLiteral("TIMERENABLED"), automation::toVariantBool(m_timerEnabled));
    bag.write(QStringLiteral("TIMERINTERVAL"), m_timerInterval);
    bag.write(QStringLiteral("TAGLIST"), tagList());
}

bool TaglinkModel::loadProperties(const automation::PropertyBag &bag)
{
    setLoginId(qint16(bag.read(QStringLiteral("LOGINID"), 0).toInt()));
    setLoginPassword(bag.read(QStringLiteral("LOGINPASSWORD"), QString()).toString());
    setBufferedWriteMode(automation::fromVariantBool(bag.read(QStringLiteral("BUFFEREDWIREMODE"), 0)));
    setTimerInterval(bag.read(QStringLiteral("TIMERINTERVAL"), 0).toInt());
    setTagList(bag.read(QStringLiteral("TAGLIST"), QString()).toString());
    setTimerEnabled(automation::fromVariantBool(bag.read(QStringLiteral("TIMERENABLED"), 0)));
    if (automation::fromVariantBool(bag.read(QStringLiteral("ACTIVE"), 0)))
        Open();
    return true;
}

} // namespace taglink
