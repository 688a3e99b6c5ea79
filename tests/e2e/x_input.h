#pragma once

#include <string>

#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {

// Real input through the XTEST extension: it goes where a user's would, to
// the focused window and the window under the pointer.

// Key names as xdotool takes them: "n", "N", "Escape", "Return", "alt+F4".
void PressKey(const XSession& session, const std::string& key);

void MovePointer(const XSession& session, int x, int y);

// Moves the pointer to (x, y) and clicks the left button there.
void Click(const XSession& session, int x, int y);

// Moves a window as a program would: the window manager puts the frame's or
// the client area's top-left corner at (x, y), as the window's gravity says.
void MoveWindow(const XSession& session, WindowId window, int x, int y);

// Asks the window manager to make the window active and waits until it is.
void ActivateWindow(const XSession& session, WindowId window);

}  // namespace quorvane::e2e
