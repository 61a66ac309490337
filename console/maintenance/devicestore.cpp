#include "console/maintenance/devicestore.h"

#include "store/catalogue.h"
#include "store/database.h"
#include "store/recordset.h"
#include "store/transaction.h"
#include "store/updatablerecordset.h"

namespace console {

namespace {

DeviceRow deviceOf(const store::Recordset &rs)
{
    return {rs.text(QStringLiteral("TAG")), rs.text(QStringLiteral("KikiName")),
            rs.field(QStringLiteral("StartValue")).toDouble(), rs.field(QStringLiteral("EndValue")).toDouble()};
}

} // namespace

DeviceStore::DeviceStore(store::Database &db)
    : m_db(db)
{
}

bool DeviceStore::fail(const QString &error)
{
    m_error = error;
    return false;
}

QList<DeviceRow> DeviceStore::devices()
{
    QList<DeviceRow> out;
    store::Recordset rs = m_db.openRecordset(store::sql::selectDeviceMaster());
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << deviceOf(rs);
    return out;
}

bool DeviceStore::isEmpty()
{
    store::Recordset rs = m_db.openRecordset(store::sql::selectDeviceMasterBracketed());
    return rs.isOpen() && rs.recordCount() == 0;
}

std::optional<DeviceRow> DeviceStore::findByTag(const QString &tag)
{
    store::Recordset rs = m_db.openRecordset(store::sql::selectDeviceMasterBracketed());
    rs.moveFirst();
    if (!rs.findValue(QStringLiteral("TAG"), tag))
        return std::nullopt;
    return deviceOf(rs);
}

bool DeviceStore::nameExists(const QString &name)
{
    store::Recordset rs = m_db.openRecordset(store::sql::selectDeviceByNamePlain(name));
    return rs.recordCount() > 0;
}

bool DeviceStore::add(const DeviceRow &device)
{
    return store::inTransaction(m_db, &m_error, [&] {
        store::UpdatableRecordset rs;
        QString error;
        if (!rs.open(m_db.handle(), store::sql::selectDeviceMasterBracketed(), &error))
            return fail(error);
        rs.addNew();
        rs.setField(QStringLiteral("Tag"), device.tag);
        rs.setField(QStringLiteral("kikiname"), device.name);
        rs.setField(QStringLiteral("StartValue"), device.startValue);
        rs.setField(QStringLiteral("EndValue"), device.endValue);
        return rs.update(&error) || fail(error);
    });
}

bool DeviceStore::update(const DeviceRow &device)
{
    return store::inTransaction(m_db, &m_error, [&] {
        store::UpdatableRecordset rs;
        QString error;
        if (!rs.open(m_db.handle(), store::sql::selectDeviceMasterBracketed(), &error))
            return fail(error);
        rs.moveFirst();
        if (!rs.findValue(QStringLiteral("TAG"), device.tag))
            return fail(QStringLiteral("TAG %1 がありません。").arg(device.tag));
        rs.setField(QStringLiteral("kikiname"), device.name);
        rs.setField(QStringLiteral("StartValue"), device.startValue);
        rs.setField(QStringLiteral("EndValue"), device.endValue);
        return rs.update(&error) || fail(error);
    });
}

bool DeviceStore::remove(const QString &tag)
{
    return store::inTransaction(m_db, &m_error, [&] {
        return m_db.execute(store::sql::deleteDeviceFromMaster(tag))
               && m_db.execute(store::sql::deleteDeviceFromGroups(tag));
    });
}

QStringList DeviceStore::names(const QString &sql, const char *column)
{
    QStringList out;
    store::Recordset rs = m_db.openRecordset(sql);
    for (rs.moveFirst(); !rs.eof(); rs.moveNext())
        out << rs.text(QString::fromLatin1(column));
    return out;
}

QStringList DeviceStore::deviceNames()
{
    return names(store::sql::selectDeviceMasterNames(), "kikiname");
}

QStringList DeviceStore::groupDeviceNames(int gpno)
{
    return names(store::sql::selectGroupDeviceNames(gpno), "Kikiname");
}

QStringList DeviceStore::groupDevices(int gpno)
{
    return names(store::sql::selectGroupDevices(gpno), "kikiname");
}

bool DeviceStore::assign(int gpno, const QStringList &deviceNames)
{
    return store::inTransaction(m_db, &m_error, [&] {
        if (!m_db.execute(store::sql::deleteGroupDevices(gpno)))
            return false;
        if (gpno < 1)
            return true;
        for (const QString &name : deviceNames) {
            store::Recordset rs = m_db.openRecordset(store::sql::selectDeviceByName(name));
            if (!rs.isOpen())
                return false;
            for (rs.moveFirst(); !rs.eof(); rs.moveNext()) {
                const DeviceRow d = deviceOf(rs);
                if (!m_db.execute(store::sql::insertGroupDevice(d.tag, d.name, gpno, d.startValue, d.endValue)))
                    return false;
            }
        }
        return true;
    });
}

} // namespace console
