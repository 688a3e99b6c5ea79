#pragma once

#include <QImage>
#include <QRect>
#include <QStringList>

#include <chrono>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"

namespace quorvane::e2e {

using namespace std::chrono_literals;

// Limits for a loaded two-core machine: a first window may take long, a
// reaction to a key or a move less so.
inline constexpr std::chrono::milliseconds kFirstAppearance = 40s;
inline constexpr std::chrono::milliseconds kReaction = 20s;

// Polls `condition` until it holds or `timeout` has passed; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = kReaction)
{
    for (const auto deadline = std::chrono::steady_clock::now() + timeout; !condition();
         std::this_thread::sleep_for(20ms)) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
    }
    return true;
}

// What was seen instead of what should have been: it ends the scenario.
inline void Require(bool holds, const std::string& otherwise)
{
    if (!holds) {
        throw std::runtime_error(otherwise);
    }
}

// "1024x768+0+0"
inline std::string Text(const QRect& rect)
{
    return QString::asprintf("%dx%d%+d%+d", rect.width(), rect.height(), rect.x(), rect.y()).toStdString();
}

// A monitor in desktop coordinates, in which the layout's top-left corner is
// (0, 0); on a scaled monitor one desktop pixel is `scale` device pixels.
struct Monitor {
    QRect area;
    int scale = 1;
};

// The monitors of a session, named "M1", "M2", … in this order, room for
// monitors plugged in later, and the toolkit's font resolution.
struct DesktopLayout {
    std::vector<Monitor> monitors;
    size_t primary = 0;
    int minimumWidth = 0;
    int dpi = 96;
};

// What a desktop may be unable to do; a scenario that needs one of these is
// not offered on a session without it.
enum class Capability {
    PrimaryChoice,    // any monitor may be the primary one
    WindowPlacement,  // a program places its own windows
    MonitorHotPlug,   // monitors come and go while programs run
    ToolkitDpi,       // the toolkit's resolution differs from 96 dpi
    OutputScale,      // a monitor shows desktop pixels scaled up
};
using Capabilities = std::set<Capability>;

// The user's language setting as each desktop keeps it: the locale, or the
// Windows profile's abbreviation.
struct UserLanguage {
    QString locale;
    QString windowsCode;
};

struct Launch {
    UserLanguage language;
    QString workingDirectory = QUORVANE_DATA_DIR;
};

using WindowId = unsigned long;

struct Window {
    WindowId id = 0;
    std::string title;  // UTF-8, byte for byte
};

// In desktop coordinates: the window's own area, and with its frame.
struct WindowGeometry {
    QRect client;
    QRect outer;
};

// A private desktop on which one scenario runs: it starts the program and
// does and sees what a user would. Everything it started is stopped when it
// goes; failures to set it up or to act are thrown as std::runtime_error.
class Session {
public:
    explicit Session(DesktopLayout layout) : layout_(std::move(layout)) {}
    virtual ~Session() = default;

    const DesktopLayout& Layout() const { return layout_; }
    const QRect& Area(size_t monitor) const { return layout_.monitors.at(monitor).area; }

    // Whether the program reads its text files as UTF-8 through the POSIX
    // file system (named pipes and all), rather than in a Windows code page.
    virtual bool ReadsUtf8Files() const { return true; }

    // The user the program runs as, when not this process's.
    virtual std::optional<Account> ProgramAccount() const { return std::nullopt; }
    virtual void Start(ChildProcess& program, const Launch& launch) const = 0;

    // The answers leave out windows that have gone meanwhile.
    virtual std::vector<Window> VisibleWindowsOf(qint64 pid) const = 0;
    virtual std::optional<WindowGeometry> GeometryOf(WindowId window) const = 0;
    virtual std::optional<WindowId> FocusedWindow() const = 0;
    // One monitor in its device pixels, without the pointer, as RGB32.
    virtual QImage Screenshot(size_t monitor) const = 0;

    virtual void Focus(WindowId window) const = 0;
    // To the focused window: letters as typed ("n", "N"), other keys by their
    // X key names ("Escape", "Return").
    virtual void PressKeys(const QStringList& keys) const = 0;
    virtual void MovePointer(QPoint point) const = 0;
    virtual void Click(QPoint point) const = 0;
    // Puts the window's top-left corner at `place`, as a drag would.
    virtual void MoveWindow(WindowId window, QPoint place) const = 0;
    // As the close button of the window's title bar.
    virtual void CloseWindow(WindowId window) const = 0;

    // Only with Capability::MonitorHotPlug.
    virtual void Plug(const QString& /*name*/, const QRect& /*area*/, bool /*primary*/) const { NoHotPlug(); }
    virtual void Unplug(const QString& /*name*/) const { NoHotPlug(); }

private:
    [[noreturn]] static void NoHotPlug() { throw std::runtime_error("this desktop cannot plug monitors"); }

    DesktopLayout layout_;
};

}  // namespace quorvane::e2e
