#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace store {
class Database;
class UpdatableRecordset;
} // namespace store

namespace console {

// One row of GroupMaster.
struct GroupRow
{
    int gpno = 0;
    QString name;
    bool valid = false;  // YukoFlg
    bool marked = false; // DelFlg: marked for deletion, purged when the group editor closes
};

// The group master as the group editor and the copy screen read and change
// it, through the console's open connection.  Every change is one
// transaction: it is stored whole or not at all.  Failures are reported by
// the result and lastError().
class GroupStore
{
public:
    explicit GroupStore(store::Database &db);

    // The groups not marked for deletion, by name (the group editor's list).
    QList<GroupRow> liveGroups();
    // Every group by name (the copy screen's lists).
    QList<GroupRow> allGroups();
    // The group of that name, those marked for deletion included; names
    // compare without regard to case.
    std::optional<GroupRow> findByName(const QString &name);
    std::optional<GroupRow> findByNo(int gpno);

    // The number of a new group: the highest number + 1, or 1 when there is
    // no group; nothing when the table cannot be read.
    std::optional<int> nextGroupNo();

    bool addGroup(const GroupRow &group);
    // New name and validity of a group; a group marked for deletion is
    // unmarked.  The number never changes.
    bool overwrite(int gpno, const QString &name, bool valid);
    // Marks the group for deletion.
    bool markForDeletion(int gpno);
    // Removes every group marked for deletion with its rows in TodayTable,
    // NextdayTable, Schedule and KikiTable.
    bool purgeMarked();
    // Replaces the destination's weekly master by a copy of the source's.
    bool copyMaster(int source, int destination);

    QString lastError() const { return m_error; }

private:
    QList<GroupRow> groups(const QString &sql);
    // Opens the row of a group for update; false (the error set) when it
    // cannot be opened or there is none.
    bool openGroupRow(store::UpdatableRecordset &rs, int gpno);
    bool fail(const QString &error);

    store::Database &m_db;
    QString m_error;
};

} // namespace console
