#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QProcess>

namespace quorvane::e2e {

// A process that never outlives this object, nor the test program: the
// kernel kills it when the test program dies, even by a signal.
class ChildProcess : public QProcess {
public:
    ChildProcess()
    {
        const pid_t parent = ::getpid();
        setChildProcessModifier([parent] {
            ::prctl(PR_SET_PDEATHSIG, SIGKILL);
            if (::getppid() != parent) {  // the test program died before the line above
                ::_exit(127);
            }
        });
    }

    // Asks the process to end, so that Xvfb removes its lock files, and kills
    // it when it does not.
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
