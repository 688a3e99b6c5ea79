#include "platform/desktop.h"
#include "platform/win32/win32_backend.h"
#include "platform/win32/win32_os.h"

namespace quorvane {

Desktop CreateDesktop() { return {std::make_unique<Win32Backend>(), std::make_unique<Win32Os>()}; }

}  // namespace quorvane
