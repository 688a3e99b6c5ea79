#include "quorvane_run.h"

#include <QCoreApplication>

#include <stdexcept>

namespace quorvane::e2e {
namespace {

const std::string kTestWindowTitle = "Form2";
const std::string kMessageBoxTitle = "Quorvane";

}  // namespace

QuorvaneRun::QuorvaneRun(const XSession& session, const QString& locale, const QString& workingDirectory)
    : session_(session)
{
    QProcessEnvironment environment = session.ClientEnvironment();
    environment.insert("LANG", locale);
    process_.setProcessEnvironment(environment);
    process_.setWorkingDirectory(workingDirectory);
    process_.setStandardOutputFile(QProcess::nullDevice());
    process_.start(QUORVANE_EXE, {});
    if (!process_.waitForStarted()) {
        throw std::runtime_error("cannot start " QUORVANE_EXE ": " + process_.errorString().toStdString());
    }
}

bool QuorvaneRun::RunsFor(std::chrono::milliseconds span)
{
    return !process_.waitForFinished(static_cast<int>(span.count())) && process_.state() != QProcess::NotRunning;
}

std::optional<int> QuorvaneRun::WaitForExit()
{
    if (process_.state() != QProcess::NotRunning &&
        !process_.waitForFinished(static_cast<int>(kDefaultTimeout.count()))) {
        process_.kill();
        process_.waitForFinished(-1);
        return std::nullopt;
    }
    return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : 128 + process_.exitCode();
}

std::string QuorvaneRun::Errors() const
{
    // The process reads its pipes when events are processed.
    QCoreApplication::processEvents();
    errors_ += process_.readAllStandardError().toStdString();
    return errors_;
}

std::vector<WindowId> QuorvaneRun::Windows() const
{
    return session_.VisibleWindowsOf(process_.processId());
}

std::optional<WindowId> QuorvaneRun::WindowTitled(const std::string& title) const
{
    for (const WindowId window : Windows()) {
        if (session_.WindowTitle(window) == title) {
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
        const auto title = session_.WindowTitle(window);
        if (title && *title != kTestWindowTitle && *title != kMessageBoxTitle) {
            others.push_back(window);
        }
    }
    return others.size() == 1 ? std::optional(others.front()) : std::nullopt;
}

::testing::AssertionResult QuorvaneRun::DialogShows(const std::string& title) const
{
    std::optional<std::string> shown;
    const bool showing = WaitUntil([&] {
        const auto dialog = Dialog();
        shown = dialog ? session_.WindowTitle(*dialog) : std::nullopt;
        return shown == title;
    });
    if (showing) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "the dialog's title is \"" << shown.value_or("(no dialog)")
                                         << "\" instead of \"" << title << "\"; standard error:\n"
                                         << Errors();
}

::testing::AssertionResult QuorvaneRun::PressKeyUntil(const QString& key, const std::string& title) const
{
    session_.PressKey(key);
    return DialogShows(title) << " after the key " << key.toStdString();
}

::testing::AssertionResult QuorvaneRun::DialogHasFocus() const
{
    const bool focused = WaitUntil([&] {
        const auto dialog = Dialog();
        return dialog && session_.ActiveWindow() == dialog;
    });
    if (focused) {
        return ::testing::AssertionSuccess();
    }
    const auto active = session_.ActiveWindow();
    const auto title = active ? session_.WindowTitle(*active) : std::nullopt;
    return ::testing::AssertionFailure() << "the dialog is not the active window; the active one is titled \""
                                         << title.value_or("(none)") << "\"";
}

::testing::AssertionResult QuorvaneRun::DialogGeometry(WindowGeometry& geometry) const
{
    std::optional<WindowGeometry> found;
    WaitUntil([&] {
        const auto dialog = Dialog();
        return (found = dialog ? session_.GeometryOf(*dialog) : std::nullopt).has_value();
    });
    if (!found) {
        return ::testing::AssertionFailure() << "no dialog on screen; standard error:\n" << Errors();
    }
    geometry = *found;
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult QuorvaneRun::DismissMessageBoxAndFail(WindowId box)
{
    session_.ActivateWindow(box);
    session_.PressKey("Return");
    const auto status = WaitForExit();
    if (!status) {
        return ::testing::AssertionFailure() << "the program still ran after the message box was dismissed";
    }
    if (*status <= 0 || *status >= 128) {
        return ::testing::AssertionFailure() << "the program ended with status " << *status;
    }
    if (!Windows().empty()) {
        return ::testing::AssertionFailure() << "a window outlived the program";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quorvane::e2e
