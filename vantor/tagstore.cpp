#include "tagstore.h"

#include "csvtext.h"
#include "protocol.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cmath>
#include <cstring>

namespace vantor {
namespace {

bool isCp932LeadByte(uchar b)
{
    return (b >= 0x81 && b <= 0x9f) || (b >= 0xe0 && b <= 0xfc);
}

QString shortestNumber(double v)
{
    // A value that came from a single-precision float reads best in that precision.
    char buf[64];
    const float f = float(v);
    const auto r = std::isfinite(v) && double(f) == v ? std::to_chars(buf, buf + sizeof buf, f)
                                                     : std::to_chars(buf, buf + sizeof buf, v);
    return QString::fromLatin1(buf, int(r.ptr - buf));
}

} // namespace

QByteArray TagStore::toText16(const QString &text)
{
    QByteArray bytes = platform::toCp932(text);
    // Cut at a character boundary so that no half character is stored.
    int keep = 0;
    for (int i = 0; i < bytes.size();) {
        const int width = isCp932LeadByte(uchar(bytes.at(i))) ? 2 : 1;
        if (i + width > protocol::TextBytes)
            break;
        i += width;
        keep = i;
    }
    bytes.truncate(keep);
    bytes.append(QByteArray(protocol::TextBytes - bytes.size(), '\0'));
    return bytes;
}

QString TagStore::fromText16(const QByteArray &bytes)
{
    const int end = bytes.indexOf('\0');
    return platform::fromCp932(end < 0 ? bytes : bytes.left(end));
}

bool TagStore::loadCsv(const QString &path, QStringList *problems)
{
    QByteArray bytes;
    QString why;
    switch (platform::readFileBytes(path, &bytes, &why)) {
    case platform::ReadStatus::Read:
        return parseCsv(bytes, QStringLiteral("tags.csv"), problems);
    case platform::ReadStatus::Missing:
        break;
    case platform::ReadStatus::NotRegular:
        // A pipe or a folder in its place: refused rather than served empty,
        // which would also drop the saved values at the next save.
        if (problems)
            problems->append(QStringLiteral("tags.csv: not a regular file; the file is refused"));
        return false;
    case platform::ReadStatus::Failed:
        break;
    }
    m_tags.clear();
    m_byName.clear();
    return true;
}

bool TagStore::parseCsv(const QByteArray &bytes, const QString &fileLabel, QStringList *problems)
{
    m_tags.clear();
    m_byName.clear();
    const QStringList lines = csvtext::lines(platform::decodeText(bytes));
    auto report = [&](int lineNo, const QString &why) {
        if (problems)
            problems->append(QStringLiteral("%1:%2: %3").arg(fileLabel).arg(lineNo).arg(why));
    };
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const QString &line = lines.at(i);
        const int lineNo = i + 1;
        if (line.trimmed().isEmpty())
            continue;
        QStringList f;
        const bool split = csvtext::fields(line, &f);
        if (!headerSeen) {
            // Without the header the columns' meaning is unknown: the whole
            // file is refused rather than served half-understood.
            if (!split || f.join(QLatin1Char(',')).compare(QLatin1String(Header), Qt::CaseInsensitive) != 0) {
                report(lineNo, QStringLiteral("the header is %1, expected \"%2\"; the file is refused")
                                   .arg(csvtext::quoted(line), QLatin1String(Header)));
                return false;
            }
            headerSeen = true;
            continue;
        }
        if (!split) {
            report(lineNo, QStringLiteral("unterminated quote"));
            continue;
        }
        if (f.size() < 2 || f.size() > 4) {
            report(lineNo, QStringLiteral("expected name,type,value,comment"));
            continue;
        }
        Tag tag;
        tag.name = f.at(0);
        if (tag.name.isEmpty()) {
            report(lineNo, QStringLiteral("empty tag name"));
            continue;
        }
        if (tag.name.contains(QLatin1Char('$'))) {
            report(lineNo, QStringLiteral("tag name %1 contains '$'").arg(csvtext::quoted(tag.name)));
            continue;
        }
        if (m_byName.contains(tag.name)) {
            report(lineNo, QStringLiteral("duplicate tag name %1").arg(csvtext::quoted(tag.name)));
            continue;
        }
        const QString type = f.at(1).toLower();
        const QString value = f.value(2);
        if (type == QLatin1String("number")) {
            bool ok = true;
            tag.number = value.isEmpty() ? 0.0 : value.toDouble(&ok);
            if (!ok) {
                report(lineNo, QStringLiteral("%1 is not a number").arg(csvtext::quoted(value)));
                continue;
            }
        } else if (type == QLatin1String("text")) {
            tag.isText = true;
        } else {
            report(lineNo, QStringLiteral("unknown type %1 (number or text)").arg(csvtext::quoted(f.at(1))));
            continue;
        }
        tag.text = toText16(tag.isText ? value : QString());
        tag.comment = f.value(3);
        m_byName.insert(tag.name, int(m_tags.size()));
        m_tags.append(tag);
    }
    return true;
}

