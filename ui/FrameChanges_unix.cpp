#include "ui/FrameChanges.h"

#include <xcb/xproto.h>

bool mayChangeFrameOf(const QByteArray &eventType, const void *message, WId window) {
    if (eventType != "xcb_generic_event_t" || !message)
        return false;
    const auto *event = static_cast<const xcb_generic_event_t *>(message);
    // The high bit marks an event sent by another client, as window managers send some.
    if ((event->response_type & ~0x80) != XCB_PROPERTY_NOTIFY)
        return false;
    return static_cast<const xcb_property_notify_event_t *>(message)->window == window;
}
