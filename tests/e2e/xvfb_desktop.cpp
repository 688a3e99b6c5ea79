#include "xvfb_desktop.h"

#include <QDeadlineTimer>
#include <QRegularExpression>

#include <cmath>
#include <stdexcept>

#include "commands.h"

namespace quorvane::e2e {
namespace {

constexpr int kServerStartTimeoutMs = 10'000;

// The geometry argument of `xrandr --setmonitor`, with the physical size of a
// 96-dpi screen: "1024/271x768/203+0+0".
QString RandrGeometry(const QRect& area)
{
    const auto millimetres = [](int pixels) { return std::lround(pixels * 25.4 / 96.0); };
    return QString::asprintf("%d/%ldx%d/%ld+%d+%d", area.width(), millimetres(area.width()), area.height(),
                             millimetres(area.height()), area.x(), area.y());
}

std::optional<int> Field(const QString& text, const QString& label)
{
    const auto match = QRegularExpression(label + R"(:\s*(-?\d+))").match(text);
    return match.hasMatch() ? std::optional(match.captured(1).toInt()) : std::nullopt;
}

std::optional<WindowId> ParseWindowId(const QByteArray& text)
{
    bool ok = false;
    const WindowId window = text.trimmed().toULong(&ok);
    return ok ? std::optional(window) : std::nullopt;
}

QStringList Point(QPoint point)
{
    return {QString::number(point.x()), QString::number(point.y())};
}

}  // namespace

XvfbDesktop::XvfbDesktop(DesktopLayout layout) : Session(std::move(layout))
{
    if (!scratch_.isValid()) {
        throw std::runtime_error("no temporary folder: " + scratch_.errorString().toStdString());
    }
    StartServer();
    SetUpMonitors();
    if (Layout().dpi != 96) {
        RunChecked({"xrdb", "-nocpp", "-merge"}, "Xft.dpi: " + QByteArray::number(Layout().dpi) + "\n");
    }
    StartWindowManager();
}

void XvfbDesktop::StartServer()
{
    QRect screen(0, 0, Layout().minimumWidth, 1);
    for (const Monitor& monitor : Layout().monitors) {
        screen |= monitor.area;
    }
    // Xvfb picks a free display and writes its number to -displayfd once it
    // accepts connections.
    server_.setStandardErrorFile(ScratchPath("xvfb.log"));
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0",
                           QString("%1x%2x24").arg(screen.right() + 1).arg(screen.bottom() + 1), "-nolisten",
                           "tcp", "-noreset"});
    const QDeadlineTimer deadline(kServerStartTimeoutMs);
    while (!server_.canReadLine() && server_.waitForReadyRead(deadline.remainingTime())) {
    }
    const QString number = QString::fromLatin1(server_.readLine()).trimmed();
    if (number.isEmpty()) {
        throw std::runtime_error("Xvfb did not report a display number (" + server_.errorString().toStdString() +
                                 "):\n" + FileText(ScratchPath("xvfb.log")));
    }
    display_ = ":" + number;
}

void XvfbDesktop::SetUpMonitors() const
{
    const auto& monitors = Layout().monitors;
    QStringList wanted;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const QString name = "M" + QString::number(i + 1);
        Plug(name, monitors[i].area, i == Layout().primary);
        wanted << name + " " + RandrGeometry(monitors[i].area);
    }
    // " 0: +*M1 1024/271x768/203+0+0  screen"
    const QString listed = QString::fromUtf8(RunChecked({"xrandr", "--listmonitors"}));
    bool asWanted = listed.startsWith(QString("Monitors: %1\n").arg(monitors.size()));
    for (const QString& monitor : wanted) {
        asWanted = asWanted && listed.contains(QRegularExpression("[ +*]" + QRegularExpression::escape(monitor) + " "));
    }
    if (!asWanted) {
        throw std::runtime_error("the monitors did not come out as asked:\n" + listed.toStdString());
    }
}

void XvfbDesktop::StartWindowManager()
{
    // The stock configuration, whatever the user's own: click to focus, and
    // Alt+F4 closes the active window.
    windowManager_.setProcessEnvironment(ClientEnvironment());
    windowManager_.setStandardOutputFile(QProcess::nullDevice());
    windowManager_.setStandardErrorFile(ScratchPath("openbox.log"));
    windowManager_.start("openbox", {"--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml"});
    // openbox announces itself on the root window once it manages windows.
    const bool managing = WaitUntil([this] {
        return Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).value_or("").contains("window id");
    });
    if (!managing) {
        throw std::runtime_error("openbox did not start managing windows:\n" + FileText(ScratchPath("openbox.log")));
    }
}

