#pragma once

#include <sys/types.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "environment.h"

namespace quorvane::e2e {

// A program to run: arguments[0] names it (looked up on the PATH of the
// environment unless it holds a slash).
struct Command {
    std::vector<std::string> arguments;
    Environment environment = Environment::OfThisProcess();
    std::string workingDirectory;  // empty: this process's own
};

// Where a long-running child's output goes.
struct ChildStreams {
    std::string outputFile = "/dev/null";
    std::string errorFile = "/dev/null";
    int passedDescriptor = -1;  // handed to the child as its descriptor 3
};

// Exit statuses are the exit code, or 128 + the signal that ended the
// process, as a shell reports them.

// A child process that never outlives this object, nor this test program:
// the child is killed when the test program dies, even by a signal.
class ChildProcess {
public:
    ChildProcess(const Command& command, const ChildStreams& streams);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running();

    // The exit status, or nothing when the child still runs after `timeout`.
    std::optional<int> WaitForExit(std::chrono::milliseconds timeout);

    // Asks the child to end, kills it when it does not, and reaps it.
    void Stop();

private:
    bool Reap(int options);

    pid_t pid_;
    std::optional<int> status_;
};

struct CommandResult {
    std::optional<int> status;  // nothing: killed after the timeout
    std::string output;
    std::string errors;
};

// Runs a short command to its end, feeding it `input` and collecting both of
// its output streams.
CommandResult RunCommand(const Command& command, const std::string& input, std::chrono::milliseconds timeout);

}  // namespace quorvane::e2e
