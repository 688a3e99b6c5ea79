#include "launched_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace quorvane::bench {

namespace {

constexpr int kGraceMilliseconds = 2000;

// glibc 2.36 declares pidfd_open without C linkage, so C++ cannot link it.
int OpenPidfd(pid_t pid) { return static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)); }

}  // namespace

LaunchedProcess::LaunchedProcess(const std::vector<std::string>& command, const std::string& workingFolder,
                                 const std::vector<std::string>& environment)
{
    const std::string& program = command.front();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str());
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<char*> arguments;
    for (const std::string& argument : command) {
        arguments.push_back(const_cast<char*>(argument.c_str()));
    }
    arguments.push_back(nullptr);
    std::vector<char*> variables;
    for (const std::string& entry : environment) {
        variables.push_back(const_cast<char*>(entry.c_str()));
    }
    variables.push_back(nullptr);

    const int error = posix_spawn(&pid_, program.c_str(), &actions, nullptr, arguments.data(), variables.data());
    posix_spawn_file_actions_destroy(&actions);
    if (error != 0) {
        throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
    }
    pidfd_ = OpenPidfd(pid_);
    if (pidfd_ < 0) {
        const int openError = errno;
        Stop();
        throw std::runtime_error("cannot follow " + program + ": " + std::strerror(openError));
    }
}

LaunchedProcess::~LaunchedProcess()
{
    Stop();
    if (pidfd_ >= 0) {
        ::close(pidfd_);
    }
}

int LaunchedProcess::Stop()
{
    if (status_) {
        return *status_;
    }
    ::kill(pid_, SIGTERM);
    if (pidfd_ >= 0) {
        pollfd ended{pidfd_, POLLIN, 0};
        if (::poll(&ended, 1, kGraceMilliseconds) <= 0) {
            ::kill(pid_, SIGKILL);
        }
    } else {
        ::kill(pid_, SIGKILL);
    }
    int status = 0;
    while (::waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
    }
    status_ = status;
    return status;
}

std::string DescribeStatus(int status)
{
    if (WIFSIGNALED(status)) {
        return "signal " + std::to_string(WTERMSIG(status));
    }
    return "exit code " + std::to_string(WEXITSTATUS(status));
}

}  // namespace quorvane::bench
