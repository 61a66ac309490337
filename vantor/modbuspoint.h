#pragma once

#include <QString>

#include <cstdint>

namespace vantor {

// Where a tag lives in a Modbus TCP device, and how its value is coded
// there: one line of modbus.csv.
struct ModbusPoint
{
    enum class Table { Coil, Holding };
    enum class Type { Bool, Int16, UInt16, Int32, UInt32, Float32 };
    // Of the two registers of a 32-bit value: the high word first (ABCD, the
    // Modbus convention) or the low word first (CDAB, found in many devices).
    enum class WordOrder { HighFirst, LowFirst };

    QString tag;
    int tagIndex = -1;  // position in the server's tag store
    QString host;
    int port = 502;
    int unit = 1;
    Table table = Table::Holding;
    int address = 0;
    Type type = Type::UInt16;
    WordOrder wordOrder = WordOrder::HighFirst;
    double scale = 1.0;  // divides on read, multiplies on write
    int pollMs = 1000;   // 0: never read back
    int line = 0;        // in modbus.csv

    // Coils or registers the value takes (1 or 2).
    int width() const { return type == Type::Int32 || type == Type::UInt32 || type == Type::Float32 ? 2 : 1; }
    // "host:port", naming the device (one connection) the point belongs to.
    QString device() const;
    // The binding as operators read it, e.g.
    // "127.0.0.1:502 unit 1 holding 10 float32 cdab scale 10 poll 1000 ms".
    QString describe() const;

    // The raw coil or registers of a tag value: the value times the scale,
    // rounded to an integer for the integer types.  False, with *why, for a
    // value the point cannot hold (out of its type's range, not a number).
    bool encode(double value, uint16_t raw[2], QString *why) const;
    // The tag value of a raw coil or registers.
    double decode(const uint16_t raw[2]) const;

    static QString tableName(Table table);
    static QString typeName(Type type);
};

} // namespace vantor
