#pragma once

#include <cstdint>

#include "platform/run_time_error.h"

namespace quorvane::testing {

// The number of the run-time error that `action` raises, 0 when it raises none.
template <typename Action>
int32_t ErrorNumberOf(Action&& action)
{
    try {
        action();
    } catch (const RunTimeError& error) {
        return error.Number();
    }
    return 0;
}

}  // namespace quorvane::testing
