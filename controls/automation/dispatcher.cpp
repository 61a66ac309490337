#include "automation/dispatcher.h"

#include "automation/automationerror.h"
#include "automation/variantconventions.h"

#include <QMetaMethod>
#include <QMetaProperty>
#include <QObject>

#include <vector>

namespace automation {
namespace {

// The value type behind a parameter type name such as "short&" or "const QString&".
QMetaType valueTypeOf(const QByteArray &typeName, bool *isReference)
{
    QByteArray t = typeName.trimmed();
    *isReference = false;
    if (t.endsWith('&')) {
        t.chop(1);
        t = t.trimmed();
        if (t.startsWith("const ")) {
            t = t.mid(6).trimmed();
        } else {
            *isReference = true;
        }
    }
    return QMetaType::fromName(t);
}

bool convertTo(QVariant &v, QMetaType type)
{
    if (type.id() == QMetaType::QVariant)
        return true;
    if (v.metaType() == type)
        return true;
    if (!v.isValid()) {
        v = QVariant(type);
        return true;
    }
    if (type.id() == QMetaType::Bool) {
        v = QVariant(fromVariantBool(v));
        return true;
    }
    QVariant copy = v;
    if (copy.convert(type)) {
        v = copy;
        return true;
    }
    return false;
}

QList<QMetaMethod> methodsNamed(const QMetaObject *mo, const QByteArray &name)
{
    QList<QMetaMethod> found;
    for (int i = 0; i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.name().compare(name, Qt::CaseInsensitive) == 0)
            found.append(m);
    }
    return found;
}

// Turns an error raised by the member during the call into a failed result.
DispatchResult withRaisedError(DispatchResult r)
{
    if (auto e = takeError()) {
        r.ok = false;
        r.errorNumber = e->number;
        r.error = e->description.isEmpty() ? QStringLiteral("error %1").arg(e->number) : e->description;
    }
    return r;
}

} // namespace

QVariant toAutomationValue(const QVariant &v)
{
    if (v.typeId() == QMetaType::Bool)
        return QVariant::fromValue<qint16>(toVariantBool(v.toBool()));
    return v;
}

Dispatcher::Dispatcher(QList<QObject *> targets, DispatchTable table)
    : m_table(std::move(table))
{
    setTargets(std::move(targets));
}

void Dispatcher::setTargets(QList<QObject *> targets)
{
    m_targets.clear();
    for (QObject *o : targets)
        m_targets.append(o);
}

std::optional<DispatchMember> Dispatcher::member(const QString &name) const
{
    for (const DispatchMember &m : m_table) {
        if (QString::fromLatin1(m.name).compare(name, Qt::CaseInsensitive) == 0)
            return m;
    }
    return std::nullopt;
}

std::optional<DispatchMember> Dispatcher::member(qint32 id) const
{
    for (const DispatchMember &m : m_table) {
        if (m.id == id)
            return m;
    }
    return std::nullopt;
}

DispatchResult Dispatcher::get(const QString &name, QVariantList args) const
{
    const auto m = member(name);
    if (!m)
        return {false, {}, QStringLiteral("unknown member %1").arg(name)};
    return getMember(*m, std::move(args));
}

DispatchResult Dispatcher::get(qint32 id, QVariantList args) const
{
    const auto m = member(id);
    if (!m)
        return {false, {}, QStringLiteral("unknown dispatch identifier %1").arg(id)};
    return getMember(*m, std::move(args));
}

DispatchResult Dispatcher::put(const QString &name, const QVariant &value, QVariantList args) const
{
    const auto m = member(name);
    if (!m)
        return {false, {}, QStringLiteral("unknown member %1").arg(name)};
    return putMember(*m, value, std::move(args));
}

DispatchResult Dispatcher::put(qint32 id, const QVariant &value, QVariantList args) const
{
    const auto m = member(id);
    if (!m)
        return {false, {}, QStringLiteral("unknown dispatch identifier %1").arg(id)};
    return putMember(*m, value, std::move(args));
}