QProcessEnvironment XvfbDesktop::ClientEnvironment() const
{
    QProcessEnvironment environment = NeutralEnvironment();
    environment.insert("DISPLAY", display_);
    return environment;
}

std::optional<QByteArray> XvfbDesktop::Run(const QStringList& command) const
{
    return RunCommand(ClientEnvironment(), command);
}

QByteArray XvfbDesktop::RunChecked(const QStringList& command, const QByteArray& input) const
{
    return RunCommandChecked(ClientEnvironment(), command, input);
}

void XvfbDesktop::Plug(const QString& name, const QRect& area, bool primary) const
{
    RunChecked({"xrandr", "--setmonitor", (primary ? "*" : "") + name, RandrGeometry(area),
                name == "M1" ? "screen" : "none"});
}

void XvfbDesktop::Unplug(const QString& name) const
{
    RunChecked({"xrandr", "--delmonitor", name});
}

std::vector<Window> XvfbDesktop::VisibleWindowsOf(qint64 pid) const
{
    // xdotool fails when it finds no window.
    const auto found = Run({"xdotool", "search", "--onlyvisible", "--pid", QString::number(pid)});
    std::vector<Window> windows;
    for (const QByteArray& line : found.value_or("").split('\n')) {
        const auto id = ParseWindowId(line);
        const auto name = id ? Run({"xdotool", "getwindowname", QString::number(*id)}) : std::nullopt;
        if (name && name->endsWith('\n')) {
            windows.push_back({*id, name->chopped(1).toStdString()});
        }
    }
    return windows;
}

std::optional<WindowGeometry> XvfbDesktop::GeometryOf(WindowId window) const
{
    const QString info = QString::fromUtf8(Run({"xwininfo", "-id", QString::number(window)}).value_or(""));
    const auto x = Field(info, "Absolute upper-left X");
    const auto y = Field(info, "Absolute upper-left Y");
    const auto width = Field(info, "Width");
    const auto height = Field(info, "Height");
    // "_NET_FRAME_EXTENTS = left, right, top, bottom", or "...:  not found."
    const auto extents = Run({"xprop", "-id", QString::number(window), "-notype", "_NET_FRAME_EXTENTS"});
    if (!x || !y || !width || !height || !extents) {
        return std::nullopt;
    }
    const QRect client(*x, *y, *width, *height);
    const auto frame = QRegularExpression(R"(= (\d+), (\d+), (\d+), (\d+))").match(QString::fromUtf8(*extents));
    if (!frame.hasMatch()) {
        return WindowGeometry{client, client};
    }
    const auto side = [&](int index) { return frame.captured(index).toInt(); };
    return WindowGeometry{client, client.adjusted(-side(1), -side(3), side(2), side(4))};
}

std::optional<WindowId> XvfbDesktop::FocusedWindow() const
{
    const auto active = Run({"xdotool", "getactivewindow"});
    return active ? ParseWindowId(*active) : std::nullopt;
}

QImage XvfbDesktop::Screenshot(size_t monitor) const
{
    const QImage image = QImage::fromData(RunChecked({"import", "-window", "root", "png:-"}), "PNG");
    if (image.isNull()) {
        throw std::runtime_error("the screenshot of " + display_.toStdString() + " is no PNG image");
    }
    return image.copy(Layout().monitors.at(monitor).area).convertToFormat(QImage::Format_RGB32);
}

void XvfbDesktop::Focus(WindowId window) const
{
    RunChecked({"xdotool", "windowactivate", QString::number(window)});
    if (!WaitUntil([&] { return FocusedWindow() == window; })) {
        throw std::runtime_error("window " + std::to_string(window) + " does not become active");
    }
}

void XvfbDesktop::PressKeys(const QStringList& keys) const
{
    RunChecked(QStringList{"xdotool", "key", "--delay", "0"} + keys);
}

void XvfbDesktop::MovePointer(QPoint point) const
{
    RunChecked(QStringList{"xdotool", "mousemove"} + Point(point));
}

void XvfbDesktop::Click(QPoint point) const
{
    RunChecked(QStringList{"xdotool", "mousemove"} + Point(point) + QStringList{"click", "1"});
}

void XvfbDesktop::MoveWindow(WindowId window, QPoint place) const
{
    RunChecked(QStringList{"xdotool", "windowmove", QString::number(window)} + Point(place));
}

void XvfbDesktop::CloseWindow(WindowId window) const
{
    Focus(window);
    PressKeys({"alt+F4"});
}

}  // namespace quorvane::e2e
