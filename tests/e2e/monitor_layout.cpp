#include "monitor_layout.h"

#include <algorithm>
#include <cmath>

namespace quorvane::e2e {
namespace {

int Millimetres(int pixels)
{
    return static_cast<int>(std::lround(pixels * 25.4 / 96.0));
}

}  // namespace

int MonitorLayout::ScreenWidth() const
{
    int width = minimumScreenWidth;
    for (const Rect& monitor : monitors) {
        width = std::max(width, monitor.Right());
    }
    return width;
}

int MonitorLayout::ScreenHeight() const
{
    int height = minimumScreenHeight;
    for (const Rect& monitor : monitors) {
        height = std::max(height, monitor.Bottom());
    }
    return height;
}

std::string RandrGeometry(const Rect& area)
{
    return std::to_string(area.width) + "/" + std::to_string(Millimetres(area.width)) + "x" +
           std::to_string(area.height) + "/" + std::to_string(Millimetres(area.height)) + "+" +
           std::to_string(area.x) + "+" + std::to_string(area.y);
}

}  // namespace quorvane::e2e