DispatchResult Dispatcher::call(const QString &name, QVariantList &args) const
{
    const auto m = member(name);
    if (!m)
        return {false, {}, QStringLiteral("unknown member %1").arg(name)};
    return callMember(*m, args);
}

DispatchResult Dispatcher::call(qint32 id, QVariantList &args) const
{
    const auto m = member(id);
    if (!m)
        return {false, {}, QStringLiteral("unknown dispatch identifier %1").arg(id)};
    return callMember(*m, args);
}

DispatchResult Dispatcher::call(const QString &name) const
{
    QVariantList none;
    return call(name, none);
}

DispatchResult Dispatcher::getMemberUnchecked(const DispatchMember &m, QVariantList args) const
{
    if (m.kind == MemberKind::Method)
        return callMember(m, args);
    if (m.kind != MemberKind::Property)
        return {false, {}, QStringLiteral("%1 is an event").arg(QLatin1String(m.name))};
    for (const QPointer<QObject> &t : m_targets) {
        if (!t)
            continue;
        if (args.isEmpty()) {
            const int idx = t->metaObject()->indexOfProperty(m.name);
            if (idx >= 0)
                return {true, toAutomationValue(t->metaObject()->property(idx).read(t)), {}};
        }
        if (!methodsNamed(t->metaObject(), m.name).isEmpty())
            return invokeMethod(t, m.name, args);
    }
    return {false, {}, QStringLiteral("no property %1").arg(QLatin1String(m.name))};
}

DispatchResult Dispatcher::putMemberUnchecked(const DispatchMember &m, const QVariant &value, QVariantList args) const
{
    if (m.kind != MemberKind::Property)
        return {false, {}, QStringLiteral("%1 is not a property").arg(QLatin1String(m.name))};
    for (const QPointer<QObject> &t : m_targets) {
        if (!t)
            continue;
        if (args.isEmpty()) {
            const int idx = t->metaObject()->indexOfProperty(m.name);
            if (idx >= 0) {
                QMetaProperty p = t->metaObject()->property(idx);
                if (!p.isWritable())
                    return {false, {}, QStringLiteral("%1 is read-only").arg(QLatin1String(m.name))};
                QVariant v = value;
                if (!convertTo(v, p.metaType()))
                    return {false, {}, QStringLiteral("type mismatch for %1").arg(QLatin1String(m.name))};
                p.write(t, v);
                return {true, {}, {}};
            }
        }
        const QByteArray setter = "set" + QByteArray(m.name);
        if (!methodsNamed(t->metaObject(), setter).isEmpty()) {
            args.append(value);
            return invokeMethod(t, setter, args);
        }
    }
    return {false, {}, QStringLiteral("no property %1").arg(QLatin1String(m.name))};
}

DispatchResult Dispatcher::callMemberUnchecked(const DispatchMember &m, QVariantList &args) const
{
    if (m.kind == MemberKind::Event)
        return {false, {}, QStringLiteral("%1 is an event").arg(QLatin1String(m.name))};
    if (m.kind == MemberKind::Property)
        return getMember(m, args);
    for (const QPointer<QObject> &t : m_targets) {
        if (t && !methodsNamed(t->metaObject(), m.name).isEmpty())
            return invokeMethod(t, m.name, args);
    }
    return {false, {}, QStringLiteral("no method %1").arg(QLatin1String(m.name))};
}

