#include "platform/qt/qt_os.h"

#include <QGuiApplication>
#include <QScreen>

#include "platform/posix_language.h"
#include "platform/profile_string.h"
#include "platform/qt/qt_window.h"
#include "platform/qt/screen_layout.h"
#include "platform/text_file.h"
#include "platform/utf8_text.h"

namespace quorvane {

namespace {

Rect ToRect(const QRect& rect) { return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()}; }

}  // namespace

QtOs::QtOs()
{
    QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, &context_,
                     [this](QScreen* screen) { handles_.erase(screen); });
}

QtOs::~QtOs() = default;

int32_t QtOs::HandleOf(QScreen* screen, const Rect& monitor)
{
    // A screen that moved or changed size, or whose coordinates moved with a
    // new primary screen, is a new monitor, as after a display change.
    Handle& known = handles_[screen];
    if (known.handle == 0 || known.monitor != monitor) {
        known = {nextHandle_++, monitor};
    }
    return known.handle;
}

std::vector<MonitorDesc> QtOs::Monitors()
{
    qt::RefreshDeviceSizes();
    const QScreen* primary = qt::PrimaryScreen();
    std::vector<MonitorDesc> monitors;
    for (QScreen* screen : QGuiApplication::screens()) {
        const Rect monitor = ToRect(qt::DeviceRect(*screen));
        const Rect work = ToRect(qt::DeviceRect(*screen, screen->availableGeometry()));
        monitors.push_back({HandleOf(screen, monitor), monitor, work, screen == primary});
    }
    return monitors;
}

int32_t QtOs::GetSystemMetrics(int32_t index)
{
    const auto monitors = Monitors();
    const Rect bounds = VirtualScreenOf(monitors);
    switch (index) {
    case SM_XVIRTUALSCREEN: return bounds.left;
    case SM_YVIRTUALSCREEN: return bounds.top;
    case SM_CXVIRTUALSCREEN: return bounds.right - bounds.left;
    case SM_CYVIRTUALSCREEN: return bounds.bottom - bounds.top;
    case SM_CMONITORS: return static_cast<int32_t>(monitors.size());
    default: return 0;
    }
}

int32_t QtOs::MonitorFromRect(const Rect& rect, int32_t flags) { return MonitorFromRectIn(Monitors(), rect, flags); }

int32_t QtOs::MonitorFromWindow(int32_t hwnd, int32_t flags)
{
    const qt::QtWindow* window = qt::QtWindow::WindowOf(hwnd);
    if (window == nullptr) {
        return 0;
    }
    const backend::PixelRect frame = window->Frame();
    return MonitorFromRectIn(Monitors(), {frame.x, frame.y, frame.x + frame.width, frame.y + frame.height}, flags);
}

int32_t QtOs::GetMonitorInfoA(int32_t monitor, MonitorInfo& info) { return MonitorInfoIn(Monitors(), monitor, info); }

int32_t QtOs::SetWindowPos(int32_t hwnd, int32_t insertAfter, int32_t, int32_t, int32_t, int32_t, uint32_t)
{
    qt::QtWindow* window = qt::QtWindow::WindowOf(hwnd);
    if (window == nullptr) {
        return 0;
    }
    if (insertAfter == HWND_TOPMOST) {
        window->KeepOnTop();
    }
    return 1;
}

int32_t QtOs::ShowCursor(int32_t show)
{
    const bool wasHidden = cursorCounter_ < 0;
    cursorCounter_ += show != 0 ? 1 : -1;
    const bool hidden = cursorCounter_ < 0;
    if (hidden && !wasHidden) {
        QGuiApplication::setOverrideCursor(Qt::BlankCursor);
    } else if (!hidden && wasHidden) {
        QGuiApplication::restoreOverrideCursor();
    }
    return cursorCounter_;
}

int32_t QtOs::GetProfileStringA(const char* section, const char* key, const char* fallback, char* buffer,
                                int32_t size)
{
    // The user's language abbreviation comes from the locale on this desktop.
    return CopyProfileValue(IsLanguageProfileKey(section, key) ? LanguageAbbreviation(UserMessagesLocale()) : fallback,
                            buffer, size);
}

ScreenMetrics QtOs::Screen()
{
    const QScreen* primary = qt::PrimaryScreen();
    if (primary == nullptr) {
        return {};
    }
    const double tppX = 1440.0 / primary->logicalDotsPerInchX();
    const double tppY = 1440.0 / primary->logicalDotsPerInchY();
    return {primary->geometry().width() * tppX, primary->geometry().height() * tppY, tppX, tppY};
}

Text QtOs::DecodeSystemText(std::string_view bytes, const std::string& where) { return DecodeUtf8(bytes, where); }

std::unique_ptr<TextLines> QtOs::OpenTextFile(const std::string& path)
{
    return std::make_unique<TextFile>(path, DecodeUtf8);
}

}  // namespace quorvane
