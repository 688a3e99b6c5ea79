#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "rect.h"

namespace quorvane::e2e {

// The RandR monitors of a test display, in X root coordinates (never
// negative: a monitor left of the primary one has the smaller x).
struct MonitorLayout {
    std::vector<Rect> monitors;
    size_t primary = 0;
    // The X screen is at least as big as this, and always covers every
    // monitor; extra room lets a test add monitors later.
    int minimumScreenWidth = 0;
    int minimumScreenHeight = 0;

    Rect Primary() const { return monitors.at(primary); }
    int ScreenWidth() const;
    int ScreenHeight() const;
};

// The geometry argument of `xrandr --setmonitor`, with the physical size of a
// 96-dpi screen: "1024/271x768/203+0+0".
std::string RandrGeometry(const Rect& area);

}  // namespace quorvane::e2e
