#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "rect.h"
#include "x_session.h"

namespace quorvane::e2e {

using WindowId = unsigned long;

struct WindowGeometry {
    Rect client;  // the window's own area
    Rect outer;   // with the window manager's frame around it
    bool hasFrameExtents = false;  // whether the window manager set _NET_FRAME_EXTENTS
};

// The queries answer nothing for a window that has gone meanwhile.

// Mapped, viewable client windows whose _NET_WM_PID is `pid`.
std::vector<WindowId> VisibleWindowsOf(const XSession& session, pid_t pid);

// The window's title, as UTF-8, byte for byte.
std::optional<std::string> WindowTitle(const XSession& session, WindowId window);

std::optional<WindowGeometry> GeometryOf(const XSession& session, WindowId window);

// The window the window manager marks as active.
std::optional<WindowId> ActiveWindow(const XSession& session);

}  // namespace quorvane::e2e
