#include "platform/win32/display_cache.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "platform/monitor_layout.h"
#include "platform/win32/windows_api.h"

namespace quorvane::display_cache {

namespace {

constexpr std::array kMetrics = {SM_CXSCREEN,        SM_CYSCREEN,        SM_XVIRTUALSCREEN, SM_YVIRTUALSCREEN,
                                 SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN, SM_CMONITORS};

struct Answers {
    std::array<std::optional<int32_t>, kMetrics.size()> metrics;
    std::optional<int> dpiX;
    std::optional<int> dpiY;
    std::optional<std::vector<MonitorDesc>> monitors;
};

Answers& Known()
{
    static Answers answers;
    return answers;
}

int ScreenDpi(int index)
{
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

Rect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, RECT*, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(handle, &info)) {
        reinterpret_cast<std::vector<MonitorDesc>*>(list)->push_back(
            {static_cast<int32_t>(reinterpret_cast<intptr_t>(handle)), FromRect(info.rcMonitor),
             FromRect(info.rcWork), (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

}  // namespace

std::optional<int32_t> Metric(int32_t index)
{
    const auto* const found = std::find(kMetrics.begin(), kMetrics.end(), index);
    if (found == kMetrics.end()) {
        return std::nullopt;
    }
    std::optional<int32_t>& metric = Known().metrics[static_cast<size_t>(std::distance(kMetrics.begin(), found))];
    if (!metric) {
        metric = GetSystemMetrics(index);
    }
    return metric;
}

int DpiX()
{
    std::optional<int>& dpi = Known().dpiX;
    if (!dpi) {
        dpi = ScreenDpi(LOGPIXELSX);
    }
    return *dpi;
}

int DpiY()
{
    std::optional<int>& dpi = Known().dpiY;
    if (!dpi) {
        dpi = ScreenDpi(LOGPIXELSY);
    }
    return *dpi;
}

const std::vector<MonitorDesc>& Monitors()
{
    std::optional<std::vector<MonitorDesc>>& monitors = Known().monitors;
    if (!monitors) {
        monitors.emplace();
        EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&*monitors));
    }
    return *monitors;
}

void Hear(unsigned int message)
{
    if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE || message == WM_DPICHANGED) {
        Known() = {};
    }
}

}  // namespace quorvane::display_cache
