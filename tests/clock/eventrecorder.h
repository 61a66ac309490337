#pragma once

#include "clock/tickfacemodel.h"

#include <QObject>
#include <QStringList>

// Records the sounds and events of a clock model as one ordered list of
// texts, e.g. "sound chime.wav", "Alarm", "SecondChanged(0)".
class EventRecorder : public QObject
{
public:
    explicit EventRecorder(TickfaceModel *m)
    {
        connect(m, &TickfaceModel::soundRequested, this, [this](const QString &p) { log << QStringLiteral("sound ") + p; });
        connect(m, &TickfaceModel::Alarm, this, [this] { log << QStringLiteral("Alarm"); });
        connect(m, &TickfaceModel::SecondChanged, this, [this](short s) { log << QStringLiteral("SecondChanged(%1)").arg(s); });
        connect(m, &TickfaceModel::MinuteChanged, this, [this](short v) { log << QStringLiteral("MinuteChanged(%1)").arg(v); });
        connect(m, &TickfaceModel::HourChanged, this, [this](short v) { log << QStringLiteral("HourChanged(%1)").arg(v); });
    }
    QStringList log;
    int count(const QString &entry) const { return int(log.count(entry)); }
};
