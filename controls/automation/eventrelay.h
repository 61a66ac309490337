#pragma once

#include "automation/dispatchmember.h"

#include <QObject>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

namespace automation {

// Delivers every event (signal) of the dispatch table of a control to one
// callback, with the event's identifier, name and arguments as variants, the
// way an automation host receives events.  The connection is direct, so the
// callback runs inside the emission: out-arguments (for example `bEnable`)
// that the callback changes in `args` are written back to the emitter.
class EventRelay : public QObject
{
    Q_OBJECT
public:
    using Callback = std::function<void(const DispatchMember &event, QVariantList &args)>;

    EventRelay(QObject *source, const DispatchTable &table, Callback callback, QObject *parent = nullptr);
    ~EventRelay() override;

    // Names of the table's events that the source does not have.
    QStringList unconnected() const { return m_unconnected; }

private:
    class Tap;
    std::unique_ptr<Callback> m_callback; // outlives the taps that call it
    std::vector<std::unique_ptr<Tap>> m_taps;
    QStringList m_unconnected;
};

} // namespace automation