int TagStore::indexOfName(const QString &name) const
{
    const auto it = m_byName.constFind(name);
    if (it != m_byName.constEnd())
        return it.value();
    for (int i = 0; i < m_tags.size(); ++i) {
        if (m_tags.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

qint32 TagStore::valueId(int index) const
{
    return protocol::makeId(index, false, m_tags.at(index).isText);
}

qint32 TagStore::resolve(const QByteArray &itemName, quint8 *type) const
{
    QString name = platform::fromCp932(itemName).trimmed();
    bool comment = false;
    const QLatin1String valueSuffix("$VALUE"), commentSuffix("$CMT");
    if (name.endsWith(valueSuffix, Qt::CaseInsensitive)) {
        name.chop(valueSuffix.size());
    } else if (name.endsWith(commentSuffix, Qt::CaseInsensitive)) {
        name.chop(commentSuffix.size());
        comment = true;
    }
    const int index = name.contains(QLatin1Char('$')) ? -1 : indexOfName(name);
    if (index < 0) {
        if (type)
            *type = protocol::TypeNumber;
        return -1;
    }
    const bool text = comment || m_tags.at(index).isText;
    if (type)
        *type = text ? protocol::TypeText : protocol::TypeNumber;
    return protocol::makeId(index, comment, text);
}

bool TagStore::isValidId(qint32 id) const
{
    if (id < 4)
        return false;
    const int index = (id >> 2) - 1;
    if (index >= m_tags.size())
        return false;
    const bool comment = id & 2;
    return protocol::idIsText(id) == (comment || m_tags.at(index).isText);
}

QByteArray TagStore::read(qint32 id) const
{
    if (!isValidId(id))
        return {};
    const Tag &t = m_tags.at((id >> 2) - 1);
    if (id & 2)
        return toText16(t.comment);
    if (t.isText)
        return t.text;
    QByteArray bytes(protocol::NumberBytes, '\0');
    std::memcpy(bytes.data(), &t.number, sizeof(double));
    return bytes;
}

bool TagStore::write(qint32 id, const QByteArray &bytes, bool *changed)
{
    *changed = false;
    if (!isValidId(id) || bytes.size() != protocol::valueBytesOf(id))
        return false;
    Tag &t = m_tags[(id >> 2) - 1];
    if (id & 2) {
        const QString comment = fromText16(bytes);
        *changed = comment != t.comment;
        t.comment = comment;
    } else if (t.isText) {
        *changed = bytes != t.text;
        t.text = bytes;
    } else {
        double v = 0;
        std::memcpy(&v, bytes.constData(), sizeof(double));
        // Compare bit patterns, so that NaN to NaN is no change and 0 to -0 is.
        *changed = std::memcmp(&v, &t.number, sizeof(double)) != 0;
        t.number = v;
    }
    return true;
}

QString TagStore::itemLabel(qint32 id) const
{
    if (!isValidId(id))
        return QStringLiteral("#%1").arg(id);
    const Tag &t = m_tags.at((id >> 2) - 1);
    return (id & 2) ? t.name + QStringLiteral("$CMT") : t.name;
}

QString TagStore::valueText(qint32 id, const QByteArray &bytes) const
{
    if (protocol::idIsText(id))
        return fromText16(bytes);
    double v = 0;
    if (bytes.size() == protocol::NumberBytes)
        std::memcpy(&v, bytes.constData(), sizeof(double));
    return shortestNumber(v);
}

QString TagStore::numberText(double v)
{
    return shortestNumber(v);
}

QByteArray TagStore::saveState() const
{
    QJsonObject tags;
    for (const Tag &t : m_tags) {
        QJsonObject o;
        if (t.isText)
            o.insert(QStringLiteral("text"), QString::fromLatin1(t.text.toHex()));
        else if (std::isfinite(t.number))
            o.insert(QStringLiteral("number"), t.number);
        else
            o.insert(QStringLiteral("bits"), QString::fromLatin1(QByteArray(reinterpret_cast<const char *>(&t.number), 8).toHex()));
        o.insert(QStringLiteral("comment"), t.comment);
        tags.insert(t.name, o);
    }
    QJsonObject root;
    root.insert(QStringLiteral("version"), 1);
    root.insert(QStringLiteral("tags"), tags);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool TagStore::loadState(const QByteArray &json)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return false;
    const QJsonObject tags = doc.object().value(QStringLiteral("tags")).toObject();
    for (Tag &t : m_tags) {
        const QJsonObject o = tags.value(t.name).toObject();
        if (o.isEmpty())
            continue;
        if (t.isText && o.contains(QStringLiteral("text"))) {
            const QByteArray bytes = QByteArray::fromHex(o.value(QStringLiteral("text")).toString().toLatin1());
            if (bytes.size() == protocol::TextBytes)
                t.text = bytes;
        } else if (!t.isText && o.contains(QStringLiteral("number"))) {
            t.number = o.value(QStringLiteral("number")).toDouble();
        } else if (!t.isText && o.contains(QStringLiteral("bits"))) {
            const QByteArray bytes = QByteArray::fromHex(o.value(QStringLiteral("bits")).toString().toLatin1());
            if (bytes.size() == 8)
                std::memcpy(&t.number, bytes.constData(), 8);
        }
        if (o.contains(QStringLiteral("comment")))
            t.comment = o.value(QStringLiteral("comment")).toString();
    }
    return true;
}

} // namespace vantor
