#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/monitor_layout.h"
#include "platform/os_services.h"

namespace quorvane {

// The operations of the services, for scripting faults.
enum class OsCall {
    GetSystemMetrics,
    MonitorFromRect,
    MonitorFromWindow,
    GetMonitorInfoA,
    SetWindowPos,
    ShowCursor,
    GetProfileStringA,
};

// Scriptable services for tests: any monitor layout and screen, a profile
// value, missing functions (error 453), calls that raise an error and calls
// that report failure by their result. Text files are real files, decoded as
// UTF-8.
class FakeOs final : public OsServices {
public:
    FakeOs();

    // Monitors in system order; the first one marked primary is the primary.
    void SetMonitors(std::vector<MonitorDesc> monitors) { monitors_ = std::move(monitors); }
    // Overrides the monitor count (0: a system without support for several monitors).
    void SetMonitorCount(std::optional<int32_t> count) { monitorCount_ = count; }
    void SetScreen(const ScreenMetrics& screen) { screen_ = screen; }
    void SetProfileLanguage(std::string value) { profileLanguage_ = std::move(value); }
    void SetWindowRect(int32_t hwnd, const Rect& rect) { windows_[hwnd] = rect; }
    void MakeMissing(OsCall call) { missing_.insert(call); }
    void MakeFailing(OsCall call, int32_t errorNumber) { failing_[call] = errorNumber; }
    // The call fails the way the system function reports it: it does nothing and returns 0.
    void MakeReturnZero(OsCall call) { returningZero_.insert(call); }
    void Restore(OsCall call);

    // What the program did.
    int32_t CursorCounter() const { return cursorCounter_; }
    const std::vector<int32_t>& TopmostWindows() const { return topmostWindows_; }
    int CallCount(OsCall call) const;

    int32_t GetSystemMetrics(int32_t index) override;
    int32_t MonitorFromRect(const Rect& rect, int32_t flags) override;
    int32_t MonitorFromWindow(int32_t hwnd, int32_t flags) override;
    int32_t GetMonitorInfoA(int32_t monitor, MonitorInfo& info) override;
    int32_t SetWindowPos(int32_t hwnd, int32_t insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                         uint32_t flags) override;
    int32_t ShowCursor(int32_t show) override;
    int32_t GetProfileStringA(const char* section, const char* key, const char* fallback, char* buffer,
                              int32_t size) override;
    ScreenMetrics Screen() override { return screen_; }
    Text DecodeSystemText(std::string_view bytes, const std::string& where) override;
    std::unique_ptr<TextLines> OpenTextFile(const std::string& path) override;

private:
    // Counts the call and raises its scripted error; false when it is to return 0.
    bool Enter(OsCall call);

    std::vector<MonitorDesc> monitors_;
    std::optional<int32_t> monitorCount_;
    ScreenMetrics screen_;
    std::string profileLanguage_;
    std::map<int32_t, Rect> windows_;
    std::set<OsCall> missing_;
    std::map<OsCall, int32_t> failing_;
    std::set<OsCall> returningZero_;
    std::map<OsCall, int> calls_;
    int32_t cursorCounter_ = 0;
    std::vector<int32_t> topmostWindows_;
};

// A monitor record for layouts written by hand: work area = monitor.
MonitorDesc FakeMonitor(int32_t handle, int32_t left, int32_t top, int32_t width, int32_t height,
                        bool primary = false);

}  // namespace quorvane
