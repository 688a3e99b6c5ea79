#pragma once

#include <QObject>
#include <map>
#include <vector>

#include "platform/monitor_layout.h"
#include "platform/os_services.h"

class QScreen;

namespace quorvane {

// The services on a Qt desktop: one monitor per screen, in device pixels,
// with the primary monitor's top-left corner at (0, 0). A monitor's handle
// stays the same while its screen stays connected with the same rectangle in
// these coordinates, and is never reused: a record taken under a handle
// still describes the monitor whenever the handle is found again.
class QtOs final : public OsServices {
public:
    QtOs();
    ~QtOs() override;

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
    Text DecodeSystemText(std::string_view bytes, const std::string& where) override;
    std::unique_ptr<TextLines> OpenTextFile(const std::string& path) override;

private:
    // A screen's handle and the rectangle it was given for.
    struct Handle {
        int32_t handle = 0;
        Rect monitor;
    };

    std::vector<MonitorDesc> Monitors();
    int32_t HandleOf(QScreen* screen, const Rect& monitor);

    QObject context_;
    std::map<QScreen*, Handle> handles_;
    int32_t nextHandle_ = 0x10001;
    int32_t cursorCounter_ = 0;
};

}  // namespace quorvane
