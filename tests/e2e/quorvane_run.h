#pragma once

#include <gtest/gtest.h>

#include <QString>

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "x_session.h"

namespace quorvane::e2e {

// The program under test on a session's display, with LANG set to `locale`
// and the sample data folder as its working directory unless told otherwise.
// It is stopped when this object goes, whatever state it is in.
class QuorvaneRun {
public:
    QuorvaneRun(const XSession& session, const QString& locale, const QString& workingDirectory = QUORVANE_DATA_DIR);

    // Whether the program still runs after `span`: for checking that
    // something did not end it.
    bool RunsFor(std::chrono::milliseconds span);

    // The exit status, or 128 + the signal that ended it; a program still
    // running after the default timeout is killed and nothing is returned.
    std::optional<int> WaitForExit();

    // What the program wrote to its standard error so far.
    std::string Errors() const;

    // Its visible windows, told apart by title: the test window, the message
    // box, and the guide dialog as the one other window.
    std::vector<WindowId> Windows() const;
    std::optional<WindowId> TestWindow() const;
    std::optional<WindowId> MessageBox() const;
    std::optional<WindowId> Dialog() const;

    // Waits for the dialog to show `title` (UTF-8).
    ::testing::AssertionResult DialogShows(const std::string& title) const;
    // Presses a key in the focused window and waits for the dialog's title.
    ::testing::AssertionResult PressKeyUntil(const QString& key, const std::string& title) const;
    // Waits for the dialog to become the active window, which takes the keys.
    ::testing::AssertionResult DialogHasFocus() const;
    // Waits for the dialog and gives its geometry.
    ::testing::AssertionResult DialogGeometry(WindowGeometry& geometry) const;
    // Closes the message box `box` with Return and waits for the program to
    // end with a failure status of its own (not a signal), leaving no window.
    ::testing::AssertionResult DismissMessageBoxAndFail(WindowId box);

private:
    std::optional<WindowId> WindowTitled(const std::string& title) const;

    const XSession& session_;
    mutable ChildProcess process_;
    mutable std::string errors_;
};

}  // namespace quorvane::e2e
