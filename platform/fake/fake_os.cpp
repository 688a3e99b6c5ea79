#include "platform/fake/fake_os.h"

#include "platform/profile_string.h"
#include "platform/run_time_error.h"
#include "platform/text_file.h"
#include "platform/utf8_text.h"

namespace quorvane {

namespace {

const char* NameOf(OsCall call)
{
    switch (call) {
    case OsCall::GetSystemMetrics: return "GetSystemMetrics";
    case OsCall::MonitorFromRect: return "MonitorFromRect";
    case OsCall::MonitorFromWindow: return "MonitorFromWindow";
    case OsCall::GetMonitorInfoA: return "GetMonitorInfoA";
    case OsCall::SetWindowPos: return "SetWindowPos";
    case OsCall::ShowCursor: return "ShowCursor";
    case OsCall::GetProfileStringA: return "GetProfileStringA";
    }
    return "?";
}

}  // namespace

FakeOs::FakeOs()
{
    SetMonitors({FakeMonitor(0x10001, 0, 0, 1024, 768, true)});
    screen_ = {1024 * 15.0, 768 * 15.0, 15, 15};
}

MonitorDesc FakeMonitor(int32_t handle, int32_t left, int32_t top, int32_t width, int32_t height, bool primary)
{
    const Rect rect{left, top, left + width, top + height};
    return {handle, rect, rect, primary};
}

void FakeOs::Restore(OsCall call)
{
    missing_.erase(call);
    failing_.erase(call);
    returningZero_.erase(call);
}

int FakeOs::CallCount(OsCall call) const
{
    const auto found = calls_.find(call);
    return found == calls_.end() ? 0 : found->second;
}

bool FakeOs::Enter(OsCall call)
{
    ++calls_[call];
    if (missing_.count(call) != 0) {
        throw RunTimeError(kFunctionMissing, std::string(NameOf(call)) + " is missing from its library");
    }
    const auto failure = failing_.find(call);
    if (failure != failing_.end()) {
        throw RunTimeError(failure->second, std::string(NameOf(call)) + " failed");
    }
    return returningZero_.count(call) == 0;
}

int32_t FakeOs::GetSystemMetrics(int32_t index)
{
    if (!Enter(OsCall::GetSystemMetrics)) {
        return 0;
    }
    const Rect bounds = VirtualScreenOf(monitors_);
    switch (index) {
    case SM_XVIRTUALSCREEN: return bounds.left;
    case SM_YVIRTUALSCREEN: return bounds.top;
    case SM_CXVIRTUALSCREEN: return bounds.right - bounds.left;
    case SM_CYVIRTUALSCREEN: return bounds.bottom - bounds.top;
    case SM_CMONITORS: return monitorCount_.value_or(static_cast<int32_t>(monitors_.size()));
    default: return 0;
    }
}

int32_t FakeOs::MonitorFromRect(const Rect& rect, int32_t flags)
{
    if (!Enter(OsCall::MonitorFromRect)) {
        return 0;
    }
    return MonitorFromRectIn(monitors_, rect, flags);
}

int32_t FakeOs::MonitorFromWindow(int32_t hwnd, int32_t flags)
{
    if (!Enter(OsCall::MonitorFromWindow)) {
        return 0;
    }
    const auto window = windows_.find(hwnd);
    return window == windows_.end() ? 0 : MonitorFromRectIn(monitors_, window->second, flags);
}

int32_t FakeOs::GetMonitorInfoA(int32_t monitor, MonitorInfo& info)
{
    if (!Enter(OsCall::GetMonitorInfoA)) {
        return 0;
    }
    return MonitorInfoIn(monitors_, monitor, info);
}

int32_t FakeOs::SetWindowPos(int32_t hwnd, int32_t insertAfter, int32_t, int32_t, int32_t, int32_t, uint32_t)
{
    if (!Enter(OsCall::SetWindowPos)) {
        return 0;
    }
    if (insertAfter == HWND_TOPMOST) {
        topmostWindows_.push_back(hwnd);
    }
    return 1;
}

int32_t FakeOs::ShowCursor(int32_t show)
{
    if (!Enter(OsCall::ShowCursor)) {
        return 0;
    }
    cursorCounter_ += show != 0 ? 1 : -1;
    return cursorCounter_;
}

int32_t FakeOs::GetProfileStringA(const char* section, const char* key, const char* fallback, char* buffer,
                                  int32_t size)
{
    if (!Enter(OsCall::GetProfileStringA)) {
        return 0;
    }
    return CopyProfileValue(IsLanguageProfileKey(section, key) ? profileLanguage_ : fallback, buffer, size);
}

Text FakeOs::DecodeSystemText(std::string_view bytes, const std::string& where)
{
    return DecodeUtf8(bytes, where);
}

std::unique_ptr<TextLines> FakeOs::OpenTextFile(const std::string& path)
{
    return std::make_unique<TextFile>(path, DecodeUtf8);
}

}  // namespace quorvane
