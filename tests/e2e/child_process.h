#pragma once

#include <grp.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QProcess>

#include <optional>

namespace quorvane::e2e {

struct Account {
    uid_t uid;
    gid_t gid;
};

// A process that never outlives this object, nor the test program: the
// kernel kills it when the test program dies, even by a signal. Given an
// account, it runs as that user.
class ChildProcess : public QProcess {
public:
    explicit ChildProcess(std::optional<Account> account = std::nullopt)
    {
        const pid_t parent = ::getpid();
        setChildProcessModifier([parent, account] {
            // Changing the user clears the parent-death signal, so it comes first.
            if (account && (::setgroups(1, &account->gid) != 0 || ::setgid(account->gid) != 0 ||
                            ::setuid(account->uid) != 0)) {
                ::_exit(126);
            }
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) {  // the test program died before the line above
                ::_exit(127);
            }
        });
    }

    // Asks the process to end, so that servers remove their sockets and lock
    // files, and kills it when it does not.
    ~ChildProcess() override
    {
        if (state() == NotRunning) {
            return;
        }
        terminate();
        if (!waitForFinished(2000)) {
            kill();
            waitForFinished(-1);
        }
    }
};

}  // namespace quorvane::e2e
