#pragma once

// The API of the plant-monitoring product Vantor (libvantorapi.so).  Hosts
// load it at run time and bind the operations by name; every call is made on
// the thread that runs the host's Qt event loop, and notifications, alarms
// and timer ticks come back on that thread, from its event loop.
//
// Texts (tag names, passwords, text values, the dialog's selection) are in
// the product's code page, CP932, zero-terminated where they stand alone.

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(VANTORAPI_BUILD)
#define VANTORAPI_EXPORT __attribute__((visibility("default")))
#else
#define VANTORAPI_EXPORT
#endif

// Value types that ApiResolveTags reports.
#define VANTOR_TYPE_TEXT 5    /* 16 bytes of text */
#define VANTOR_TYPE_NUMBER 8  /* 8-byte float */
// Read statuses.
#define VANTOR_STATUS_UNREADABLE 254
#define VANTOR_STATUS_BYTE 4
#define VANTOR_STATUS_TEXT 5

// One item of ApiRead: the caller fills `id`; the API fills `status` and
// `value` (8 bytes of a double, 16 bytes of text, or 1 byte).
typedef struct VantorReadItem
{
    int32_t id;
    uint8_t status;
    uint8_t reserved[3];
    unsigned char value[16];
    unsigned char spare[8];
} VantorReadItem;

// Tag ids belong to the connection on which they were resolved.  When that
// connection ends (the server stopped or restarted), every call with one of
// its ids fails with this result instead of reaching a tag that has the same
// number on the new connection: the host resolves its names again.
#define VANTOR_EARLIER_CONNECTION (-2)

// Change notification: `items` holds `count` entries, each a 32-bit table
// index (top bit set: a 16-byte text follows, else an 8-byte float follows),
// packed without padding.  A count of VANTOR_SUBSCRIPTION_LOST (items null)
// says that the connection of the subscription ended: no more notifications
// come for it.
#define VANTOR_SUBSCRIPTION_LOST (-1)
typedef void (*VantorNotifyRoutine)(void *control, int32_t generation, int32_t count, const void *items);
typedef void (*VantorAlarmRoutine)(void *control);
typedef void (*VantorTimerRoutine)(void *control, int32_t timerId);

// Connects to the product (nonzero = ready).  Calls nest: every successful
// ApiStart needs one ApiStop.
VANTORAPI_EXPORT int32_t ApiStart(void);
VANTORAPI_EXPORT void ApiStop(void);

// Fills the id (negative for an unknown name) and the two type bytes (value
// type, item kind 0 = value / 1 = comment) of `count` records of `stride`
// bytes, whose field at `nameOffset` is a `const char *` name.  Nonzero = success.
// Ids are valid on the present connection only (see VANTOR_EARLIER_CONNECTION).
VANTORAPI_EXPORT int32_t ApiResolveTags(int32_t count, void *table, int32_t stride, int32_t nameOffset,
                                        int32_t idOffset, int32_t typeOffset, int32_t kindOffset);

// Subscribes to changes of the ids in the table; the routine gets the table
// index of each changed tag, or is told once that the subscription is lost.
// Returns the subscription id, negative on failure.
VANTORAPI_EXPORT int32_t ApiSubscribe(int32_t loginId, const char *password, int32_t mode,
                                      VantorNotifyRoutine routine, void *control, int32_t generation,
                                      int32_t stride, int32_t idOffset, int32_t count, const void *table);
VANTORAPI_EXPORT void ApiUnsubscribe(int32_t subscriptionId);

VANTORAPI_EXPORT int32_t ApiAlarmSubscribe(int32_t reserved, VantorAlarmRoutine routine, void *control,
                                           int32_t reserved2);
VANTORAPI_EXPORT void ApiAlarmUnsubscribe(int32_t alarmSubscriptionId);

// 0 = success; negative = the product could not be reached or an id is of
// an earlier connection.
VANTORAPI_EXPORT int32_t ApiRead(int32_t loginId, const char *password, int32_t count, VantorReadItem *items,
                                 void *work);
// Writes `count` items: ids[i] takes the next 8 bytes (numbers) or 16 bytes
// (texts) of `values`; `totalBytes` is their sum.  0 = success, negative =
// the product could not be reached or an id is of an earlier connection
// (nothing was written), positive = items were refused.
VANTORAPI_EXPORT int32_t ApiWrite(int32_t loginId, const char *password, int32_t reserved, int32_t count,
                                  int32_t totalBytes, const int32_t *ids, const void *values);

// Shows the product's tag selection; on confirmation writes the chosen item
// names separated by CR LF into `buffer` and returns nonzero.
VANTORAPI_EXPORT int32_t ApiTagDialog(char *buffer, int32_t bufferSize);

// A timer of the product; returns its id, 0 on failure.
VANTORAPI_EXPORT int32_t ApiTimerStart(void *control, int32_t intervalMs, VantorTimerRoutine routine);
VANTORAPI_EXPORT void ApiTimerStop(int32_t timerId);

#ifdef __cplusplus
}

static_assert(sizeof(VantorReadItem) == 32, "read items are 32 bytes");
#endif
