#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace quorvane::bench {

// A command (the program's path, then its arguments) started in a working
// folder of its own, with the environment given (each entry "NAME=value"),
// its output discarded. It is stopped, if need be, and reaped when the object
// goes.
class LaunchedProcess {
public:
    LaunchedProcess(const std::vector<std::string>& command, const std::string& workingFolder,
                    const std::vector<std::string>& environment);
    ~LaunchedProcess();
    LaunchedProcess(const LaunchedProcess&) = delete;
    LaunchedProcess& operator=(const LaunchedProcess&) = delete;

    // Becomes readable once the process has ended.
    int EndDescriptor() const { return pidfd_; }

    // Asks the process to end (SIGTERM), kills it when it has not ended
    // after a grace period, and reaps it. Gives the status waitpid reported.
    int Stop();

private:
    pid_t pid_ = -1;
    int pidfd_ = -1;
    std::optional<int> status_;
};

// "exit code N" or "signal N".
std::string DescribeStatus(int status);

}  // namespace quorvane::bench
