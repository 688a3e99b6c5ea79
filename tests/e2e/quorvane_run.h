#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "wait_until.h"
#include "x_session.h"
#include "x_windows.h"

namespace quorvane::e2e {

struct ProgramOptions {
    std::filesystem::path workingDirectory = QUORVANE_DATA_DIR;
    std::map<std::string, std::string> environment;  // e.g. {"LANG", "de_DE.UTF-8"}
};

// The program under test, running on a session's display. It is stopped when
// this object goes, whatever state it is in.
class QuorvaneRun {
public:
    inline static const std::string kTestWindowTitle = "Form2";
    inline static const std::string kMessageBoxTitle = "Quorvane";

    QuorvaneRun(const XSession& session, const ProgramOptions& options);

    pid_t Pid() const { return process_.Pid(); }
    bool Running() { return process_.Running(); }
    // Whether the program is still running after `span`: for checking that
    // something did not end it.
    bool RunsFor(std::chrono::milliseconds span);

    // The exit status; a program still running after `timeout` is killed and
    // nothing is returned.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout = kDefaultTimeout);

    // What the program wrote to its standard error so far.
    std::string Errors() const;

    // Its visible windows, told apart by title: the test window, the message
    // box, and the guide dialog as the one other window.
    std::vector<WindowId> Windows() const;
    std::optional<WindowId> TestWindow() const;
    std::optional<WindowId> MessageBox() const;
    std::optional<WindowId> Dialog() const;

    // The same, waited for; nothing when the window does not turn up in time.
    std::optional<WindowId> WaitForTestWindow() const;
    std::optional<WindowId> WaitForMessageBox() const;
    std::optional<WindowId> WaitForDialog() const;
    // A dialog showing exactly this title (UTF-8).
    std::optional<WindowId> WaitForDialogTitled(const std::string& title) const;

private:
    std::optional<WindowId> WindowTitled(const std::string& title) const;

    const XSession& session_;
    std::filesystem::path errorFile_;
    ChildProcess process_;
};

}  // namespace quorvane::e2e
