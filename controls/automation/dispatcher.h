#pragma once

#include "automation/dispatchmember.h"

#include <QList>
#include <QPointer>
#include <QString>
#include <QVariant>

#include <optional>

class QObject;

namespace automation {

struct DispatchResult
{
    bool ok = false;   // the member was found and called without error
    QVariant value;    // the result; the empty variant for none
    QString error;     // why the call could not be made, or the raised error's text
    qint32 errorNumber = 0; // the automation error the member raised (0: none)
};

// Calls the members of a control by name or by dispatch identifier with
// variant arguments, as an automation client does.  The members are looked up
// on the target objects in the order given (for example the widget first,
// then its model).  Arguments are converted to the parameter types; a
// parameter declared as a non-const reference is an out-argument whose new
// value is written back into `args`.  Bool results and out-arguments come
// back as 16-bit Booleans (true = -1).  A member that raises an automation
// error (automation/automationerror.h) makes the call fail with ok = false,
// the error's number in errorNumber and its description in error.
class Dispatcher
{
public:
    Dispatcher() = default;
    Dispatcher(QList<QObject *> targets, DispatchTable table);

    void setTargets(QList<QObject *> targets);
    const DispatchTable &table() const { return m_table; }

    std::optional<DispatchMember> member(const QString &name) const; // case-insensitive
    std::optional<DispatchMember> member(qint32 id) const;

    DispatchResult get(const QString &name, QVariantList args = {}) const;
    DispatchResult get(qint32 id, QVariantList args = {}) const;
    DispatchResult put(const QString &name, const QVariant &value, QVariantList args = {}) const;
    DispatchResult put(qint32 id, const QVariant &value, QVariantList args = {}) const;
    DispatchResult call(const QString &name, QVariantList &args) const;
    DispatchResult call(qint32 id, QVariantList &args) const;
    DispatchResult call(const QString &name) const;

    // Every identifier of the table names a member of the targets; the names
    // of those that do not (for tests of the table).
    QStringList unresolvedMembers() const;

    // Calls a Q_INVOKABLE method (or any method) by name on one object, with
    // the conventions above.  Exposed for hosts and tests.
    static DispatchResult invokeMethod(QObject *target, const QByteArray &name, QVariantList &args);

private:
    DispatchResult getMember(const DispatchMember &m, QVariantList args) const;
    DispatchResult putMember(const DispatchMember &m, const QVariant &value, QVariantList args) const;
    DispatchResult callMember(const DispatchMember &m, QVariantList &args) const;
    DispatchResult getMemberUnchecked(const DispatchMember &m, QVariantList args) const;
    DispatchResult putMemberUnchecked(const DispatchMember &m, const QVariant &value, QVariantList args) const;
    DispatchResult callMemberUnchecked(const DispatchMember &m, QVariantList &args) const;

    QList<QPointer<QObject>> m_targets;
    DispatchTable m_table;
};

// Converts a value read from a member to the automation convention (bool → 16-bit Boolean).
QVariant toAutomationValue(const QVariant &v);

} // namespace automation