DispatchResult Dispatcher::invokeMethod(QObject *target, const QByteArray &name, QVariantList &args)
{
    if (!target)
        return {false, {}, QStringLiteral("no object")};
    const QList<QMetaMethod> candidates = methodsNamed(target->metaObject(), name);
    const QMetaMethod *method = nullptr;
    for (const QMetaMethod &c : candidates) {
        if (c.parameterCount() == args.size() && c.methodType() != QMetaMethod::Signal) {
            method = &c;
            break;
        }
    }
    if (!method)
        return {false, {}, QStringLiteral("%1 takes no %2 arguments").arg(QString::fromLatin1(name)).arg(args.size())};

    const int n = method->parameterCount();
    std::vector<QVariant> storage(size_t(n) + 1);
    std::vector<bool> isRef(size_t(n) + 1, false);
    std::vector<void *> argv(size_t(n) + 1, nullptr);

    for (int i = 0; i < n; ++i) {
        bool ref = false;
        QMetaType type = valueTypeOf(method->parameterTypes().at(i), &ref);
        if (!type.isValid())
            type = method->parameterMetaType(i);
        QVariant v = args.at(i);
        if (!convertTo(v, type))
            return {false, {}, QStringLiteral("argument %1 of %2 has the wrong type").arg(i + 1).arg(QString::fromLatin1(name))};
        if (type.id() == QMetaType::QVariant) {
            storage[size_t(i) + 1] = v; // the QVariant itself is the argument
        } else {
            storage[size_t(i) + 1] = v;
            storage[size_t(i) + 1].detach();
        }
        isRef[size_t(i) + 1] = ref;
    }
    for (int i = 0; i < n; ++i) {
        bool ref = false;
        const QMetaType type = valueTypeOf(method->parameterTypes().at(i), &ref);
        QVariant &s = storage[size_t(i) + 1];
        argv[size_t(i) + 1] = type.id() == QMetaType::QVariant ? static_cast<void *>(&s) : s.data();
    }

    const QMetaType returnType = method->returnMetaType();
    const bool hasReturn = returnType.isValid() && returnType.id() != QMetaType::Void;
    if (hasReturn) {
        if (returnType.id() == QMetaType::QVariant) {
            argv[0] = &storage[0];
        } else {
            storage[0] = QVariant(returnType);
            argv[0] = storage[0].data();
        }
    }

    const int index = method->methodIndex();
    target->qt_metacall(QMetaObject::InvokeMetaMethod, index, argv.data());

    for (int i = 0; i < n; ++i) {
        if (isRef[size_t(i) + 1])
            args[i] = toAutomationValue(storage[size_t(i) + 1]);
    }
    return {true, hasReturn ? toAutomationValue(storage[0]) : QVariant(), {}};
}

DispatchResult Dispatcher::getMember(const DispatchMember &m, QVariantList args) const
{
    clearError();
    return withRaisedError(getMemberUnchecked(m, std::move(args)));
}

DispatchResult Dispatcher::putMember(const DispatchMember &m, const QVariant &value, QVariantList args) const
{
    clearError();
    return withRaisedError(putMemberUnchecked(m, value, std::move(args)));
}

DispatchResult Dispatcher::callMember(const DispatchMember &m, QVariantList &args) const
{
    clearError();
    return withRaisedError(callMemberUnchecked(m, args));
}

QStringList Dispatcher::unresolvedMembers() const
{
    QStringList missing;
    for (const DispatchMember &m : m_table) {
        bool found = false;
        for (const QPointer<QObject> &t : m_targets) {
            if (!t)
                continue;
            const QMetaObject *mo = t->metaObject();
            if (m.kind == MemberKind::Property) {
                found = mo->indexOfProperty(m.name) >= 0 || !methodsNamed(mo, m.name).isEmpty();
            } else if (m.kind == MemberKind::Method) {
                for (const QMetaMethod &mm : methodsNamed(mo, m.name))
                    found = found || mm.methodType() != QMetaMethod::Signal;
            } else {
                for (const QMetaMethod &mm : methodsNamed(mo, m.name))
                    found = found || mm.methodType() == QMetaMethod::Signal;
            }
            if (found)
                break;
        }
        if (!found)
            missing << QString::fromLatin1(m.name);
    }
    return missing;
}

} // namespace automation
