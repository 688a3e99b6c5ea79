#pragma once

#include <QByteArray>
#include <QImage>
#include <QProcessEnvironment>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <chrono>
#include <optional>
#include <ostream>
#include <thread>
#include <vector>

#include "child_process.h"

// How GoogleTest prints a rectangle: "1024x768+0+0".
inline std::ostream& operator<<(std::ostream& out, const QRect& rect)
{
    return out << rect.width() << "x" << rect.height() << "+" << rect.x() << "+" << rect.y();
}

namespace quorvane::e2e {

using namespace std::chrono_literals;

// Long enough for a loaded machine, short enough that a failing test ends soon.
inline constexpr std::chrono::milliseconds kDefaultTimeout = 15s;

// Polls `condition` until it holds or `timeout` has passed; true when it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds timeout = kDefaultTimeout)
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline) {
            return false;
        }
        std::this_thread::sleep_for(20ms);
    }
    return true;
}

// The RandR monitors of a test display, in X root coordinates (never negative:
// a monitor left of the primary one has the smaller x). The X screen covers
// them all and is at least `minimumScreenWidth` wide, which leaves room for
// monitors added later.
struct MonitorLayout {
    std::vector<QRect> monitors;
    size_t primary = 0;
    int minimumScreenWidth = 0;

    QRect Primary() const { return monitors.at(primary); }
};

using WindowId = unsigned long;

struct WindowGeometry {
    QRect client;  // the window's own area
    QRect outer;   // with the window manager's frame around it
};

// A private X display: its own Xvfb on a free display number with the RandR
// monitors of a layout, and openbox. Everything it started is stopped when it
// goes. Failures to set it up are thrown as std::runtime_error.
class XSession {
public:
    // `xftDpi` goes to the X resources before any client starts.
    explicit XSession(const MonitorLayout& layout, std::optional<int> xftDpi = std::nullopt);

    const MonitorLayout& Layout() const { return layout_; }

    // This process's environment aimed at the display, without the settings
    // that would take Qt elsewhere or pick another language.
    QProcessEnvironment ClientEnvironment() const;

    // Runs a short command on the display: its standard output, or nothing
    // when it fails or does not end in time.
    std::optional<QByteArray> Run(const QStringList& command) const;
    // The same, throwing when the command fails, and feeding it `input`.
    QByteArray RunChecked(const QStringList& command, const QByteArray& input = {}) const;

    // RandR monitors added and removed while clients run; the area must lie
    // on the screen. A monitor given the output "screen" replaces the
    // automatic one, which comes back when the last monitor on it goes.
    void AddMonitor(const QString& name, const QRect& area, const QString& output = "none") const;
    void RemoveMonitor(const QString& name) const { RunChecked({"xrandr", "--delmonitor", name}); }

    // What a user sees. The queries answer nothing for a window that has gone
    // meanwhile.
    std::vector<WindowId> VisibleWindowsOf(qint64 pid) const;
    std::optional<std::string> WindowTitle(WindowId window) const;  // UTF-8, byte for byte
    std::optional<WindowGeometry> GeometryOf(WindowId window) const;
    std::optional<WindowId> ActiveWindow() const;
    // The whole screen without the pointer, in QImage::Format_RGB32.
    QImage Screenshot() const;

    // What a user does, through the XTEST extension: keys go to the focused
    // window, clicks to the window under the pointer. Key names as xdotool
    // takes them: "n", "N", "Escape", "Return", "alt+F4".
    void PressKey(const QString& key) const { RunChecked({"xdotool", "key", key}); }
    void MovePointer(int x, int y) const
    {
        RunChecked({"xdotool", "mousemove", QString::number(x), QString::number(y)});
    }
    void Click(int x, int y) const
    {
        RunChecked({"xdotool", "mousemove", QString::number(x), QString::number(y), "click", "1"});
    }
    // As a program would: the window manager puts the frame's or the client
    // area's top-left corner at (x, y), as the window's gravity says.
    void MoveWindow(WindowId window, int x, int y) const
    {
        RunChecked({"xdotool", "windowmove", QString::number(window), QString::number(x), QString::number(y)});
    }
    // Asks the window manager to make the window active and waits until it is.
    void ActivateWindow(WindowId window) const;

private:
    void StartServer();
    void SetUpMonitors() const;
    void StartWindowManager();
    std::string Log(const QString& name) const;

    MonitorLayout layout_;
    QTemporaryDir scratch_;
    QString display_;
    ChildProcess server_;
    ChildProcess windowManager_;
};

}  // namespace quorvane::e2e
