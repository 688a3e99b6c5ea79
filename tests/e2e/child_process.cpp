#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>

namespace quorvane::e2e {
namespace {

using Clock = std::chrono::steady_clock;
constexpr auto kPollInterval = std::chrono::milliseconds(5);
constexpr auto kGraceTime = std::chrono::seconds(2);

std::runtime_error SystemError(const std::string& what)
{
    return std::runtime_error(what + ": " + std::strerror(errno));
}

class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { Close(); }
    Descriptor(Descriptor&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_);
        return *this;
    }
    int Get() const { return fd_; }
    void Close()
    {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

Descriptor OpenFile(const std::string& path, int flags)
{
    const int fd = ::open(path.c_str(), flags | O_CLOEXEC, 0644);
    if (fd < 0) {
        throw SystemError("cannot open " + path);
    }
    return Descriptor(fd);
}

struct Pipe {
    Descriptor read;
    Descriptor write;
};

Pipe MakePipe()
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        throw SystemError("pipe");
    }
    return {Descriptor(fds[0]), Descriptor(fds[1])};
}

std::string FindProgram(const std::string& name, const Environment& environment)
{
    if (name.find('/') != std::string::npos) {
        return name;
    }
    std::string path = "/usr/local/bin:/usr/bin:/bin";
    for (const auto& entry : environment.Entries()) {
        if (entry.rfind("PATH=", 0) == 0) {
            path = entry.substr(5);
        }
    }
    size_t start = 0;
    while (start <= path.size()) {
        const size_t end = std::min(path.find(':', start), path.size());
        const std::string candidate = path.substr(start, end - start) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0) {
            return candidate;
        }
        start = end + 1;
    }
    throw std::runtime_error("program not found on PATH: " + name);
}

