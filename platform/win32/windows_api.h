#pragma once

// The system header without its macros that would rename the backend's
// CreateWindow and the desktop's CreateDesktop. Include it after
// platform/os_services.h, whose constants carry the names of macros here.
#include <windows.h>
#undef CreateDesktop
#undef CreateWindow
