#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "session.h"

namespace quorvane::e2e {

// The program under test on a session. It is stopped when this object goes,
// whatever state it is in.
class ProgramRun {
public:
    ProgramRun(const Session& session, const Launch& launch);

    // Polls `condition` like WaitUntil, giving up at once when the program
    // has ended.
    template <typename Condition>
    bool Await(Condition condition, std::chrono::milliseconds timeout = kReaction) const
    {
        return WaitUntil([&] { return condition() || Ended(); }, timeout) && condition();
    }

    // Whether the program still runs after `span`: for checking that
    // something did not end it.
    bool RunsFor(std::chrono::milliseconds span) const;
    // The exit status, or 128 + the signal that ended it; a program still
    // running after the timeout is killed and nothing is returned.
    std::optional<int> WaitForExit() const;
    // What the program wrote to its standard error so far.
    std::string Errors() const;

    // Its visible windows, told apart by title: the test window, the message
    // box, and the guide dialog as the one other window.
    std::vector<Window> Windows() const;
    std::optional<WindowId> TestWindow() const;
    std::optional<WindowId> MessageBox() const;
    std::optional<Window> Dialog() const;

    // Waits for the dialog to show `title` (UTF-8).
    ::testing::AssertionResult DialogShows(const std::string& title,
                                           std::chrono::milliseconds timeout = kReaction) const;
    // Waits for the dialog to have the focus, which takes the keys.
    ::testing::AssertionResult DialogHasFocus() const;
    // Waits for the dialog and gives its geometry.
    ::testing::AssertionResult DialogGeometry(WindowGeometry& geometry) const;
    // Closes the message box `box` with Return and waits for the program to
    // end with a failure status of its own (not a signal), leaving no window.
    ::testing::AssertionResult DismissMessageBoxAndFail(WindowId box) const;

private:
    bool Ended() const;
    std::optional<WindowId> WindowTitled(const std::string& title) const;

    const Session& session_;
    mutable ChildProcess process_;
    mutable std::string errors_;
};

}  // namespace quorvane::e2e
