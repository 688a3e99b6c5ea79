#pragma once

#include <memory>

#include "platform/backend.h"
#include "platform/os_services.h"

namespace quorvane {

// The window system and the system services of the desktop this program was
// built for: Qt on Linux, Win32 on Windows.
struct Desktop {
    std::unique_ptr<backend::Backend> backend;
    std::unique_ptr<OsServices> os;
};

Desktop CreateDesktop();

}  // namespace quorvane
