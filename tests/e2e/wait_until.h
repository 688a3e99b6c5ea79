#pragma once

#include <chrono>
#include <functional>

namespace quorvane::e2e {

using namespace std::chrono_literals;

// Long enough for a loaded machine, short enough that a failing test ends soon.
inline constexpr std::chrono::milliseconds kDefaultTimeout = 15s;

// Polls `condition` until it holds or `timeout` has passed; true when it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = kDefaultTimeout);

}  // namespace quorvane::e2e
