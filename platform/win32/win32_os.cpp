#include "platform/win32/win32_os.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "platform/monitor_layout.h"
#include "platform/run_time_error.h"
#include "platform/text_file.h"
#include "platform/utf8_text.h"
#include "platform/win32/display_change.h"

namespace quorvane {

void* SystemFunctionAddress(const char* library, const char* name)
{
    HMODULE module = GetModuleHandleA(library);
    if (module == nullptr) {
        module = LoadLibraryA(library);
    }
    FARPROC address = module != nullptr ? GetProcAddress(module, name) : nullptr;
    if (address == nullptr) {
        throw RunTimeError(kFunctionMissing, std::string(name) + " is missing from " + library);
    }
    return reinterpret_cast<void*>(address);
}

namespace {

// A system function bound by library and name when it is first called.
template <typename Function>
Function* Bound(const char* library, const char* name)
{
    return reinterpret_cast<Function*>(SystemFunctionAddress(library, name));
}

#define QUORVANE_BIND(library, name) \
    static auto* const name##Bound = Bound<decltype(::name)>(library, #name)

HMONITOR ToMonitor(int32_t handle) { return reinterpret_cast<HMONITOR>(static_cast<intptr_t>(handle)); }
HWND ToWindow(int32_t handle) { return reinterpret_cast<HWND>(static_cast<intptr_t>(handle)); }
int32_t FromMonitor(HMONITOR monitor) { return static_cast<int32_t>(reinterpret_cast<intptr_t>(monitor)); }

// What the system says of the display, asked once and kept until one of the
// program's windows hears that the display, the settings or the DPI changed:
// the toolkit asks for the screen at every twips conversion, and under Wine
// each answer costs round trips to its server.
struct DisplayAnswers {
    // Only the metrics of the screen, the desktop and the monitor count:
    // others change unannounced.
    static constexpr std::array kMetrics = {SM_CXSCREEN,        SM_CYSCREEN,        SM_XVIRTUALSCREEN,
                                            SM_YVIRTUALSCREEN,  SM_CXVIRTUALSCREEN, SM_CYVIRTUALSCREEN,
                                            SM_CMONITORS};
    std::array<std::optional<int32_t>, kMetrics.size()> metrics;
    std::optional<int> dpiX;
    std::optional<int> dpiY;
    // In the system's order, the primary monitor first.
    std::optional<std::vector<MonitorDesc>> monitors;
};

DisplayAnswers& Display()
{
    static DisplayAnswers answers;
    return answers;
}

std::optional<int32_t> KeptMetric(int32_t index)
{
    const auto& kinds = DisplayAnswers::kMetrics;
    const auto* const found = std::find(kinds.begin(), kinds.end(), index);
    if (found == kinds.end()) {
        return std::nullopt;
    }
    std::optional<int32_t>& metric = Display().metrics[static_cast<size_t>(std::distance(kinds.begin(), found))];
    if (!metric) {
        metric = ::GetSystemMetrics(index);
    }
    return metric;
}

// The screen's logical resolution in dots per inch along `axis`.
int KeptDpi(std::optional<int>& kept, int axis)
{
    if (!kept) {
        HDC screen = GetDC(nullptr);
        const int dpi = GetDeviceCaps(screen, axis);
        ReleaseDC(nullptr, screen);
        kept = dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
    }
    return *kept;
}

Rect FromRect(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }

BOOL CALLBACK AddMonitor(HMONITOR handle, HDC, RECT*, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(handle, &info)) {
        reinterpret_cast<std::vector<MonitorDesc>*>(list)->push_back(
            {FromMonitor(handle), FromRect(info.rcMonitor), FromRect(info.rcWork),
             (info.dwFlags & MONITORINFOF_PRIMARY) != 0});
    }
    return TRUE;
}

const std::vector<MonitorDesc>& KeptMonitors()
{
    std::optional<std::vector<MonitorDesc>>& monitors = Display().monitors;
    if (!monitors) {
        monitors.emplace();
        EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&*monitors));
    }
    return *monitors;
}

// All of `bytes` is checked; the first `keep` characters come back.
Text DecodeAnsi(std::string_view bytes, const std::string& where, size_t keep = Text::npos)
{
    if (bytes.empty()) {
        return {};
    }
    const int size = static_cast<int>(bytes.size());
    const int length = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    if (length == 0) {
        throw RunTimeError(kInvalidCall, where + " is not valid text in the system code page");
    }
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, bytes.data(), size, wide.data(), length);
    Text text;
    for (size_t i = 0; i < wide.size() && text.size() < keep; ++i) {
        const char32_t unit = wide[i];
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < wide.size()) {
            text.push_back(0x10000 + ((unit - 0xD800) << 10) + (static_cast<char32_t>(wide[++i]) - 0xDC00));
        } else {
            text.push_back(unit);
        }
    }
    return text;
}

