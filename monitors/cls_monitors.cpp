#include "monitors/cls_monitors.h"

#include "platform/checked_arith.h"
#include "platform/os_services.h"
#include "platform/run_time_error.h"

namespace quorvane {

namespace {

// The desktop is probed once per cell, at the cell's centre.
constexpr int32_t kCellWidth = 640;
constexpr int32_t kCellHeight = 480;
constexpr int32_t kProbeOffsetX = 320;
constexpr int32_t kProbeOffsetY = 240;

int32_t ScreenWidthInPixels()
{
    const ScreenMetrics screen = Os().Screen();
    return arith::Div(arith::ToInt32(screen.widthTwips), arith::ToInt32(screen.twipsPerPixelX));
}

int32_t ScreenHeightInPixels()
{
    const ScreenMetrics screen = Os().Screen();
    return arith::Div(arith::ToInt32(screen.heightTwips), arith::ToInt32(screen.twipsPerPixelY));
}

// Zeroed, with the size the system checks.
MonitorInfo EmptyMonitorInfo()
{
    MonitorInfo info{};
    info.cbSize = sizeof(MonitorInfo);
    return info;
}

// Without a monitor count the primary screen is the whole desktop.
std::shared_ptr<clsMonitor> PrimaryScreenRecord()
{
    auto record = std::make_shared<clsMonitor>();
    record->Handle(0);
    record->Bottom(ScreenHeightInPixels());
    record->Left(0);
    record->Right(ScreenWidthInPixels());
    record->Top(0);
    record->WorkBottom(record->Bottom());
    record->WorkLeft(0);
    record->WorkRight(record->Right());
    record->WorkTop(0);
    record->Width(record->Right());
    record->Height(record->Bottom());
    return record;
}

void CenterOnPrimaryScreen(WindowRef& form)
{
    const ScreenMetrics screen = Os().Screen();
    form.Move(arith::Div(arith::ToInt32(screen.widthTwips - form.Width()), 2),
              arith::Div(arith::ToInt32(screen.heightTwips - form.Height()), 2));
}

// The box has the work area's size but sits at the monitor's top-left
// corner, so a taskbar at the left or top pulls the window toward it.
void CenterOnWorkArea(WindowRef& form, int32_t monitor)
{
    MonitorInfo info = EmptyMonitorInfo();
    if (Os().GetMonitorInfoA(monitor, info) == 0) {
        return;
    }
    const ScreenMetrics screen = Os().Screen();
    const int32_t workWidth =
        arith::ToInt32(screen.twipsPerPixelX * arith::Sub(info.rcWork.right, info.rcWork.left));
    const int32_t workHeight =
        arith::ToInt32(screen.twipsPerPixelY * arith::Sub(info.rcWork.bottom, info.rcWork.top));
    const double newLeft = screen.twipsPerPixelX * info.rcMonitor.left +
                           arith::Div(arith::ToInt32(workWidth - form.Width()), 2);
    const double newTop = screen.twipsPerPixelY * info.rcMonitor.top +
                          arith::Div(arith::ToInt32(workHeight - form.Height()), 2);
    form.Move(newLeft, newTop);
}

}  // namespace

clsMonitors::clsMonitors() { Refresh(); }

MonitorCollection& clsMonitors::Monitors()
{
    if (!monitors_) {
        monitors_ = std::make_shared<MonitorCollection>();
    }
    return *monitors_;
}

void clsMonitors::SetMonitors(std::shared_ptr<MonitorCollection> monitors) { monitors_ = std::move(monitors); }

int32_t clsMonitors::DesktopLeft() { return GetMetricOrDefault(SM_XVIRTUALSCREEN, 0); }
int32_t clsMonitors::DesktopTop() { return GetMetricOrDefault(SM_YVIRTUALSCREEN, 0); }
int32_t clsMonitors::DesktopWidth() { return GetMetricOrDefault(SM_CXVIRTUALSCREEN, ScreenWidthInPixels()); }
int32_t clsMonitors::DesktopHeight() { return GetMetricOrDefault(SM_CYVIRTUALSCREEN, ScreenHeightInPixels()); }

int32_t clsMonitors::GetMonitorFromWindow(int32_t hwnd, int32_t dwFlags)
{
    try {
        return Os().MonitorFromWindow(hwnd, dwFlags);
    } catch (const RunTimeError& error) {
        return error.Number() == kFunctionMissing ? -1 : 0;
    }
}

int16_t clsMonitors::CenterFormOnMonitor(WindowRef& FormToCenter, const WindowRef* ReferenceForm)
{
    try {
        try {
            // Through double: a handle that does not fit in 32 bits is an overflow.
            const int32_t monitor =
                ReferenceForm == nullptr
                    ? GetMonitorFromXYPoint(1, 1, MONITOR_DEFAULTTOPRIMARY)
                    : GetMonitorFromWindow(arith::ToInt32(static_cast<double>(ReferenceForm->hWnd())),
                                           MONITOR_DEFAULTTOPRIMARY);
            if (monitor != 0) {
                CenterOnWorkArea(FormToCenter, monitor);
            } else {
                CenterOnPrimaryScreen(FormToCenter);
            }
        } catch (const RunTimeError& error) {
            if (error.Number() != kFunctionMissing) {
                throw;
            }
            CenterOnPrimaryScreen(FormToCenter);
        }
    } catch (const RunTimeError&) {
        // The window stays where it is.
    }
    return 0;
}

int32_t clsMonitors::GetMonitorFromXYPoint(int32_t X, int32_t Y, int32_t dwFlags)
{
    const Rect square{X, Y, arith::Add(X, 1), arith::Add(Y, 1)};  // overflow reaches the caller
    try {
        return Os().MonitorFromRect(square, dwFlags);
    } catch (const RunTimeError&) {
        return -1;
    }
}

void clsMonitors::Refresh()
{
    SetMonitors(nullptr);
    try {
        if (Os().GetSystemMetrics(SM_CMONITORS) == 0) {
            ClearMonitors();
            Monitors().Add(PrimaryScreenRecord(), MonitorKey(0));
            return;
        }
        // The limits are the desktop's width and height; its left and top
        // edges are never positive, so this still reaches its far edges.
        const int32_t rowLimit = DesktopHeight();
        for (int32_t y = DesktopTop(); y <= rowLimit; y = arith::Add(y, kCellHeight)) {
            const int32_t columnLimit = DesktopWidth();
            for (int32_t x = DesktopLeft(); x <= columnLimit; x = arith::Add(x, kCellWidth)) {
                const int32_t monitor =
                    GetMonitorFromXYPoint(arith::Add(x, kProbeOffsetX), arith::Add(y, kProbeOffsetY), MONITOR_DEFAULTTONULL);
                if (monitor == 0) {
                    continue;
                }
                auto record = std::make_shared<clsMonitor>();
                FillMonitorRecord(monitor, *record);
                try {
                    Monitors().Add(record, MonitorKey(monitor));
                } catch (const RunTimeError& error) {
                    if (error.Number() != kDuplicateKey) {
                        throw;
                    }
                    // Found by an earlier probe: the first record stays.
                }
            }
        }
    } catch (const RunTimeError&) {
        // The monitors found so far are kept.
    }
}

int32_t clsMonitors::GetMetricOrDefault(int32_t index, int32_t fallback)
{
    if (Os().GetSystemMetrics(SM_CMONITORS) == 0) {
        return fallback;
    }
    return Os().GetSystemMetrics(index);
}

int32_t clsMonitors::FillMonitorRecord(int32_t handle, clsMonitor& record)
{
    try {
        MonitorInfo info = EmptyMonitorInfo();
        const int32_t result = Os().GetMonitorInfoA(handle, info);
        record.Handle(handle);
        record.Left(info.rcMonitor.left);
        record.Right(info.rcMonitor.right);
        record.Top(info.rcMonitor.top);
        record.Bottom(info.rcMonitor.bottom);
        record.WorkLeft(info.rcWork.left);
        record.WorkRight(info.rcWork.right);
        record.WorkTop(info.rcWork.top);
        record.WorkBottom(info.rcWork.bottom);
        record.Height(arith::Sub(info.rcMonitor.bottom, info.rcMonitor.top));
        record.Width(arith::Sub(info.rcMonitor.right, info.rcMonitor.left));
        return result;
    } catch (const RunTimeError& error) {
        return error.Number() == kFunctionMissing ? -1 : 0;
    }
}

void clsMonitors::ClearMonitors()
{
    for (int32_t position = Monitors().Count(); position >= 1; --position) {
        try {
            Monitors().Remove(position);
        } catch (const RunTimeError&) {
            // Clearing goes on with the next position.
        }
    }
}

}  // namespace quorvane
