#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "monitors/cls_monitor.h"
#include "monitors/monitor_collection.h"
#include "platform/window_ref.h"

namespace quorvane {

// The monitors of the desktop, found by probing the virtual desktop, and the
// queries which monitor lies under a point or holds a window. Failures of the
// system's monitor functions become sentinels (-1, 0), fallbacks or a silent
// end; they never reach the caller.
class clsMonitors {
public:
    clsMonitors();  // enumerates at once

    // Created on first use; SetMonitors(nullptr) discards the collection.
    MonitorCollection& Monitors();
    void SetMonitors(std::shared_ptr<MonitorCollection> monitors);

    int32_t DesktopLeft();
    int32_t DesktopTop();
    int32_t DesktopWidth();
    int32_t DesktopHeight();

    // 0 when no monitor is found, -1 when the system function is missing.
    int32_t GetMonitorFromWindow(int32_t hwnd, int32_t dwFlags);
    // Centres FormToCenter on the work area of the reference window's monitor,
    // or of the primary monitor; always returns 0 (False).
    int16_t CenterFormOnMonitor(WindowRef& FormToCenter, const WindowRef* ReferenceForm = nullptr);
    // The monitor that the one-pixel square at (X, Y) meets; -1 when the call fails.
    int32_t GetMonitorFromXYPoint(int32_t X, int32_t Y, int32_t dwFlags);
    void Refresh();

private:
    int32_t GetMetricOrDefault(int32_t index, int32_t fallback);
    int32_t FillMonitorRecord(int32_t handle, clsMonitor& record);
    void ClearMonitors();

    std::shared_ptr<MonitorCollection> monitors_;
};

}  // namespace quorvane
