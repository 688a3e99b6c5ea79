#include "quorvane_run.h"

#include <atomic>
#include <fstream>
#include <sstream>

namespace quorvane::e2e {
namespace {

std::filesystem::path NewErrorFile(const XSession& session)
{
    static std::atomic<int> runs = 0;
    return session.ScratchFolder() / ("quorvane-" + std::to_string(++runs) + ".stderr");
}

Command ProgramCommand(const XSession& session, const ProgramOptions& options)
{
    Command command{{QUORVANE_EXE}, session.ClientEnvironment(), options.workingDirectory.string()};
    for (const auto& [name, value] : options.environment) {
        command.environment.Set(name, value);
    }
    return command;
}

template <typename Find>
std::optional<WindowId> WaitFor(Find find)
{
    std::optional<WindowId> window;
    WaitUntil([&] { return (window = find()).has_value(); });
    return window;
}

}  // namespace

QuorvaneRun::QuorvaneRun(const XSession& session, const ProgramOptions& options)
    : session_(session),
      errorFile_(NewErrorFile(session)),
      process_(ProgramCommand(session, options), ChildStreams{"/dev/null", errorFile_})
{
}

std::optional<int> QuorvaneRun::WaitForExit(std::chrono::milliseconds timeout)
{
    const auto status = process_.WaitForExit(timeout);
    if (!status) {
        process_.Stop();
    }
    return status;
}

bool QuorvaneRun::RunsFor(std::chrono::milliseconds span)
{
    return !WaitUntil([this] { return !Running(); }, span);
}

std::string QuorvaneRun::Errors() const
{
    std::ifstream file(errorFile_);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<WindowId> QuorvaneRun::Windows() const
{
    return VisibleWindowsOf(session_, Pid());
}

std::optional<WindowId> QuorvaneRun::WindowTitled(const std::string& title) const
{
    for (const WindowId window : Windows()) {
        if (WindowTitle(session_, window) == title) {
            return window;
        }
    }
    return std::nullopt;
}

std::optional<WindowId> QuorvaneRun::TestWindow() const
{
    return WindowTitled(kTestWindowTitle);
}

std::optional<WindowId> QuorvaneRun::MessageBox() const
{
    return WindowTitled(kMessageBoxTitle);
}

std::optional<WindowId> QuorvaneRun::Dialog() const
{
    std::vector<WindowId> others;
    for (const WindowId window : Windows()) {
        const auto title = WindowTitle(session_, window);
        if (title && *title != kTestWindowTitle && *title != kMessageBoxTitle) {
            others.push_back(window);
        }
    }
    if (others.size() != 1) {
        return std::nullopt;
    }
    return others.front();
}

std::optional<WindowId> QuorvaneRun::WaitForTestWindow() const
{
    return WaitFor([this] { return TestWindow(); });
}

std::optional<WindowId> QuorvaneRun::WaitForMessageBox() const
{
    return WaitFor([this] { return MessageBox(); });
}

std::optional<WindowId> QuorvaneRun::WaitForDialog() const
{
    return WaitFor([this] { return Dialog(); });
}

std::optional<WindowId> QuorvaneRun::WaitForDialogTitled(const std::string& title) const
{
    return WaitFor([&]() -> std::optional<WindowId> {
        const auto dialog = Dialog();
        if (dialog && WindowTitle(session_, *dialog) == title) {
            return dialog;
        }
        return std::nullopt;
    });
}

}  // namespace quorvane::e2e
