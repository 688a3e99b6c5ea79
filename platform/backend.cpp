#include "platform/backend.h"

#include <cstdlib>

#include "platform/run_time_error.h"

namespace quorvane::backend {

namespace {
Backend* current = nullptr;
}

void Backend::Quit(int exitCode)
{
    Terminate(exitCode);
    std::abort();
}

Backend& Current()
{
    if (current == nullptr) {
        throw RunTimeError(kInvalidCall, "no window system installed");
    }
    return *current;
}

ScopedBackend::ScopedBackend(Backend& backend) : previous_(current) { current = &backend; }
ScopedBackend::~ScopedBackend() { current = previous_; }

}  // namespace quorvane::backend
