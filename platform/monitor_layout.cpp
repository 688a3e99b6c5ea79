#include "platform/monitor_layout.h"

#include <algorithm>
#include <limits>

namespace quorvane {

namespace {

int64_t IntersectionArea(const Rect& a, const Rect& b)
{
    const int64_t width = int64_t{std::min(a.right, b.right)} - std::max(a.left, b.left);
    const int64_t height = int64_t{std::min(a.bottom, b.bottom)} - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Squared distance between the nearest points of two rectangles, in double:
// a gap may span the whole 32-bit range, and its square then exceeds 64 bits.
double GapSquared(const Rect& a, const Rect& b)
{
    const auto dx = static_cast<double>(
        std::max<int64_t>({0, int64_t{b.left} - a.right + 1, int64_t{a.left} - b.right + 1}));
    const auto dy = static_cast<double>(
        std::max<int64_t>({0, int64_t{b.top} - a.bottom + 1, int64_t{a.top} - b.bottom + 1}));
    return dx * dx + dy * dy;
}

}  // namespace

int32_t MonitorFromRectIn(const std::vector<MonitorDesc>& monitors, const Rect& rect, int32_t flags)
{
    int64_t bestArea = 0;
    int32_t best = 0;
    for (const auto& m : monitors) {
        const int64_t area = IntersectionArea(m.monitor, rect);
        if (area > bestArea) {
            bestArea = area;
            best = m.handle;
        }
    }
    if (best != 0 || monitors.empty()) {
        return best;
    }
    if (flags == MONITOR_DEFAULTTOPRIMARY) {
        const auto primary = std::find_if(monitors.begin(), monitors.end(), [](const auto& m) { return m.primary; });
        return primary != monitors.end() ? primary->handle : monitors.front().handle;
    }
    if (flags == MONITOR_DEFAULTTONEAREST) {
        double bestGap = std::numeric_limits<double>::infinity();
        for (const auto& m : monitors) {
            const double gap = GapSquared(m.monitor, rect);
            if (gap < bestGap) {
                bestGap = gap;
                best = m.handle;
            }
        }
    }
    return best;
}

Rect VirtualScreenOf(const std::vector<MonitorDesc>& monitors)
{
    if (monitors.empty()) {
        return {};
    }
    Rect bounds = monitors.front().monitor;
    for (const auto& m : monitors) {
        bounds.left = std::min(bounds.left, m.monitor.left);
        bounds.top = std::min(bounds.top, m.monitor.top);
        bounds.right = std::max(bounds.right, m.monitor.right);
        bounds.bottom = std::max(bounds.bottom, m.monitor.bottom);
    }
    return bounds;
}

int32_t MonitorInfoIn(const std::vector<MonitorDesc>& monitors, int32_t handle, MonitorInfo& info)
{
    if (info.cbSize != sizeof(MonitorInfo)) {
        return 0;
    }
    const auto found = std::find_if(monitors.begin(), monitors.end(), [&](const auto& m) { return m.handle == handle; });
    if (found == monitors.end()) {
        return 0;
    }
    info.rcMonitor = found->monitor;
    info.rcWork = found->work;
    info.dwFlags = found->primary ? kMonitorInfoPrimary : 0;
    return 1;
}

}  // namespace quorvane
