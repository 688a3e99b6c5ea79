#pragma once

#include <memory>

#include "platform/os_services.h"

namespace quorvane {

// The services of the desktop this program was built for.
std::unique_ptr<OsServices> CreateDesktopOs();

}  // namespace quorvane
