#pragma once

#include "taglink/plantapi.h"

#include <QMap>
#include <QString>

// Passes every call on to the real API library and counts it, keeping the
// routines and arguments the control handed over.
class CountingApi : public taglink::PlantApi
{
public:
    explicit CountingApi(taglink::PlantApiPtr inner) : m_inner(std::move(inner)) {}

    int count(const char *operation) const { return calls.value(QString::fromLatin1(operation)); }
    void reset() { calls.clear(); }

    QMap<QString, int> calls;
    VantorNotifyRoutine notifyRoutine = nullptr;
    void *notifyControl = nullptr;
    int32_t subscribedGeneration = -1;
    int32_t lastWriteCount = 0;

    bool isAvailable() const override { return m_inner->isAvailable(); }
    QString loadError() const override { return m_inner->loadError(); }
    int32_t start() override { return ++calls["start"], m_inner->start(); }
    void stop() override { ++calls["stop"], m_inner->stop(); }
    int32_t resolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset, int32_t idOffset,
                        int32_t typeOffset, int32_t kindOffset) override
    {
        ++calls["resolve"];
        return m_inner->resolveTags(count, table, stride, nameOffset, idOffset, typeOffset, kindOffset);
    }
    int32_t subscribe(int32_t loginId, const char *password, int32_t mode, VantorNotifyRoutine routine, void *control,
                      int32_t generation, int32_t stride, int32_t idOffset, int32_t count, const void *table) override
    {
        ++calls["subscribe"];
        notifyRoutine = routine;
        notifyControl = control;
        subscribedGeneration = generation;
        return m_inner->subscribe(loginId, password, mode, routine, control, generation, stride, idOffset, count, table);
    }
    void unsubscribe(int32_t id) override { ++calls["unsubscribe"], m_inner->unsubscribe(id); }
    int32_t alarmSubscribe(int32_t reserved, VantorAlarmRoutine routine, void *control, int32_t reserved2) override
    {
        ++calls["alarmSubscribe"];
        return m_inner->alarmSubscribe(reserved, routine, control, reserved2);
    }
    void alarmUnsubscribe(int32_t id) override { ++calls["alarmUnsubscribe"], m_inner->alarmUnsubscribe(id); }
    int32_t read(int32_t loginId, const char *password, int32_t count, VantorReadItem *items, void *work) override
    {
        ++calls["read"];
        return m_inner->read(loginId, password, count, items, work);
    }
    int32_t write(int32_t loginId, const char *password, int32_t reserved, int32_t count, int32_t totalBytes,
                  const int32_t *ids, const void *values) override
    {
        ++calls["write"];
        lastWriteCount = count;
        return m_inner->write(loginId, password, reserved, count, totalBytes, ids, values);
    }
    int32_t tagDialog(char *buffer, int32_t bufferSize) override
    {
        ++calls["tagDialog"];
        return m_inner->tagDialog(buffer, bufferSize);
    }
    int32_t timerStart(void *control, int32_t intervalMs, VantorTimerRoutine routine) override
    {
        ++calls["timerStart"];
        return m_inner->timerStart(control, intervalMs, routine);
    }
    void timerStop(int32_t id) override { ++calls["timerStop"], m_inner->timerStop(id); }

private:
    taglink::PlantApiPtr m_inner;
};
