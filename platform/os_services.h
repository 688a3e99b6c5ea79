#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "platform/text.h"

namespace quorvane {

// Rectangles in virtual-desktop pixels; right and bottom are exclusive.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;
    bool operator==(const Rect&) const = default;
};

// The 40-byte monitor information record.
struct MonitorInfo {
    uint32_t cbSize = 0;
    Rect rcMonitor;
    Rect rcWork;
    uint32_t dwFlags = 0;
};
static_assert(sizeof(MonitorInfo) == 40);

constexpr uint32_t kMonitorInfoPrimary = 1;

constexpr int32_t SM_XVIRTUALSCREEN = 76;
constexpr int32_t SM_YVIRTUALSCREEN = 77;
constexpr int32_t SM_CXVIRTUALSCREEN = 78;
constexpr int32_t SM_CYVIRTUALSCREEN = 79;
constexpr int32_t SM_CMONITORS = 80;

constexpr int32_t MONITOR_DEFAULTTONULL = 0;
constexpr int32_t MONITOR_DEFAULTTOPRIMARY = 1;
constexpr int32_t MONITOR_DEFAULTTONEAREST = 2;

constexpr int32_t HWND_TOPMOST = -1;
constexpr uint32_t SWP_NOSIZE = 1;
constexpr uint32_t SWP_NOMOVE = 2;

// The primary screen as the window toolkit reports it.
struct ScreenMetrics {
    double widthTwips = 0;
    double heightTwips = 0;
    double twipsPerPixelX = 15;
    double twipsPerPixelY = 15;
};

// Sequential reading of a text file, one line at a time.
class TextLines {
public:
    static constexpr size_t kWholeLine = Text::npos;

    virtual ~TextLines() = default;
    virtual bool AtEnd() = 0;
    // Reading past the last line is error 62. Only the first `keep`
    // characters come back, though the whole line is checked: a line that
    // is ignored or stored cut is never decoded into a text of its length.
    virtual Text ReadLine(size_t keep = kWholeLine) = 0;
};

// Everything the program asks of the operating system and the window system.
// The calls keep the semantics of the system functions of the same names;
// a function missing from its library raises error 453 at the call.
class OsServices {
public:
    virtual ~OsServices() = default;

    virtual int32_t GetSystemMetrics(int32_t index) = 0;
    virtual int32_t MonitorFromRect(const Rect& rect, int32_t flags) = 0;
    virtual int32_t MonitorFromWindow(int32_t hwnd, int32_t flags) = 0;
    virtual int32_t GetMonitorInfoA(int32_t monitor, MonitorInfo& info) = 0;
    virtual int32_t SetWindowPos(int32_t hwnd, int32_t insertAfter, int32_t x, int32_t y, int32_t cx,
                                 int32_t cy, uint32_t flags) = 0;
    // Returns the new cursor display counter; the cursor shows while it is 0 or more.
    virtual int32_t ShowCursor(int32_t show) = 0;
    // Copies at most size - 1 bytes and a terminating zero; returns the bytes copied.
    virtual int32_t GetProfileStringA(const char* section, const char* key, const char* fallback,
                                      char* buffer, int32_t size) = 0;

    virtual ScreenMetrics Screen() = 0;

    // Text in the system's 8-bit code page. Invalid text is an error naming `where`.
    virtual Text DecodeSystemText(std::string_view bytes, const std::string& where) = 0;
    virtual std::unique_ptr<TextLines> OpenTextFile(const std::string& path) = 0;
};

// The services of this run: the desktop backend in the program, a fake in tests.
OsServices& Os();

// Installs services for its own lifetime.
class ScopedOs {
public:
    explicit ScopedOs(OsServices& services);
    ~ScopedOs();
    ScopedOs(const ScopedOs&) = delete;
    ScopedOs& operator=(const ScopedOs&) = delete;

private:
    OsServices* previous_;
};

}  // namespace quorvane
