#include "modbuspoint.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace vantor {
namespace {

void splitWords(uint32_t bits, ModbusPoint::WordOrder order, uint16_t raw[2])
{
    const uint16_t high = uint16_t(bits >> 16), low = uint16_t(bits & 0xffff);
    raw[0] = order == ModbusPoint::WordOrder::HighFirst ? high : low;
    raw[1] = order == ModbusPoint::WordOrder::HighFirst ? low : high;
}

uint32_t joinWords(const uint16_t raw[2], ModbusPoint::WordOrder order)
{
    const uint16_t high = order == ModbusPoint::WordOrder::HighFirst ? raw[0] : raw[1];
    const uint16_t low = order == ModbusPoint::WordOrder::HighFirst ? raw[1] : raw[0];
    return (uint32_t(high) << 16) | low;
}

} // namespace

QString ModbusPoint::device() const
{
    return QStringLiteral("%1:%2").arg(host).arg(port);
}

QString ModbusPoint::tableName(Table table)
{
    return table == Table::Coil ? QStringLiteral("coil") : QStringLiteral("holding");
}

QString ModbusPoint::typeName(Type type)
{
    switch (type) {
    case Type::Bool: return QStringLiteral("bool");
    case Type::Int16: return QStringLiteral("int16");
    case Type::UInt16: return QStringLiteral("uint16");
    case Type::Int32: return QStringLiteral("int32");
    case Type::UInt32: return QStringLiteral("uint32");
    case Type::Float32: return QStringLiteral("float32");
    }
    return {};
}

QString ModbusPoint::describe() const
{
    QString text = QStringLiteral("%1 unit %2 %3 %4 %5").arg(device()).arg(unit).arg(tableName(table)).arg(address)
                       .arg(typeName(type));
    if (width() == 2)
        text += wordOrder == WordOrder::HighFirst ? QStringLiteral(" abcd") : QStringLiteral(" cdab");
    if (scale != 1.0)
        text += QStringLiteral(" scale %1").arg(scale);
    text += pollMs > 0 ? QStringLiteral(" poll %1 ms").arg(pollMs) : QStringLiteral(" not polled");
    return text;
}

bool ModbusPoint::encode(double value, uint16_t raw[2], QString *why) const
{
    raw[0] = raw[1] = 0;
    if (!std::isfinite(value)) {
        *why = QStringLiteral("not a number");
        return false;
    }
    if (type == Type::Bool) {
        raw[0] = value != 0.0 ? 1 : 0;
        return true;
    }
    const double scaled = value * scale;
    if (type == Type::Float32) {
        if (std::fabs(scaled) > double(std::numeric_limits<float>::max())) {
            *why = QStringLiteral("out of range");
            return false;
        }
        const float f = float(scaled);
        uint32_t bits = 0;
        std::memcpy(&bits, &f, sizeof bits);
        splitWords(bits, wordOrder, raw);
        return true;
    }
    const double n = std::round(scaled);
    double lowest = 0, highest = 0;
    switch (type) {
    case Type::Int16: lowest = -32768.0, highest = 32767.0; break;
    case Type::UInt16: lowest = 0.0, highest = 65535.0; break;
    case Type::Int32: lowest = -2147483648.0, highest = 2147483647.0; break;
    default: lowest = 0.0, highest = 4294967295.0; break;
    }
    if (n < lowest || n > highest) {
        *why = QStringLiteral("out of range");
        return false;
    }
    const uint32_t bits = n < 0 ? uint32_t(int64_t(n)) : uint32_t(n);
    if (width() == 1)
        raw[0] = uint16_t(bits & 0xffff);
    else
        splitWords(bits, wordOrder, raw);
    return true;
}

double ModbusPoint::decode(const uint16_t raw[2]) const
{
    double v = 0;
    switch (type) {
    case Type::Bool:
        return raw[0] != 0 ? 1.0 : 0.0;
    case Type::Int16: v = double(int16_t(raw[0])); break;
    case Type::UInt16: v = double(raw[0]); break;
    case Type::Int32: v = double(int32_t(joinWords(raw, wordOrder))); break;
    case Type::UInt32: v = double(joinWords(raw, wordOrder)); break;
    case Type::Float32: {
        const uint32_t bits = joinWords(raw, wordOrder);
        float f = 0;
        std::memcpy(&f, &bits, sizeof f);
        v = double(f);
        break;
    }
    }
    return v / scale;
}

} // namespace vantor
