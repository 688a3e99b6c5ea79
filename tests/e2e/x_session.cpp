#include "x_session.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

#include <cmath>
#include <stdexcept>

namespace quorvane::e2e {
namespace {

constexpr int kCommandTimeoutMs = 10'000;
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

// Runs a short command to its end; one still running after the timeout is
// killed with `process`. True when the command succeeded.
bool RunToEnd(ChildProcess& process, const QProcessEnvironment& environment, const QStringList& command,
              const QByteArray& input)
{
    process.setProcessEnvironment(environment);
    process.start(command.first(), command.mid(1));
    process.write(input);
    process.closeWriteChannel();
    return process.waitForFinished(kCommandTimeoutMs) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

}  // namespace

XSession::XSession(const MonitorLayout& layout, std::optional<int> xftDpi) : layout_(layout)
{
    if (!scratch_.isValid()) {
        throw std::runtime_error("no temporary folder: " + scratch_.errorString().toStdString());
    }
    StartServer();
    SetUpMonitors();
    if (xftDpi) {
        RunChecked({"xrdb", "-nocpp", "-merge"}, "Xft.dpi: " + QByteArray::number(*xftDpi) + "\n");
    }
    StartWindowManager();
}

std::string XSession::Log(const QString& name) const
{
    QFile file(scratch_.filePath(name));
    file.open(QIODevice::ReadOnly);
    return file.readAll().toStdString();
}

void XSession::StartServer()
{
    QRect screen(0, 0, layout_.minimumScreenWidth, 1);
    for (const QRect& monitor : layout_.monitors) {
        screen |= monitor;
    }
    // Xvfb picks a free display and writes its number to -displayfd once it
    // accepts connections.
    server_.setStandardErrorFile(scratch_.filePath("xvfb.log"));
    server_.start("Xvfb", {"-displayfd", "1", "-screen", "0",
                           QString("%1x%2x24").arg(screen.x() + screen.width()).arg(screen.y() + screen.height()),
                           "-nolisten", "tcp", "-noreset"});
    const QDeadlineTimer deadline(kServerStartTimeoutMs);
    while (!server_.canReadLine() && server_.waitForReadyRead(deadline.remainingTime())) {
    }
    const QString number = QString::fromLatin1(server_.readLine()).trimmed();
    if (number.isEmpty()) {
        throw std::runtime_error("Xvfb did not report a display number (" + server_.errorString().toStdString() +
                                 "):\n" + Log("xvfb.log"));
    }
    display_ = ":" + number;
}

void XSession::SetUpMonitors() const
{
    const auto& monitors = layout_.monitors;
    QStringList wanted;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const QString name = (i == layout_.primary ? "*M" : "M") + QString::number(i + 1);
        // The first monitor takes over the screen's own output, so that the
        // automatic monitor covering the whole screen goes away.
        RunChecked({"xrandr", "--setmonitor", name, RandrGeometry(monitors[i]), i == 0 ? "screen" : "none"});
        wanted << name + " " + RandrGeometry(monitors[i]);
    }
    // " 0: +*M1 1024/271x768/203+0+0  screen"
    const QString listed = QString::fromUtf8(RunChecked({"xrandr", "--listmonitors"}));
    bool asWanted = listed.startsWith(QString("Monitors: %1\n").arg(monitors.size()));
    for (const QString& monitor : wanted) {
        asWanted = asWanted && listed.contains(QRegularExpression("[ +]" + QRegularExpression::escape(monitor) + " "));
    }
    if (!asWanted) {
        throw std::runtime_error("the monitors did not come out as asked:\n" + listed.toStdString());
    }
}

void XSession::StartWindowManager()
{
    // The stock configuration, whatever the user's own: click to focus, and
    // Alt+F4 closes the active window.
    windowManager_.setProcessEnvironment(ClientEnvironment());
    windowManager_.setStandardOutputFile(QProcess::nullDevice());
    windowManager_.setStandardErrorFile(scratch_.filePath("openbox.log"));
    windowManager_.start("openbox", {"--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml"});
    // openbox announces itself on the root window once it manages windows.
    const bool managing = WaitUntil([this] {
        return Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).value_or("").contains("window id");
    });
    if (!managing) {
        throw std::runtime_error("openbox did not start managing windows:\n" + Log("openbox.log"));
    }
}

QProcessEnvironment XSession::ClientEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI",
                             "WAYLAND_DISPLAY", "LC_ALL", "LC_MESSAGES", "LANGUAGE"}) {
        environment.remove(name);
    }
    environment.insert("DISPLAY", display_);
    environment.insert("LANG", "C.UTF-8");
    return environment;
}

std::optional<QByteArray> XSession::Run(const QStringList& command) const
{
    ChildProcess process;
    if (!RunToEnd(process, ClientEnvironment(), command, {})) {
        return std::nullopt;
    }
    return process.readAllStandardOutput();
}

QByteArray XSession::RunChecked(const QStringList& command, const QByteArray& input) const
{
    ChildProcess process;
    if (!RunToEnd(process, ClientEnvironment(), command, input)) {
        const std::string why = process.error() == QProcess::UnknownError
                                    ? "status " + std::to_string(process.exitCode())
                                    : process.errorString().toStdString();
        throw std::runtime_error("'" + command.join(' ').toStdString() + "' failed on " + display_.toStdString() +
                                 " (" + why + "): " + process.readAllStandardError().toStdString());
    }
    return process.readAllStandardOutput();
}

void XSession::AddMonitor(const QString& name, const QRect& area, const QString& output) const
{
    RunChecked({"xrandr", "--setmonitor", name, RandrGeometry(area), output});
}

std::vector<WindowId> XSession::VisibleWindowsOf(qint64 pid) const
{
    // xdotool fails when it finds no window.
    const auto found = Run({"xdotool", "search", "--onlyvisible", "--pid", QString::number(pid)});
    std::vector<WindowId> windows;
    for (const QByteArray& line : found.value_or("").split('\n')) {
        if (const auto window = ParseWindowId(line)) {
            windows.push_back(*window);
        }
    }
    return windows;
}

std::optional<std::string> XSession::WindowTitle(WindowId window) const
{
    const auto name = Run({"xdotool", "getwindowname", QString::number(window)});
    if (!name || !name->endsWith('\n')) {
        return std::nullopt;
    }
    return name->chopped(1).toStdString();
}

std::optional<WindowGeometry> XSession::GeometryOf(WindowId window) const
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

std::optional<WindowId> XSession::ActiveWindow() const
{
    const auto active = Run({"xdotool", "getactivewindow"});
    return active ? ParseWindowId(*active) : std::nullopt;
}

QImage XSession::Screenshot() const
{
    const QImage image = QImage::fromData(RunChecked({"import", "-window", "root", "png:-"}), "PNG");
    if (image.isNull()) {
        throw std::runtime_error("the screenshot of " + display_.toStdString() + " is no PNG image");
    }
    return image.convertToFormat(QImage::Format_RGB32);
}

void XSession::ActivateWindow(WindowId window) const
{
    RunChecked({"xdotool", "windowactivate", QString::number(window)});
    if (!WaitUntil([&] { return ActiveWindow() == window; })) {
        throw std::runtime_error("window " + std::to_string(window) + " does not become active");
    }
}

}  // namespace quorvane::e2e