bool IsUtf8File(const std::string& path)
{
    std::ifstream stream(path, std::ios::binary);
    std::string line;
    // No UTF-8 sequence spans a line end.
    while (std::getline(stream, line)) {
        if (!TryDecodeUtf8(line, 0)) {
            return false;
        }
    }
    return true;
}

// A line of ANSI text may happen to be valid UTF-8: the whole file decides,
// when its first line is read, after TextFile has refused what it cannot read.
class FileDecoder {
public:
    explicit FileDecoder(const std::string& path) : path_(path) {}

    Text operator()(std::string_view bytes, const std::string& where, size_t keep)
    {
        if (!utf8_) {
            utf8_ = IsUtf8File(path_);
        }
        return *utf8_ ? DecodeUtf8(bytes, where, keep) : DecodeAnsi(bytes, where, keep);
    }

private:
    std::string path_;
    std::optional<bool> utf8_;
};

}  // namespace

void HearDisplayChange(unsigned int message)
{
    if (message == WM_DISPLAYCHANGE || message == WM_SETTINGCHANGE || message == WM_DPICHANGED) {
        Display() = {};
    }
}

int32_t Win32Os::GetSystemMetrics(int32_t index)
{
    QUORVANE_BIND("user32", GetSystemMetrics);
    if (const std::optional<int32_t> kept = KeptMetric(index)) {
        return *kept;
    }
    return GetSystemMetricsBound(index);
}

int32_t Win32Os::MonitorFromRect(const Rect& rect, int32_t flags)
{
    QUORVANE_BIND("user32", MonitorFromRect);
    const std::vector<MonitorDesc>& monitors = KeptMonitors();
    if (monitors.empty()) {
        const RECT native{rect.left, rect.top, rect.right, rect.bottom};
        return FromMonitor(MonitorFromRectBound(&native, static_cast<DWORD>(flags)));
    }
    // The system takes an empty rectangle for the pixel at its top-left corner.
    const bool empty = rect.right <= rect.left || rect.bottom <= rect.top;
    return MonitorFromRectIn(monitors, empty ? Rect{rect.left, rect.top, rect.left + 1, rect.top + 1} : rect, flags);
}

int32_t Win32Os::MonitorFromWindow(int32_t hwnd, int32_t flags)
{
    QUORVANE_BIND("user32", MonitorFromWindow);
    return FromMonitor(MonitorFromWindowBound(ToWindow(hwnd), static_cast<DWORD>(flags)));
}

int32_t Win32Os::GetMonitorInfoA(int32_t monitor, MonitorInfo& info)
{
    QUORVANE_BIND("user32", GetMonitorInfoA);
    // The system is asked only for what is not kept: another size, an unknown handle.
    if (MonitorInfoIn(KeptMonitors(), monitor, info) != 0) {
        return 1;
    }
    static_assert(sizeof(MONITORINFO) == sizeof(MonitorInfo));
    MONITORINFO native{};
    native.cbSize = info.cbSize;
    const BOOL result = GetMonitorInfoABound(ToMonitor(monitor), &native);
    info.rcMonitor = {native.rcMonitor.left, native.rcMonitor.top, native.rcMonitor.right, native.rcMonitor.bottom};
    info.rcWork = {native.rcWork.left, native.rcWork.top, native.rcWork.right, native.rcWork.bottom};
    info.dwFlags = native.dwFlags;
    return result;
}

int32_t Win32Os::SetWindowPos(int32_t hwnd, int32_t insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                              uint32_t flags)
{
    QUORVANE_BIND("user32", SetWindowPos);
    return SetWindowPosBound(ToWindow(hwnd), ToWindow(insertAfter), x, y, cx, cy, flags);
}

int32_t Win32Os::ShowCursor(int32_t show)
{
    QUORVANE_BIND("user32", ShowCursor);
    return ShowCursorBound(show);
}

int32_t Win32Os::GetProfileStringA(const char* section, const char* key, const char* fallback, char* buffer,
                                   int32_t size)
{
    QUORVANE_BIND("kernel32", GetProfileStringA);
    return static_cast<int32_t>(GetProfileStringABound(section, key, fallback, buffer, static_cast<DWORD>(size)));
}

ScreenMetrics Win32Os::Screen()
{
    const double tppX = 1440.0 / KeptDpi(Display().dpiX, LOGPIXELSX);
    const double tppY = 1440.0 / KeptDpi(Display().dpiY, LOGPIXELSY);
    return {*KeptMetric(SM_CXSCREEN) * tppX, *KeptMetric(SM_CYSCREEN) * tppY, tppX, tppY};
}

Text Win32Os::DecodeSystemText(std::string_view bytes, const std::string& where) { return DecodeAnsi(bytes, where); }

std::unique_ptr<TextLines> Win32Os::OpenTextFile(const std::string& path)
{
    return std::make_unique<TextFile>(path, FileDecoder(path));
}

}  // namespace quorvane
