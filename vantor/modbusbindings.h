#pragma once

#include "modbuspoint.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace vantor {

class TagStore;

// The tags bound to Modbus TCP devices: the file modbus.csv of the product
// folder, header "tag,host,port,unit,table,address,type,scale,poll_ms" (in
// any order) and an optional column "word_order".  A file with any malformed
// line is refused as a whole, so bindings are never half-loaded.
class ModbusBindings
{
public:
    static constexpr int DefaultPort = 502;
    static constexpr int DefaultUnit = 1;
    static constexpr int DefaultPollMs = 1000;
    // The shortest poll period; 0 means never.
    static constexpr int MinPollMs = 20;

    // Reads the file; a missing file binds nothing.  False when the file is
    // refused: every problem is in *problems as "modbus.csv:<line>: <why>"
    // and the bindings are left as they were.
    bool load(const QString &path, const TagStore &tags, QStringList *problems);
    bool parse(const QByteArray &bytes, const TagStore &tags, QStringList *problems);

    const QList<ModbusPoint> &points() const { return m_points; }
    bool isEmpty() const { return m_points.isEmpty(); }
    // The point of a tag (by its position in the store), or null.
    const ModbusPoint *pointOfTag(int tagIndex) const;
    // The devices ("host:port"), in the order of their first point.
    QStringList devices() const;

private:
    QList<ModbusPoint> m_points;
    QHash<int, int> m_byTag; // tag index -> position in m_points
};

} // namespace vantor
