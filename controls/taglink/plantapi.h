#pragma once

#include "vantor/vantorapi.h"

#include <QString>

#include <memory>

namespace taglink {

// The operations of the plant-monitoring product's API that the control
// relies on, as an interface, so that the control can be given the real
// library or a decorator (tests count calls through one).
class PlantApi
{
public:
    virtual ~PlantApi();

    // False when the API library could not be loaded; every call then fails.
    virtual bool isAvailable() const = 0;
    virtual QString loadError() const = 0;

    virtual int32_t start() = 0;
    virtual void stop() = 0;
    virtual int32_t resolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset, int32_t idOffset,
                                int32_t typeOffset, int32_t kindOffset) = 0;
    virtual int32_t subscribe(int32_t loginId, const char *password, int32_t mode, VantorNotifyRoutine routine,
                              void *control, int32_t generation, int32_t stride, int32_t idOffset, int32_t count,
                              const void *table) = 0;
    virtual void unsubscribe(int32_t subscriptionId) = 0;
    virtual int32_t alarmSubscribe(int32_t reserved, VantorAlarmRoutine routine, void *control, int32_t reserved2) = 0;
    virtual void alarmUnsubscribe(int32_t alarmSubscriptionId) = 0;
    virtual int32_t read(int32_t loginId, const char *password, int32_t count, VantorReadItem *items, void *work) = 0;
    virtual int32_t write(int32_t loginId, const char *password, int32_t reserved, int32_t count, int32_t totalBytes,
                          const int32_t *ids, const void *values) = 0;
    virtual int32_t tagDialog(char *buffer, int32_t bufferSize) = 0;
    virtual int32_t timerStart(void *control, int32_t intervalMs, VantorTimerRoutine routine) = 0;
    virtual void timerStop(int32_t timerId) = 0;
};

using PlantApiPtr = std::shared_ptr<PlantApi>;

} // namespace taglink
