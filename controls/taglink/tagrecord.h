#pragma once

#include <QByteArray>
#include <QString>

#include <limits>

namespace taglink {

// Bytes of a text value.
inline constexpr int TextValueBytes = 16;
// Value type of a text tag; anything else is a number.
inline constexpr quint8 TextValueType = 5;
// The not-readable mark of a number.
inline constexpr double NotReadable = std::numeric_limits<double>::infinity();

// One entry of the tag table.
struct TagRecord
{
    QString name;
    qint32 id = -1;                           // from the product; negative = unknown to it
    double number = 0.0;                      // cached value of a number tag
    QByteArray text{TextValueBytes, '\0'};    // cached value of a text tag
    quint8 valueType = 0;                     // TextValueType = text
    quint8 eventEnabled = 1;                  // a change raises PLCTagChange
    quint8 changed = 0;                       // changed since last read or reset

    bool isText() const { return valueType == TextValueType; }
};

} // namespace taglink
