#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

namespace store {
class Database;
}

namespace console {

// One row of the device master KikiMaster.
struct DeviceRow
{
    QString tag;
    QString name; // KikiName
    double startValue = 0;
    double endValue = 0;
};

// The device master and the groups' device lists (KikiTable) as the tag
// editor and the maintenance screen read and change them, through the
// console's open connection.  Every change is one transaction.  Failures are
// reported by the result and lastError().
class DeviceStore
{
public:
    explicit DeviceStore(store::Database &db);

    // Every device by name (the tag editor's list).
    QList<DeviceRow> devices();
    // True when the master has no row (false also when it cannot be read).
    bool isEmpty();
    std::optional<DeviceRow> findByTag(const QString &tag);
    // True when a device of that name exists (names compare without regard to case).
    bool nameExists(const QString &name);

    bool add(const DeviceRow &device);
    // New name and values of the device with that tag.
    bool update(const DeviceRow &device);
    // Removes the tag from the master and from every group.
    bool remove(const QString &tag);

    // The names of all devices, by name.
    QStringList deviceNames();
    // The names of a group's devices, by name.
    QStringList groupDeviceNames(int gpno);
    // The names of a group's devices as KikiTable holds them.
    QStringList groupDevices(int gpno);
    // Replaces a group's device list by the named devices of the master,
    // with the master's start and end values of this moment.
    bool assign(int gpno, const QStringList &names);

    QString lastError() const { return m_error; }

private:
    QStringList names(const QString &sql, const char *column);
    bool fail(const QString &error);

    store::Database &m_db;
    QString m_error;
};

} // namespace console
