#pragma once

#include "taglink/plantapi.h"

namespace taglink {

// The product's API library libvantorapi.so, loaded with dlopen on first use
// and kept loaded.  It is looked for, in this order: the file named by
// VANTOR_API, beside the library (or program) that holds this code, beside
// the executable, in the product folder (VANTOR_HOME), then by the loader's
// own search path.  Operations are bound through the table of ordinals.
class VantorLibrary : public PlantApi
{
public:
    // The process's one instance.
    static PlantApiPtr instance();

    // Ordinal of each operation of the product's API and the name it is bound by.
    struct Operation
    {
        int ordinal;
        const char *name;
    };
    static const Operation *operations(int *count);

    bool isAvailable() const override { return m_available; }
    QString loadError() const override { return m_error; }

    int32_t start() override;
    void stop() override;
    int32_t resolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset, int32_t idOffset,
                        int32_t typeOffset, int32_t kindOffset) override;
    int32_t subscribe(int32_t loginId, const char *password, int32_t mode, VantorNotifyRoutine routine, void *control,
                      int32_t generation, int32_t stride, int32_t idOffset, int32_t count, const void *table) override;
    void unsubscribe(int32_t subscriptionId) override;
    int32_t alarmSubscribe(int32_t reserved, VantorAlarmRoutine routine, void *control, int32_t reserved2) override;
    void alarmUnsubscribe(int32_t alarmSubscriptionId) override;
    int32_t read(int32_t loginId, const char *password, int32_t count, VantorReadItem *items, void *work) override;
    int32_t write(int32_t loginId, const char *password, int32_t reserved, int32_t count, int32_t totalBytes,
                  const int32_t *ids, const void *values) override;
    int32_t tagDialog(char *buffer, int32_t bufferSize) override;
    int32_t timerStart(void *control, int32_t intervalMs, VantorTimerRoutine routine) override;
    void timerStop(int32_t timerId) override;

    VantorLibrary();

private:
    void *symbol(int ordinal) const;

    bool m_available = false;
    QString m_error;
    void *m_functions[12] = {};
};

} // namespace taglink
