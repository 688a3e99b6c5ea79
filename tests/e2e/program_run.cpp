#include "program_run.h"

#include <QCoreApplication>

#include <stdexcept>
#include <thread>

namespace quorvane::e2e {
namespace {

const std::string kTestWindowTitle = "Form2";
const std::string kMessageBoxTitle = "Quorvane";

}  // namespace

ProgramRun::ProgramRun(const Session& session, const Launch& launch)
    : session_(session), process_(session.ProgramAccount())
{
    process_.setStandardOutputFile(QProcess::nullDevice());
    session.Start(process_, launch);
    if (!process_.waitForStarted()) {
        throw std::runtime_error("cannot start the program: " + process_.errorString().toStdString());
    }
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
    if (process_.state() != QProcess::NotRunning && !process_.waitForFinished(static_cast<int>(kReaction.count()))) {
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

std::optional<WindowId> ProgramRun::TestWindow() const
{
    return WindowTitled(kTestWindowTitle);
}

std::optional<WindowId> ProgramRun::MessageBox() const
{
    return WindowTitled(kMessageBoxTitle);
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

::testing::AssertionResult ProgramRun::DialogShows(const std::string& title, std::chrono::milliseconds timeout) const
{
    std::optional<std::string> shown;
    const bool showing = Await(
        [&] {
            const auto dialog = Dialog();
            shown = dialog ? std::optional(dialog->title) : std::nullopt;
            return shown == title;
        },
        timeout);
    if (showing) {
        return ::testing::AssertionSuccess();
    }
    auto failure = ::testing::AssertionFailure() << "the dialog's title is \"" << shown.value_or("(no dialog)")
                                                 << "\" instead of \"" << title << "\"";
    if (Ended()) {
        failure << "; the program ended with status " << WaitForExit().value_or(-1);
    }
    return failure << "; standard error:\n" << Errors();
}

::testing::AssertionResult ProgramRun::DialogHasFocus() const
{
    if (Await([&] {
            const auto dialog = Dialog();
            return dialog && session_.FocusedWindow() == dialog->id;
        })) {
        return ::testing::AssertionSuccess();
    }
    const auto focused = session_.FocusedWindow();
    std::string title = "(none)";
    for (const Window& window : Windows()) {
        title = window.id == focused ? window.title : title;
    }
    return ::testing::AssertionFailure() << "the dialog does not have the focus; the focused window is \"" << title
                                         << "\"";
}

::testing::AssertionResult ProgramRun::DialogGeometry(WindowGeometry& geometry) const
{
    // A desktop may still be framing a window that has just appeared: only a
    // geometry that holds for a moment counts.
    std::optional<WindowGeometry> found;
    std::optional<WindowGeometry> before;
    Await([&] {
        before = found;
        const auto dialog = Dialog();
        found = dialog ? session_.GeometryOf(dialog->id) : std::nullopt;
        if (found && before && found->client == before->client && found->outer == before->outer) {
            return true;
        }
        std::this_thread::sleep_for(100ms);
        return false;
    });
    if (!found) {
        return ::testing::AssertionFailure() << "no dialog on screen; standard error:\n" << Errors();
    }
    geometry = *found;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult ProgramRun::DismissMessageBoxAndFail(WindowId box) const
{
    session_.Focus(box);
    session_.PressKeys({"Return"});
    const auto status = WaitForExit();
    if (!status) {
        return ::testing::AssertionFailure() << "the program still ran after the message box was dismissed";
    }
    if (*status <= 0 || *status >= 128) {
        return ::testing::AssertionFailure() << "the program ended with status " << *status;
    }
    if (!session_.VisibleWindowsOf(process_.processId()).empty()) {
        return ::testing::AssertionFailure() << "a window outlived the program";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quorvane::e2e
