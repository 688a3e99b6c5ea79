#pragma once

#include <string>

#include "platform/text.h"
#include "platform/win32/windows_api.h"

// Captions of windows and controls wait until the message queue is empty,
// or until a window is shown. Under Wine a caption costs round trips to its
// server, the control's repaint and, for a title, the X server's: done at
// once, they would come before a new picture reaches the screen. And a form
// sets its captions several times while it loads.
namespace quorvane::pending_captions {

// Queues `caption` for `hwnd` unless `shown`, the caption last set, is the
// same; `shown` then becomes it.
void Set(HWND hwnd, std::wstring& shown, const Text& caption);
// `hwnd` is being destroyed.
void Forget(HWND hwnd);
bool Any();
void ShowAll();

}  // namespace quorvane::pending_captions
