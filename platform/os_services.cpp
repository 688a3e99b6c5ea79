#include "platform/os_services.h"

#include "platform/run_time_error.h"

namespace quorvane {

namespace {
OsServices* current = nullptr;
}

OsServices& Os()
{
    if (current == nullptr) {
        throw RunTimeError(kInvalidCall, "no operating-system services installed");
    }
    return *current;
}

ScopedOs::ScopedOs(OsServices& services) : previous_(current) { current = &services; }
ScopedOs::~ScopedOs() { current = previous_; }

}  // namespace quorvane
