#pragma once

#include <string>

#include "platform/win32/windows_api.h"

namespace quorvane {

// CreateWindowExW at (0, 0) for every window and control of the program. One
// the system cannot make is run-time error 7, naming `what` and the system's
// reason: no caller ever holds a null handle.
HWND CreateWindowOrFail(const std::string& what, DWORD exStyle, const wchar_t* className, DWORD style, int width,
                        int height, HWND parent);

}  // namespace quorvane