std::vector<char*> Pointers(std::vector<std::string>& texts)
{
    std::vector<char*> pointers;
    for (auto& text : texts) {
        pointers.push_back(text.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

// Puts `from` at `to` in the child, without the close-on-exec flag.
void MoveDescriptor(int from, int to)
{
    if (from == to) {
        ::fcntl(to, F_SETFD, 0);
    } else {
        ::dup2(from, to);
    }
}

// Starts the command with the given standard streams. Only async-signal-safe
// calls run between fork and exec.
pid_t Spawn(const Command& command, int input, int output, int errors, int passed)
{
    if (command.arguments.empty()) {
        throw std::runtime_error("empty command");
    }
    const std::string program = FindProgram(command.arguments[0], command.environment);
    std::vector<std::string> arguments = command.arguments;
    std::vector<std::string> entries = command.environment.Entries();
    std::vector<char*> argv = Pointers(arguments);
    std::vector<char*> envp = Pointers(entries);
    const char* directory = command.workingDirectory.empty() ? nullptr : command.workingDirectory.c_str();
    Pipe execReport = MakePipe();
    const pid_t parent = ::getpid();

    const pid_t pid = ::fork();
    if (pid < 0) {
        throw SystemError("fork");
    }
    if (pid == 0) {
        ::prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (::getppid() != parent) {
            ::_exit(127);
        }
        ::signal(SIGPIPE, SIG_DFL);
        MoveDescriptor(input, 0);
        MoveDescriptor(output, 1);
        MoveDescriptor(errors, 2);
        if (passed >= 0) {
            MoveDescriptor(passed, 3);
        }
        int error = 0;
        if (directory != nullptr && ::chdir(directory) != 0) {
            error = errno;
        } else {
            ::execve(program.c_str(), argv.data(), envp.data());
            error = errno;
        }
        [[maybe_unused]] const auto written = ::write(execReport.write.Get(), &error, sizeof error);
        ::_exit(127);
    }

    execReport.write.Close();
    int error = 0;
    ssize_t got;
    do {
        got = ::read(execReport.read.Get(), &error, sizeof error);
    } while (got < 0 && errno == EINTR);
    if (got > 0) {
        ::waitpid(pid, nullptr, 0);
        errno = error;
        throw SystemError("cannot start " + program);
    }
    return pid;
}

int StatusOf(int waitStatus)
{
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : 128 + WTERMSIG(waitStatus);
}

}  // namespace

ChildProcess::ChildProcess(const Command& command, const ChildStreams& streams)
{
    const Descriptor input = OpenFile("/dev/null", O_RDONLY);
    const Descriptor output = OpenFile(streams.outputFile, O_WRONLY | O_CREAT | O_APPEND);
    const Descriptor errors = OpenFile(streams.errorFile, O_WRONLY | O_CREAT | O_APPEND);
    pid_ = Spawn(command, input.Get(), output.Get(), errors.Get(), streams.passedDescriptor);
}

ChildProcess::~ChildProcess()
{
    Stop();
}

bool ChildProcess::Reap(int options)
{
    if (status_) {
        return true;
    }
    int waitStatus = 0;
    pid_t result;
    do {
        result = ::waitpid(pid_, &waitStatus, options);
    } while (result < 0 && errno == EINTR);
    if (result == pid_) {
        status_ = StatusOf(waitStatus);
    }
    return status_.has_value();
}

bool ChildProcess::Running()
{
    return !Reap(WNOHANG);
}

std::optional<int> ChildProcess::WaitForExit(std::chrono::milliseconds timeout)
{
    const auto deadline = Clock::now() + timeout;
    while (!Reap(WNOHANG)) {
        if (Clock::now() >= deadline) {
            return std::nullopt;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
    return status_;
}

void ChildProcess::Stop()
{
    if (Reap(WNOHANG)) {
        return;
    }
    ::kill(pid_, SIGTERM);
    if (!WaitForExit(std::chrono::duration_cast<std::chrono::milliseconds>(kGraceTime))) {
        ::kill(pid_, SIGKILL);
        Reap(0);
    }
}

CommandResult RunCommand(const Command& command, const std::string& input, std::chrono::milliseconds timeout)
{
    // A command that ends without reading its input must not kill the tests.
    static const bool pipeSignalIgnored = ::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    (void)pipeSignalIgnored;
    Pipe in = MakePipe();
    Pipe out = MakePipe();
    Pipe err = MakePipe();
    const pid_t pid = Spawn(command, in.read.Get(), out.write.Get(), err.write.Get(), -1);
    in.read.Close();
    out.write.Close();
    err.write.Close();
    ::fcntl(in.write.Get(), F_SETFL, O_NONBLOCK);
    if (input.empty()) {
        in.write.Close();
    }

    CommandResult result;
    size_t inputSent = 0;
    bool timedOut = false;
    const auto deadline = Clock::now() + timeout;
    while (out.read.Get() >= 0 || err.read.Get() >= 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0) {
            timedOut = true;
            break;
        }
        pollfd fds[3] = {{out.read.Get(), POLLIN, 0}, {err.read.Get(), POLLIN, 0}, {in.write.Get(), POLLOUT, 0}};
        if (::poll(fds, 3, static_cast<int>(left.count())) < 0) {
            if (errno == EINTR) {
                continue;
            }
            ::kill(pid, SIGKILL);
            ::waitpid(pid, nullptr, 0);
            throw SystemError("poll");
        }
        if (fds[2].revents != 0) {
            const ssize_t sent = ::write(in.write.Get(), input.data() + inputSent, input.size() - inputSent);
            if (sent > 0) {
                inputSent += static_cast<size_t>(sent);
            }
            if (sent < 0 || inputSent == input.size()) {
                in.write.Close();
            }
        }
        const std::pair<Descriptor*, std::string*> streams[2] = {{&out.read, &result.output},
                                                                 {&err.read, &result.errors}};
        for (int i = 0; i < 2; ++i) {
            if (fds[i].revents == 0) {
                continue;
            }
            char buffer[65536];
            const ssize_t got = ::read(streams[i].first->Get(), buffer, sizeof buffer);
            if (got > 0) {
                streams[i].second->append(buffer, static_cast<size_t>(got));
            } else if (got == 0 || errno != EINTR) {
                streams[i].first->Close();
            }
        }
    }

    int waitStatus = 0;
    if (timedOut) {
        ::kill(pid, SIGKILL);
        ::waitpid(pid, &waitStatus, 0);
        return result;
    }
    // Both streams are closed; the command may still be finishing.
    while (true) {
        const pid_t done = ::waitpid(pid, &waitStatus, WNOHANG);
        if (done == pid) {
            result.status = StatusOf(waitStatus);
            return result;
        }
        if (Clock::now() >= deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &waitStatus, 0);
            return result;
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

}  // namespace quorvane::e2e
