#pragma once

#include <QByteArray>
#include <QWindow>

// Whether a native event of the window system may carry a new frame for the window: on X11 a
// change of one of the window's properties (the window manager writes its frame's extents to
// _NET_FRAME_EXTENTS); on Windows none does, as a window's frame is known before it is shown.
bool mayChangeFrameOf(const QByteArray &eventType, const void *message, WId window);
