#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "child_process.h"
#include "environment.h"
#include "monitor_layout.h"
#include "temp_dir.h"

namespace quorvane::e2e {

struct SessionOptions {
    std::optional<int> xftDpi;  // written to the X resources before any client starts
    bool windowManager = true;  // openbox
};

// A private X display: its own Xvfb on a free display number with the RandR
// monitors of a layout, optionally openbox. Everything it started is stopped
// when it goes. Failures to set it up are thrown as std::runtime_error.
class XSession {
public:
    explicit XSession(const MonitorLayout& layout, const SessionOptions& options = {});
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    const std::string& Display() const { return display_; }
    const MonitorLayout& Layout() const { return layout_; }
    const std::filesystem::path& ScratchFolder() const { return scratch_.Path(); }

    // This process's environment aimed at the display, with the settings that
    // would take Qt elsewhere or pick another language removed.
    Environment ClientEnvironment() const;

    // Runs a short command on the display and collects its output.
    CommandResult Run(const std::vector<std::string>& arguments, const std::string& input = {}) const;
    // The same, throwing when the command fails; gives its standard output.
    std::string RunChecked(const std::vector<std::string>& arguments, const std::string& input = {}) const;

    // RandR monitors added and removed while clients run; the area must lie
    // on the screen (see MonitorLayout).
    void AddMonitor(const std::string& name, const Rect& area) const;
    void RemoveMonitor(const std::string& name) const;

private:
    void StartServer();
    void SetUpMonitors() const;
    void StartWindowManager();

    MonitorLayout layout_;
    TempDir scratch_;
    std::string display_;
    std::unique_ptr<ChildProcess> server_;
    std::unique_ptr<ChildProcess> windowManager_;
};

}  // namespace quorvane::e2e
