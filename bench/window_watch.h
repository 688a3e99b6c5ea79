#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace quorvane::bench {

// A window made as a child of the root window: every window a program shows.
// A window manager may have moved it into a frame of its own since.
struct TopWindow {
    xcb_window_t id;
    bool mapped = false;
    std::string title;  // _NET_WM_NAME, or WM_NAME when that is not set
};

enum class WaitResult { Reached, TimedOut, Interrupted };

// Follows the top-level windows of the X display named by $DISPLAY through
// the server's own events (creation, mapping, title changes), so that a
// waiter learns of a change as soon as the server makes it. The window
// manager's frames count as top-level windows too, without a title.
class WindowWatch {
public:
    using Clock = std::chrono::steady_clock;
    using Condition = std::function<bool(const std::vector<TopWindow>&)>;

    WindowWatch();  // throws std::runtime_error when the display cannot be watched
    ~WindowWatch();
    WindowWatch(const WindowWatch&) = delete;
    WindowWatch& operator=(const WindowWatch&) = delete;

    // Handles the server's events until `condition` holds for the windows
    // (Reached), `deadline` passes (TimedOut) or `interruption`, a descriptor,
    // becomes readable first (Interrupted; -1 for none).
    WaitResult WaitUntil(const Condition& condition, Clock::time_point deadline, int interruption = -1);

    const std::vector<TopWindow>& Windows() const { return windows_; }

private:
    void HandleEvent(const xcb_generic_event_t& event);
    void Track(xcb_window_t window);
    TopWindow* Find(xcb_window_t window);
    std::string ReadTitle(xcb_window_t window);
    std::string ReadText(xcb_window_t window, xcb_atom_t property);

    xcb_connection_t* connection_;
    xcb_atom_t netWmName_ = 0;
    std::vector<TopWindow> windows_;
};

}  // namespace quorvane::bench
