#include "automation/propertybag.h"

#include "platform/atomicfile.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace automation {
namespace {

// Values keep their type through the round trip: each is stored with its type name.
QJsonObject encode(const QString &name, const QVariant &value)
{
    QJsonObject o;
    o.insert(QStringLiteral("name"), name);
    o.insert(QStringLiteral("type"), QString::fromLatin1(value.metaType().name() ? value.metaType().name() : ""));
    switch (value.typeId()) {
    case QMetaType::Bool:
        o.insert(QStringLiteral("value"), value.toBool());
        break;
    case QMetaType::Double:
    case QMetaType::Float:
        o.insert(QStringLiteral("value"), value.toDouble());
        break;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
    case QMetaType::ULong:
    case QMetaType::ULongLong:
    case QMetaType::SChar:
    case QMetaType::UChar:
        o.insert(QStringLiteral("value"), value.toLongLong());
        break;
    default:
        o.insert(QStringLiteral("value"), value.toString());
        break;
    }
    return o;
}

QVariant decode(const QJsonObject &o)
{
    const QJsonValue v = o.value(QStringLiteral("value"));
    QVariant result = v.toVariant();
    const QMetaType type = QMetaType::fromName(o.value(QStringLiteral("type")).toString().toLatin1());
    if (type.isValid() && result.metaType() != type) {
        QVariant copy = result;
        if (copy.convert(type))
            result = copy;
    }
    return result;
}

} // namespace

void PropertyBag::write(const QString &name, const QVariant &value)
{
    const int i = int(m_names.indexOf(name));
    if (i >= 0) {
        m_values[i] = value;
        return;
    }
    m_names.append(name);
    m_values.append(value);
}

bool PropertyBag::contains(const QString &name) const
{
    return m_names.contains(name);
}

QVariant PropertyBag::read(const QString &name, const QVariant &defaultValue) const
{
    const int i = int(m_names.indexOf(name));
    return i >= 0 ? m_values.at(i) : defaultValue;
}

QByteArray PropertyBag::toJson() const
{
    QJsonObject root;
    root.insert(QStringLiteral("version"), QStringLiteral("%1.%2").arg(m_major).arg(m_minor));
    QJsonArray props;
    for (int i = 0; i < m_names.size(); ++i)
        props.append(encode(m_names.at(i), m_values.at(i)));
    root.insert(QStringLiteral("properties"), props);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

bool PropertyBag::fromJson(const QByteArray &json, QString *error)
{
    QJsonParseError parseError;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &parseError);
    if (doc.isNull() || !doc.isObject()) {
        if (error)
            *error = parseError.errorString();
        return false;
    }
    const QJsonObject root = doc.object();
    const QStringList version = root.value(QStringLiteral("version")).toString().split(QLatin1Char('.'));
    bool okMajor = false, okMinor = false;
    const int major = version.value(0).toInt(&okMajor);
    const int minor = version.value(1).toInt(&okMinor);
    if (!okMajor || !okMinor) {
        if (error)
            *error = QStringLiteral("no version stamp");
        return false;
    }
    PropertyBag bag(major, minor);
    for (const QJsonValue &p : root.value(QStringLiteral("properties")).toArray()) {
        const QJsonObject o = p.toObject();
        bag.write(o.value(QStringLiteral("name")).toString(), decode(o));
    }
    *this = bag;
    return true;
}

bool PropertyBag::saveToFile(const QString &path) const
{
    return platform::writeFileAtomically(path, toJson());
}

bool PropertyBag::loadFromFile(const QString &path, QString *error)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return fromJson(f.readAll(), error);
}

} // namespace automation
