#include "modbusbindings.h"

#include "csvtext.h"
#include "tagstore.h"

#include "platform/textcodec.h"
#include "platform/textfile.h"


#include <cmath>

namespace vantor {
namespace {

const QStringList RequiredColumns = {QStringLiteral("tag"),   QStringLiteral("host"),    QStringLiteral("port"),
                                     QStringLiteral("unit"),  QStringLiteral("table"),   QStringLiteral("address"),
                                     QStringLiteral("type"),  QStringLiteral("scale"),   QStringLiteral("poll_ms")};
const QString WordOrderColumn = QStringLiteral("word_order");

bool toInt(const QString &text, int lowest, int highest, int *value)
{
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok || v < lowest || v > highest)
        return false;
    *value = v;
    return true;
}

bool parseWordOrder(const QString &text, ModbusPoint::WordOrder *order)
{
    const QString t = text.toLower();
    if (t == QLatin1String("abcd") || t == QLatin1String("high_first")) {
        *order = ModbusPoint::WordOrder::HighFirst;
        return true;
    }
    if (t == QLatin1String("cdab") || t == QLatin1String("low_first")) {
        *order = ModbusPoint::WordOrder::LowFirst;
        return true;
    }
    return false;
}

// "float32", "float32_cdab", "int32_abcd": the type and, for 32-bit types,
// an optional word order.
bool parseType(const QString &text, ModbusPoint::Type *type, bool *hasOrder, ModbusPoint::WordOrder *order)
{
    static const QList<std::pair<QString, ModbusPoint::Type>> types = {
        {QStringLiteral("bool"), ModbusPoint::Type::Bool},       {QStringLiteral("int16"), ModbusPoint::Type::Int16},
        {QStringLiteral("uint16"), ModbusPoint::Type::UInt16},   {QStringLiteral("int32"), ModbusPoint::Type::Int32},
        {QStringLiteral("uint32"), ModbusPoint::Type::UInt32},   {QStringLiteral("float32"), ModbusPoint::Type::Float32},
    };
    const QString t = text.toLower();
    const QString base = t.section(QLatin1Char('_'), 0, 0);
    const QString suffix = t.section(QLatin1Char('_'), 1);
    for (const auto &[name, value] : types) {
        if (name != base)
            continue;
        *type = value;
        *hasOrder = !suffix.isEmpty();
        if (suffix.isEmpty())
            return true;
        const bool wide = value == ModbusPoint::Type::Int32 || value == ModbusPoint::Type::UInt32
                          || value == ModbusPoint::Type::Float32;
        return wide && (suffix == QLatin1String("abcd") || suffix == QLatin1String("cdab"))
               && parseWordOrder(suffix, order);
    }
    return false;
}

} // namespace

bool ModbusBindings::load(const QString &path, const TagStore &tags, QStringList *problems)
{
    QByteArray bytes;
    QString why;
    switch (platform::readFileBytes(path, &bytes, &why)) {
    case platform::ReadStatus::Read:
        return parse(bytes, tags, problems);
    case platform::ReadStatus::Missing:
        m_points.clear();
        m_byTag.clear();
        return true;
    case platform::ReadStatus::NotRegular:
        why = QStringLiteral("not a regular file");
        break;
    case platform::ReadStatus::Failed:
        break;
    }
    if (problems)
        problems->append(QStringLiteral("modbus.csv: cannot read it: %1").arg(why));
    return false;
}

