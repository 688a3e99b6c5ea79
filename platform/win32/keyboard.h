#pragma once

#include <cstdint>
#include <functional>

#include "platform/win32/windows_api.h"

namespace quorvane {

// Before `widget` is hidden or disabled: the focus on it or inside it moves
// to the next widget, or to the window, so that keys still arrive.
void PassFocusOn(HWND widget);

// A key message at a focused window or widget, handled alike for both:
// Tab and Shift+Tab move the focus through the widgets in the order they
// were made, and a character goes to `keyPressed`. True when handled.
bool HandleKey(HWND focused, UINT message, WPARAM wParam, const std::function<void(int16_t)>& keyPressed);

}  // namespace quorvane
