#include "xvfb_desktop.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

#include <cmath>

#include "commands.h"

namespace quorvane::e2e {
namespace {

// The geometry argument of `xrandr --setmonitor`, with the physical size of a
// 96-dpi screen: "1024/271x768/203+0+0".
QString RandrGeometry(const QRect& area)
{
    const auto millimetres = [](int pixels) { return std::lround(pixels * 25.4 / 96.0); };
    return QString::asprintf("%d/%ldx%d/%ld+%d+%d", area.width(), millimetres(area.width()), area.height(),
                             millimetres(area.height()), area.x(), area.y());
}

// The numbers after `label` in `text`: "Width: 1024", "= 1, 1, 20, 1".
std::vector<int> Numbers(const QString& text, const QString& label, int count)
{
    const auto match = QRegularExpression(label + QString(R"([:=,\s]*(-?\d+))").repeated(count)).match(text);
    std::vector<int> numbers;
    for (int i = 1; match.hasMatch() && i <= count; ++i) {
        numbers.push_back(match.captured(i).toInt());
    }
    return numbers;
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
    Require(scratch_.isValid(), "no temporary folder");
    QRect screen(0, 0, Layout().minimumWidth, 1);
    for (const Monitor& monitor : Layout().monitors) {
        screen |= monitor.area;
    }
    // Xvfb picks a free display and writes its number to -displayfd once it
    // accepts connections; -noreset keeps the monitors when clients leave.
    server_.setStandardErrorFile(ScratchPath("xvfb.log"));
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0",
                           QString("%1x%2x24").arg(screen.right() + 1).arg(screen.bottom() + 1), "-nolisten",
                           "tcp", "-noreset"});
    const QDeadlineTimer deadline(kFirstAppearance);
    while (!server_.canReadLine() && server_.waitForReadyRead(deadline.remainingTime())) {
    }
    display_ = ":" + QString::fromLatin1(server_.readLine()).trimmed();
    Require(display_.size() > 1, "Xvfb did not report a display number:\n" + FileText(ScratchPath("xvfb.log")));

    QStringList wanted;
    for (size_t i = 0; i < Layout().monitors.size(); ++i) {
        Plug("M" + QString::number(i + 1), Area(i), i == Layout().primary);
        wanted << QString("M%1 ").arg(i + 1) + RandrGeometry(Area(i));
    }
    // " 0: +*M1 1024/271x768/203+0+0  screen"
    const QString listed = QString::fromUtf8(RunChecked({"xrandr", "--listmonitors"}));
    bool asWanted = listed.startsWith(QString("Monitors: %1\n").arg(wanted.size()));
    for (const QString& monitor : wanted) {
        asWanted = asWanted && listed.contains(QRegularExpression("[ +*]" + QRegularExpression::escape(monitor) + " "));
    }
    Require(asWanted, "the monitors did not come out as asked:\n" + listed.toStdString());
    if (Layout().dpi != 96) {
        RunChecked({"xrdb", "-nocpp", "-merge"}, "Xft.dpi: " + QByteArray::number(Layout().dpi) + "\n");
    }

    // The stock configuration, whatever the user's own: click to focus, and
    // Alt+F4 closes the active window.
    windowManager_.setProcessEnvironment(ClientEnvironment());
    windowManager_.setStandardOutputFile(QProcess::nullDevice());
    windowManager_.setStandardErrorFile(ScratchPath("openbox.log"));
    // openbox drops the windows mapped while it is still starting, though it
    // has announced itself on the root window: the program starts once
    // openbox has run its start-up command.
    const QString started = ScratchPath("openbox.started");
    windowManager_.start("openbox", {"--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml", "--startup",
                                     "touch " + started});
    Require(WaitUntil([&started] { return QFile::exists(started); }),
            "openbox did not start managing windows:\n" + FileText(ScratchPath("openbox.log")));
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
    const auto x = Numbers(info, "Absolute upper-left X", 1);
    const auto y = Numbers(info, "Absolute upper-left Y", 1);
    const auto width = Numbers(info, "Width", 1);
    const auto height = Numbers(info, "Height", 1);
    // "_NET_FRAME_EXTENTS = left, right, top, bottom", or "...:  not found."
    const auto extents = Run({"xprop", "-id", QString::number(window), "-notype", "_NET_FRAME_EXTENTS"});
    if (x.empty() || y.empty() || width.empty() || height.empty() || !extents) {
        return std::nullopt;
    }
    const QRect client(x[0], y[0], width[0], height[0]);
    const auto frame = Numbers(QString::fromUtf8(*extents), "_NET_FRAME_EXTENTS", 4);
    return WindowGeometry{client, frame.empty() ? client : client.adjusted(-frame[0], -frame[2], frame[1], frame[3])};
}

std::optional<WindowId> XvfbDesktop::FocusedWindow() const
{
    const auto active = Run({"xdotool", "getactivewindow"});
    return active ? ParseWindowId(*active) : std::nullopt;
}

QImage XvfbDesktop::Screenshot(size_t monitor) const
{
    const QImage image = QImage::fromData(RunChecked({"import", "-window", "root", "png:-"}), "PNG");
    Require(!image.isNull(), "the screenshot of " + display_.toStdString() + " is no PNG image");
    return image.copy(Area(monitor)).convertToFormat(QImage::Format_RGB32);
}

void XvfbDesktop::Focus(WindowId window) const
{
    RunChecked({"xdotool", "windowactivate", QString::number(window)});
    Require(WaitUntil([&] { return FocusedWindow() == window; }),
            "window " + std::to_string(window) + " does not become active");
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
