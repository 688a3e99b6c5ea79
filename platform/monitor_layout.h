#pragma once

#include <cstdint>
#include <vector>

#include "platform/os_services.h"

namespace quorvane {

// One monitor as a backend knows it, in virtual-desktop pixels.
struct MonitorDesc {
    int32_t handle = 0;
    Rect monitor;
    Rect work;
    bool primary = false;
};

// The monitor queries with the system's rules, for backends that keep their
// monitors as a list: largest intersection first, then the flag decides
// between none, the primary monitor and the nearest monitor.
int32_t MonitorFromRectIn(const std::vector<MonitorDesc>& monitors, const Rect& rect, int32_t flags);
// The bounding rectangle of all monitors (an empty rectangle when there are none).
Rect VirtualScreenOf(const std::vector<MonitorDesc>& monitors);
// Fills `info` for a known handle; 0 for an unknown handle or a wrong cbSize.
int32_t MonitorInfoIn(const std::vector<MonitorDesc>& monitors, int32_t handle, MonitorInfo& info);

}  // namespace quorvane
