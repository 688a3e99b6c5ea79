#pragma once

#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "session.h"

namespace quorvane::e2e {

// The program under test on a session, stopped when this object goes. The
// waits throw when what they wait for does not come, and give up at once
// when the program has ended.
class ProgramRun {
public:
    ProgramRun(const Session& session, const Launch& launch);

    // Polls like WaitUntil, but not beyond the program's end.
    template <typename Condition>
    bool Await(Condition condition, std::chrono::milliseconds timeout = kReaction) const
    {
        return WaitUntil([&] { return condition() || Ended(); }, timeout) && condition();
    }

    // Whether the program still runs after `span`.
    bool RunsFor(std::chrono::milliseconds span) const;
    // The exit status, or 128 + the signal that ended it; nothing when it
    // still ran after the timeout and was killed.
    std::optional<int> WaitForExit() const;
    // What the program wrote to its standard error so far.
    std::string Errors() const;

    // Its visible windows, told apart by title: the test window, the message
    // box, and the guide dialog as the one other window.
    std::vector<Window> Windows() const;
    std::optional<WindowId> TestWindow() const { return WindowTitled(kTestWindowTitle); }
    std::optional<WindowId> MessageBox() const { return WindowTitled(kMessageBoxTitle); }
    std::optional<Window> Dialog() const;

    void AwaitTitle(const std::string& title, std::chrono::milliseconds timeout = kReaction) const;
    // Waits for the dialog to have the focus.

    // Waits until keys reach the program: the dialog has the focus, or the
    // test window has kept it for two seconds, as where a desktop leaves the
    // focus on a full-screen window and the program hands the keys on.
    void AwaitKeyFocus() const;
    // Waits for the dialog and gives its geometry.
    WindowGeometry DialogGeometry() const;
    // The test window's geometry once `wanted` holds, or the last one seen.
    WindowGeometry TestWindowGeometry(const std::function<bool(const WindowGeometry&)>& wanted) const;
    // Dismisses the message box `box` with Return; the program must end with
    // a failure status of its own (not a signal), leaving no window.
    void DismissMessageBoxAndFail(WindowId box) const;

    // `what` failed: the report, with the program's standard error.
    std::string Failure(const std::string& what) const;

private:
    static inline const std::string kTestWindowTitle = "Form2";
    static inline const std::string kMessageBoxTitle = "Quorvane";

    bool Ended() const;
    std::optional<WindowId> WindowTitled(const std::string& title) const;

    const Session& session_;
    mutable ChildProcess process_;
    mutable std::string errors_;
};

}  // namespace quorvane::e2e