bool ModbusBindings::parse(const QByteArray &bytes, const TagStore &tags, QStringList *problems)
{
    QStringList found;
    auto report = [&](int lineNo, const QString &why) {
        found.append(QStringLiteral("modbus.csv:%1: %2").arg(lineNo).arg(why));
    };
    const QStringList lines = csvtext::lines(platform::decodeText(bytes));
    QHash<QString, int> column;
    QList<ModbusPoint> points;
    QHash<int, int> byTag;
    bool headerSeen = false;
    for (int i = 0; i < lines.size(); ++i) {
        const int lineNo = i + 1;
        const QString &line = lines.at(i);
        if (line.trimmed().isEmpty())
            continue;
        QStringList f;
        if (!csvtext::fields(line, &f)) {
            report(lineNo, QStringLiteral("unterminated quote"));
            if (!headerSeen)
                break;
            continue;
        }
        if (!headerSeen) {
            headerSeen = true;
            for (int c = 0; c < f.size(); ++c)
                column.insert(f.at(c).toLower(), c);
            QStringList missing;
            for (const QString &name : RequiredColumns) {
                if (!column.contains(name))
                    missing << name;
            }
            QStringList unknown;
            for (const QString &name : f) {
                if (!RequiredColumns.contains(name.toLower()) && name.toLower() != WordOrderColumn)
                    unknown << name;
            }
            if (!missing.isEmpty() || !unknown.isEmpty() || column.size() != f.size()) {
                report(lineNo, QStringLiteral("the header is %1, expected \"%2\" and optionally \"%3\"")
                                   .arg(csvtext::quoted(line), RequiredColumns.join(QLatin1Char(',')), WordOrderColumn));
                break;
            }
            continue;
        }
        if (f.size() > column.size()) {
            report(lineNo, QStringLiteral("%1 fields, the header has %2").arg(f.size()).arg(column.size()));
            continue;
        }
        auto field = [&](const QString &name) { return f.value(column.value(name, -1)); };
        const int before = int(found.size());
        ModbusPoint p;
        p.line = lineNo;

        p.tag = field(QStringLiteral("tag"));
        p.tagIndex = p.tag.isEmpty() ? -1 : tags.indexOfName(p.tag);
        if (p.tag.isEmpty())
            report(lineNo, QStringLiteral("no tag"));
        else if (p.tagIndex < 0)
            report(lineNo, QStringLiteral("tag %1 is not in tags.csv").arg(csvtext::quoted(p.tag)));
        else if (tags.tag(p.tagIndex).isText)
            report(lineNo, QStringLiteral("tag %1 is a text tag; only number tags can be bound").arg(csvtext::quoted(p.tag)));
        else if (byTag.contains(p.tagIndex))
            report(lineNo, QStringLiteral("tag %1 is bound twice (first on line %2)")
                               .arg(csvtext::quoted(p.tag))
                               .arg(points.at(byTag.value(p.tagIndex)).line));
        else
            p.tag = tags.tag(p.tagIndex).name;

        p.host = field(QStringLiteral("host"));
        if (p.host.isEmpty() || p.host.contains(QLatin1Char(' ')) || p.host.contains(QLatin1Char('\t')))
            report(lineNo, QStringLiteral("host %1 is not a host name or address").arg(csvtext::quoted(p.host)));

        const QString port = field(QStringLiteral("port"));
        if (!port.isEmpty() && !toInt(port, 1, 65535, &p.port))
            report(lineNo, QStringLiteral("port %1 is not 1..65535").arg(csvtext::quoted(port)));

        const QString unit = field(QStringLiteral("unit"));
        if (!unit.isEmpty() && (!toInt(unit, 0, 255, &p.unit) || (p.unit > 247 && p.unit != 255)))
            report(lineNo, QStringLiteral("unit %1 is not 0..247 or 255").arg(csvtext::quoted(unit)));

        const QString table = field(QStringLiteral("table")).toLower();
        if (table == QLatin1String("coil"))
            p.table = ModbusPoint::Table::Coil;
        else if (table == QLatin1String("holding"))
            p.table = ModbusPoint::Table::Holding;
        else
            report(lineNo, QStringLiteral("table %1 is not coil or holding").arg(csvtext::quoted(field(QStringLiteral("table")))));

        const QString type = field(QStringLiteral("type"));
        bool typeHasOrder = false;
        const bool typeOk = parseType(type, &p.type, &typeHasOrder, &p.wordOrder);
        if (!typeOk)
            report(lineNo, QStringLiteral("type %1 is not bool, int16, uint16, int32, uint32 or float32 "
                                          "(32-bit types may end in _abcd or _cdab)")
                               .arg(csvtext::quoted(type)));
        const QString order = field(WordOrderColumn);
        if (!order.isEmpty()) {
            ModbusPoint::WordOrder columnOrder = ModbusPoint::WordOrder::HighFirst;
            if (!parseWordOrder(order, &columnOrder))
                report(lineNo, QStringLiteral("word_order %1 is not abcd (high word first) or cdab (low word first)")
                                   .arg(csvtext::quoted(order)));
            else if (typeHasOrder && columnOrder != p.wordOrder)
                report(lineNo, QStringLiteral("word_order %1 contradicts type %2")
                                   .arg(csvtext::quoted(order), csvtext::quoted(type)));
            else
                p.wordOrder = columnOrder;
        }
        if (typeOk && p.table == ModbusPoint::Table::Coil && p.type != ModbusPoint::Type::Bool)
            report(lineNo, QStringLiteral("a coil holds a bool, not %1").arg(csvtext::quoted(type)));

        const QString address = field(QStringLiteral("address"));
        if (!toInt(address, 0, 65535, &p.address))
            report(lineNo, QStringLiteral("address %1 is not 0..65535").arg(csvtext::quoted(address)));
        else if (p.address + p.width() - 1 > 65535)
            report(lineNo, QStringLiteral("address %1 leaves no room for the second register").arg(p.address));

        const QString scale = field(QStringLiteral("scale"));
        if (!scale.isEmpty()) {
            bool ok = false;
            p.scale = scale.toDouble(&ok);
            if (!ok || !std::isfinite(p.scale) || p.scale == 0.0)
                report(lineNo, QStringLiteral("scale %1 is not a number other than 0").arg(csvtext::quoted(scale)));
            else if (p.type == ModbusPoint::Type::Bool && p.scale != 1.0)
                report(lineNo, QStringLiteral("a bool takes no scale"));
        }

        const QString poll = field(QStringLiteral("poll_ms"));
        p.pollMs = DefaultPollMs;
        if (!poll.isEmpty() && (!toInt(poll, 0, 24 * 3600 * 1000, &p.pollMs) || (p.pollMs > 0 && p.pollMs < MinPollMs)))
            report(lineNo, QStringLiteral("poll_ms %1 is not 0 (never) or %2..86400000").arg(csvtext::quoted(poll)).arg(MinPollMs));

        if (found.size() == before) {
            byTag.insert(p.tagIndex, int(points.size()));
            points.append(p);
        }
    }
    if (!found.isEmpty()) {
        if (problems)
            problems->append(found);
        return false;
    }
    m_points = points;
    m_byTag = byTag;
    return true;
}

const ModbusPoint *ModbusBindings::pointOfTag(int tagIndex) const
{
    const auto it = m_byTag.constFind(tagIndex);
    return it == m_byTag.constEnd() ? nullptr : &m_points.at(it.value());
}

QStringList ModbusBindings::devices() const
{
    QStringList result;
    for (const ModbusPoint &p : m_points) {
        if (!result.contains(p.device()))
            result.append(p.device());
    }
    return result;
}

} // namespace vantor
