#include "x_session.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>

#include "wait_until.h"

namespace quorvane::e2e {
namespace {

constexpr auto kCommandTimeout = 10s;
constexpr auto kServerStartTimeout = 10s;

std::string FileText(const std::filesystem::path& path)
{
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::string Joined(const std::vector<std::string>& arguments)
{
    std::string text;
    for (const auto& argument : arguments) {
        text += (text.empty() ? "" : " ") + argument;
    }
    return text;
}

// Reads the display number that Xvfb writes to -displayfd once it accepts
// connections.
std::string ReadDisplayNumber(int fd)
{
    std::string number;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + kServerStartTimeout;
    while (number.empty() || number.back() != '\n') {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd request{fd, POLLIN, 0};
        if (left.count() <= 0 || ::poll(&request, 1, static_cast<int>(left.count())) <= 0) {
            return {};
        }
        char c;
        if (::read(fd, &c, 1) != 1) {
            return {};
        }
        number += c;
    }
    number.pop_back();
    return number;
}

struct ListedMonitor {
    bool primary;
    Rect area;
};

// Parses `xrandr --listmonitors`: " 0: *M1 1024/271x768/203+0+0  screen".
std::vector<ListedMonitor> ParseMonitorList(const std::string& text)
{
    static const std::regex line(R"(^\s*\d+: \+?(\*?)\S+ (\d+)/\d+x(\d+)/\d+\+(-?\d+)\+(-?\d+))");
    std::vector<ListedMonitor> monitors;
    std::istringstream lines(text);
    std::string current;
    while (std::getline(lines, current)) {
        std::smatch match;
        if (std::regex_search(current, match, line)) {
            monitors.push_back({match[1].length() == 1,
                                {std::stoi(match[4]), std::stoi(match[5]), std::stoi(match[2]), std::stoi(match[3])}});
        }
    }
    return monitors;
}

}  // namespace

XSession::XSession(const MonitorLayout& layout, const SessionOptions& options)
    : layout_(layout), scratch_("quorvane-e2e")
{
    if (layout_.monitors.empty() || layout_.primary >= layout_.monitors.size()) {
        throw std::runtime_error("a monitor layout needs monitors and a primary one among them");
    }
    StartServer();
    SetUpMonitors();
    if (options.xftDpi) {
        RunChecked({"xrdb", "-nocpp", "-merge"}, "Xft.dpi: " + std::to_string(*options.xftDpi) + "\n");
    }
    if (options.windowManager) {
        StartWindowManager();
    }
}

XSession::~XSession()
{
    windowManager_.reset();
    server_.reset();
}

void XSession::StartServer()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        throw std::runtime_error("pipe for Xvfb's display number");
    }
    const std::string screen =
        std::to_string(Layout().ScreenWidth()) + "x" + std::to_string(Layout().ScreenHeight()) + "x24";
    const auto log = ScratchFolder() / "xvfb.log";
    try {
        server_ = std::make_unique<ChildProcess>(
            Command{{"Xvfb", "-displayfd", "3", "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
                    Environment::OfThisProcess(), {}},
            ChildStreams{log, log, fds[1]});
    } catch (...) {
        ::close(fds[0]);
        ::close(fds[1]);
        throw;
    }
    ::close(fds[1]);
    const std::string number = ReadDisplayNumber(fds[0]);
    ::close(fds[0]);
    if (number.empty()) {
        throw std::runtime_error("Xvfb did not report a display number:\n" + FileText(log));
    }
    display_ = ":" + number;
    if (!WaitUntil([this] { return Run({"xdpyinfo"}).status == 0; }, kServerStartTimeout)) {
        throw std::runtime_error("Xvfb on " + display_ + " does not answer:\n" + FileText(log));
    }
}

void XSession::SetUpMonitors() const
{
    const auto& monitors = Layout().monitors;
    for (size_t i = 0; i < monitors.size(); ++i) {
        const std::string name = (i == Layout().primary ? "*M" : "M") + std::to_string(i + 1);
        // The first monitor takes over the screen's own output, so that the
        // automatic monitor covering the whole screen goes away.
        RunChecked({"xrandr", "--setmonitor", name, RandrGeometry(monitors[i]), i == 0 ? "screen" : "none"});
    }
    // RandR lists the primary monitor first.
    const auto listed = ParseMonitorList(RunChecked({"xrandr", "--listmonitors"}));
    bool asWanted = listed.size() == monitors.size();
    for (size_t i = 0; asWanted && i < monitors.size(); ++i) {
        asWanted = std::any_of(listed.begin(), listed.end(), [&](const ListedMonitor& monitor) {
            return monitor.area == monitors[i] && monitor.primary == (i == Layout().primary);
        });
    }
    if (!asWanted) {
        throw std::runtime_error("the monitors did not come out as asked:\n" +
                                 RunChecked({"xrandr", "--listmonitors"}));
    }
}

void XSession::StartWindowManager()
{
    const auto log = ScratchFolder() / "openbox.log";
    // The stock configuration, whatever the user's own: click to focus, and
    // Alt+F4 closes the active window.
    Command command{{"openbox", "--sm-disable", "--config-file", "/etc/xdg/openbox/rc.xml"}, ClientEnvironment(), {}};
    windowManager_ = std::make_unique<ChildProcess>(command, ChildStreams{log, log});
    // openbox announces itself on the root window once it has taken over
    // window management.
    const bool managing = WaitUntil([this] {
        return Run({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}).output.find("window id") != std::string::npos;
    });
    if (!managing) {
        throw std::runtime_error("openbox did not start managing windows:\n" + FileText(log));
    }
}

Environment XSession::ClientEnvironment() const
{
    Environment environment = Environment::OfThisProcess();
    for (const char* name : {"QT_QPA_PLATFORM", "QT_SCALE_FACTOR", "QT_SCREEN_SCALE_FACTORS",
                             "QT_ENABLE_HIGHDPI_SCALING", "QT_AUTO_SCREEN_SCALE_FACTOR", "QT_FONT_DPI",
                             "WAYLAND_DISPLAY", "LC_ALL", "LC_MESSAGES", "LANGUAGE"}) {
        environment.Unset(name);
    }
    environment.Set("DISPLAY", display_);
    environment.Set("LANG", "C.UTF-8");
    return environment;
}

CommandResult XSession::Run(const std::vector<std::string>& arguments, const std::string& input) const
{
    return RunCommand(Command{arguments, ClientEnvironment(), {}}, input, kCommandTimeout);
}

std::string XSession::RunChecked(const std::vector<std::string>& arguments, const std::string& input) const
{
    const CommandResult result = Run(arguments, input);
    if (result.status != 0) {
        throw std::runtime_error("'" + Joined(arguments) + "' failed on " + display_ + " (status " +
                                 (result.status ? std::to_string(*result.status) : "none: timed out") +
                                 "): " + result.errors);
    }
    return result.output;
}

void XSession::AddMonitor(const std::string& name, const Rect& area) const
{
    RunChecked({"xrandr", "--setmonitor", name, RandrGeometry(area), "none"});
}

void XSession::RemoveMonitor(const std::string& name) const
{
    RunChecked({"xrandr", "--delmonitor", name});
}

}  // namespace quorvane::e2e
