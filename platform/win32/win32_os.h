#pragma once

#include "platform/os_services.h"

namespace quorvane {

// The address of a system function, looked up by library and function name;
// a function missing from its library is error 453. Win32Os binds each of its
// functions through this at the first call.
void* SystemFunctionAddress(const char* library, const char* name);

// The services on Windows: the system functions themselves, each bound by
// library and name at its first call; a missing one is error 453.
class Win32Os final : public OsServices {
public:
    int32_t GetSystemMetrics(int32_t index) override;
    int32_t MonitorFromRect(const Rect& rect, int32_t flags) override;
    int32_t MonitorFromWindow(int32_t hwnd, int32_t flags) override;
    int32_t GetMonitorInfoA(int32_t monitor, MonitorInfo& info) override;
    int32_t SetWindowPos(int32_t hwnd, int32_t insertAfter, int32_t x, int32_t y, int32_t cx, int32_t cy,
                         uint32_t flags) override;
    int32_t ShowCursor(int32_t show) override;
    int32_t GetProfileStringA(const char* section, const char* key, const char* fallback, char* buffer,
                              int32_t size) override;
    ScreenMetrics Screen() override;
    // Text in the ANSI code page.
    Text DecodeSystemText(std::string_view bytes, const std::string& where) override;
    // A file whose lines are all UTF-8, with or without a byte-order mark, is
    // read as UTF-8, any other in the ANSI code page, as older files are.
    std::unique_ptr<TextLines> OpenTextFile(const std::string& path) override;
};

}  // namespace quorvane
