#include "automation/eventrelay.h"

#include "automation/dispatcher.h"

#include <QMetaMethod>

namespace automation {

// One receiver per signal, in the manner of QSignalSpy: its meta-call is
// reached through a raw connection to the first method index after QObject's own.
class EventRelay::Tap : public QObject
{
public:
    Tap(QObject *source, const QMetaMethod &signal, const DispatchMember &event, Callback *callback)
        : m_signal(signal), m_event(event), m_callback(callback)
    {
        QMetaObject::connect(source, signal.methodIndex(), this, QObject::staticMetaObject.methodCount(),
                             Qt::DirectConnection);
    }

    int qt_metacall(QMetaObject::Call call, int id, void **a) override
    {
        id = QObject::qt_metacall(call, id, a);
        if (id < 0)
            return id;
        if (call == QMetaObject::InvokeMetaMethod) {
            if (id == 0)
                deliver(a);
            --id;
        }
        return id;
    }

private:
    void deliver(void **a)
    {
        const int n = m_signal.parameterCount();
        QVariantList args;
        std::vector<QMetaType> types;
        for (int i = 0; i < n; ++i) {
            QByteArray typeName = m_signal.parameterTypes().at(i).trimmed();
            if (typeName.endsWith('&'))
                typeName.chop(1);
            QMetaType type = QMetaType::fromName(typeName.trimmed());
            if (!type.isValid())
                type = m_signal.parameterMetaType(i);
            types.push_back(type);
            if (type.id() == QMetaType::QVariant)
                args.append(*static_cast<QVariant *>(a[i + 1]));
            else
                args.append(toAutomationValue(QVariant(type, a[i + 1])));
        }
        const QVariantList before = args;
        (*m_callback)(m_event, args);
        for (int i = 0; i < n; ++i) {
            if (args.value(i) == before.at(i))
                continue;
            const QMetaType type = types[size_t(i)];
            if (type.id() == QMetaType::QVariant) {
                *static_cast<QVariant *>(a[i + 1]) = args.at(i);
                continue;
            }
            QVariant v = args.at(i);
            if (type.id() == QMetaType::Bool)
                v = QVariant(v.toInt() != 0 || v.toBool());
            else if (!v.convert(type))
                continue;
            type.destruct(a[i + 1]);
            type.construct(a[i + 1], v.constData());
        }
    }

    QMetaMethod m_signal;
    DispatchMember m_event;
    Callback *m_callback;
};

EventRelay::EventRelay(QObject *source, const DispatchTable &table, Callback callback, QObject *parent)
    : QObject(parent)
    , m_callback(std::make_unique<Callback>(std::move(callback)))
{
    Callback *cb = m_callback.get();
    const QMetaObject *mo = source->metaObject();
    for (const DispatchMember &m : table) {
        if (m.kind != MemberKind::Event)
            continue;
        bool connected = false;
        for (int i = 0; i < mo->methodCount(); ++i) {
            const QMetaMethod method = mo->method(i);
            if (method.methodType() == QMetaMethod::Signal && method.name() == m.name) {
                m_taps.push_back(std::make_unique<Tap>(source, method, m, cb));
                connected = true;
                break;
            }
        }
        if (!connected)
            m_unconnected << QString::fromLatin1(m.name);
    }
}

EventRelay::~EventRelay()
{
    m_taps.clear();
}

} // namespace automation
