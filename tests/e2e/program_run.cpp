#include "program_run.h"

#include <QCoreApplication>

namespace quorvane::e2e {

ProgramRun::ProgramRun(const Session& session, const Launch& launch)
    : session_(session), process_(session.ProgramAccount())
{
    process_.setStandardOutputFile(QProcess::nullDevice());
    session.Start(process_, launch);
    Require(process_.waitForStarted(), "cannot start the program: " + process_.errorString().toStdString());
}

bool ProgramRun::Ended() const
{
    return process_.state() == QProcess::NotRunning || process_.waitForFinished(0);
}

bool ProgramRun::RunsFor(std::chrono::milliseconds span) const
{
    return !process_.waitForFinished(static_cast<int>(span.count())) && process_.state() != QProcess::NotRunning;
}

std::optional<int> ProgramRun::WaitForExit() const
{
    if (!Ended() && !process_.waitForFinished(static_cast<int>(kReaction.count()))) {
        process_.kill();
        process_.waitForFinished(-1);
        return std::nullopt;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : 128 + process_.exitCode();
}

std::string ProgramRun::Errors() const
{
    // The process reads its pipes when events are processed.
    QCoreApplication::processEvents();
    errors_ += process_.readAllStandardError().toStdString();
    return errors_;
}

std::string ProgramRun::Failure(const std::string& what) const
{
    const std::string end = Ended() ? "; the program ended with status " + std::to_string(WaitForExit().value_or(-1))
                                    : "";
    return what + end + "; standard error:\n" + Errors();
}

std::vector<Window> ProgramRun::Windows() const
{
    return Ended() ? std::vector<Window>{} : session_.VisibleWindowsOf(process_.processId());
}

std::optional<WindowId> ProgramRun::WindowTitled(const std::string& title) const
{
    for (const Window& window : Windows()) {
        if (window.title == title) {
            return window.id;
        }
    }
    return std::nullopt;
}

std::optional<Window> ProgramRun::Dialog() const
{
    std::vector<Window> others;
    for (const Window& window : Windows()) {
        if (window.title != kTestWindowTitle && window.title != kMessageBoxTitle) {
            others.push_back(window);
        }
    }
    return others.size() == 1 ? std::optional(others.front()) : std::nullopt;
}

void ProgramRun::AwaitTitle(const std::string& title, std::chrono::milliseconds timeout) const
{
    std::optional<Window> dialog;
    if (!Await([&] { return (dialog = Dialog()) && dialog->title == title; }, timeout)) {
        std::string shown = dialog ? "\"" + dialog->title + "\"" : "no dialog among the windows";
        for (const Window& window : dialog ? std::vector<Window>{} : Windows()) {
            shown += " \"" + window.title + "\"";
        }
        throw std::runtime_error(Failure("the dialog's title is " + shown + " instead of \"" + title + "\""));
    }
}

void ProgramRun::AwaitKeyFocus() const
{
    std::optional<std::chrono::steady_clock::time_point> since;
    const bool ready = Await([&] {
        const auto focused = session_.FocusedWindow();
        const auto dialog = Dialog();
        if (focused && dialog && *focused == dialog->id) {
            return true;
        }
        if (!focused || focused != TestWindow()) {
            since.reset();
            return false;
        }
        since = since.value_or(std::chrono::steady_clock::now());
        return std::chrono::steady_clock::now() - *since >= 2s;
    });
    Require(ready, Failure("no window of the program has the focus"));
}

WindowGeometry ProgramRun::DialogGeometry() const
{
    std::optional<WindowGeometry> found;
    Await([&] {
        const auto dialog = Dialog();
        return (found = dialog ? session_.GeometryOf(dialog->id) : std::nullopt).has_value();
    });
    Require(found.has_value(), Failure("no dialog on screen"));
    return *found;
}

WindowGeometry ProgramRun::TestWindowGeometry(const std::function<bool(const WindowGeometry&)>& wanted) const
{
    std::optional<WindowGeometry> found;
    Await([&] {
        const auto window = TestWindow();
        return window && (found = session_.GeometryOf(*window)) && wanted(*found);
    });
    Require(found.has_value(), Failure("no test window"));
    return *found;
}

void ProgramRun::DismissMessageBoxAndFail(WindowId box) const
{
    session_.Focus(box);
    session_.PressKeys({"Return"});
    const auto status = WaitForExit();
    Require(status.has_value(), "the program still ran after the message box was dismissed");
    Require(*status > 0 && *status < 128, "the program ended with status " + std::to_string(*status));
    Require(session_.VisibleWindowsOf(process_.processId()).empty(), "a window outlived the program");
}

}  // namespace quorvane::e2e
